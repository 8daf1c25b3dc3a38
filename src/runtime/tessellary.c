/* The runtime's screen modes, sprites and strips; the chip's ports are in vdp.s. */
#include "tessellary.h"

#define DISPLAY_ON 0x40
#define EARLY_CLOCK 0x80
#define END_OF_PLANES 208
#define PLANES 32

static unsigned char register1;      /* without the display bit */
static unsigned attribute_table;     /* where register 5 puts it */
static unsigned char sprite_side;    /* screen pixels, magnified or not */

void tess_set_mode(const unsigned char* registers) TESS_CALL {
  unsigned char r;
  register1 = registers[1] & ~DISPLAY_ON;
  attribute_table = (unsigned)registers[5] << 7;
  sprite_side = (registers[1] & 2 ? 16 : 8) << (registers[1] & 1);
  for (r = 0; r < 8; ++r) tess_set_register(r, r == 1 ? register1 : registers[r]);
}

void tess_display(unsigned char on) TESS_CALL { tess_set_register(1, on ? register1 | DISPLAY_ON : register1); }

unsigned char tess_draw_sprite(unsigned char pattern, unsigned char colour, int x, int y,
                               unsigned char plane) TESS_CALL {
  unsigned char attributes[4];
  /* Tops from 1 - side to 191 store as Y 224-255 and 0-190: never the 208 that ends the planes. */
  if (plane >= PLANES || x < -32 || x > 255 || y <= -(int)sprite_side || y > 191) return plane;
  attributes[0] = (unsigned char)(y - 1);
  attributes[1] = (unsigned char)(x < 0 ? x + 32 : x);
  attributes[2] = pattern;
  attributes[3] = (colour & 15) | (x < 0 ? EARLY_CLOCK : 0);
  tess_write_vram(attribute_table + plane * 4, attributes, 4);
  return plane + 1;
}

unsigned char tess_draw_metasprite(const unsigned char* metasprite, int x, int y, unsigned char plane) TESS_CALL {
  unsigned char parts = *metasprite++;
  for (; parts; --parts, metasprite += 4)
    plane = tess_draw_sprite(metasprite[2], metasprite[3], x + (signed char)metasprite[1],
                             y + (signed char)metasprite[0], plane);
  return plane;
}

void tess_end_sprites(unsigned char plane) TESS_CALL {
  static const unsigned char end = END_OF_PLANES;
  if (plane < PLANES) tess_write_vram(attribute_table + plane * 4, &end, 1);
}

void tess_step_strip(tess_strip* strip) TESS_CALL {
  if (++strip->tick < strip->ticks) return;
  strip->tick = 0;
  if (++strip->frame >= strip->frames) strip->frame = 0;
}

unsigned char tess_draw_strip(const tess_strip* strip, const unsigned char* const metasprites[], unsigned char colour,
                              int x, int y, unsigned char plane) TESS_CALL {
  const unsigned char* cell = strip->cells + strip->frame * 2;
  if (cell[0]) return tess_draw_metasprite(metasprites[cell[1]], x, y, plane);
  return tess_draw_sprite(cell[1], colour, x, y, plane);
}
