/* Tessellary's runtime for SDCC games on MSX1 and SG-1000: the video chip's
   registers and memory, packed tables unpacked into RAM or video memory, and
   metasprites and animation strips drawn into the sprite planes as the
   editor's chip view shows them. Free to copy into a game.

   Every function takes its arguments on the stack (__sdcccall(0)), so that
   assembly calls them as C does. Call them with interrupts off (the start
   code keeps them off) or from the frame interrupt alone: the chip takes an
   address in two writes that an interrupt between would split. */
#ifndef TESSELLARY_RUNTIME_H
#define TESSELLARY_RUNTIME_H

#define TESS_CALL __sdcccall(0)

/* Registers 0 to 7 of an exported screen mode, for tess_set_mode:
   static const unsigned char mode[] = TESS_MODE(gfx, GRAPHICS2, Level_BACKDROP); */
#define TESS_MODE(file, MODE, register7)                                                 \
  {file##_##MODE##_REGISTER0, file##_##MODE##_REGISTER1, file##_##MODE##_REGISTER2,       \
   file##_##MODE##_REGISTER3, file##_##MODE##_REGISTER4, file##_##MODE##_REGISTER5,       \
   file##_##MODE##_REGISTER6, (unsigned char)(register7)}

/* The chip. */
void tess_set_register(unsigned char r, unsigned char value) TESS_CALL;
/* Registers 0 to 7, the screen left blank until tess_display(1); remembers
   where register 5 puts the sprite attribute table and register 1's sprite size. */
void tess_set_mode(const unsigned char* registers) TESS_CALL;
void tess_display(unsigned char on) TESS_CALL;
void tess_write_vram(unsigned address, const unsigned char* bytes, unsigned size) TESS_CALL;
void tess_fill_vram(unsigned address, unsigned char value, unsigned size) TESS_CALL;
void tess_wait_frame(void) TESS_CALL; /* until the chip starts its next frame */

/* Packed tables (their label) into RAM (at least <label>_SIZE bytes) or video memory. */
void tess_unzx0(const unsigned char* stream, unsigned char* out) TESS_CALL;
void tess_unzx0_vram(const unsigned char* stream, unsigned address) TESS_CALL;
void tess_unpletter(const unsigned char* stream, unsigned char* out) TESS_CALL;
void tess_unpletter_vram(const unsigned char* stream, unsigned address) TESS_CALL;

/* Sprites from plane `plane` on, each returning the next free plane. A part
   at x, y (the top-left corner in screen pixels, -32 to 255 and above the
   screen's bottom) is shown as the editor shows it: Y its top line minus one,
   left of the screen through the early clock; one off the screen or past
   plane 31 is left out. End the planes shown with tess_end_sprites. */
unsigned char tess_draw_sprite(unsigned char pattern, unsigned char colour, int x, int y,
                               unsigned char plane) TESS_CALL;
unsigned char tess_draw_metasprite(const unsigned char* metasprite, int x, int y, unsigned char plane) TESS_CALL;
void tess_end_sprites(unsigned char plane) TESS_CALL;

/* An exported animation strip and where it is: TESS_STRIP(strip_1). */
typedef struct {
  const unsigned char* cells; /* two bytes a frame: 1 and a metasprite's place, or 0 and a pattern */
  unsigned char frames, ticks;
  unsigned char frame, tick; /* the frame shown, and the chip's frames it has been */
} tess_strip;
#define TESS_STRIP(label) {label, label##_FRAMES, label##_TICKS, 0, 0}

void tess_step_strip(tess_strip* strip) TESS_CALL; /* one frame of the chip on */
/* The frame shown at x, y: a metasprite from `metasprites` (every exported
   metasprite's label, in the export's order) or a sprite in `colour`. */
unsigned char tess_draw_strip(const tess_strip* strip, const unsigned char* const metasprites[], unsigned char colour,
                              int x, int y, unsigned char plane) TESS_CALL;

#endif
