/* A game's screens and hero from an export (gfx.h) and the runtime alone:
   each of the four modes' screens, its tables unpacked into video memory, and
   strip 1's metasprite walking over them a pixel a frame in each direction,
   animating as it goes. At each of CHECKPOINTS (checkpoints.h: screen, x, y)
   it says so at SIGNAL and waits until the test writes 0 there. The build
   names UNPACK (unzx0 or unpletter). */
#include "checkpoints.h"
#include "gfx.h"
#include "tessellary.h"

#define JOIN(a, b) a##b
#define CALL(prefix, name) JOIN(prefix, name)
#define UNPACK_VRAM(label, address) CALL(tess_, CALL(UNPACK, _vram))(label, address)
#define UNPACK_RAM(label, buffer) CALL(tess_, UNPACK)(label, buffer)

__at SIGNAL volatile unsigned char reached;

struct checkpoint {
  unsigned char screen;
  int x, y;
};
static const struct checkpoint checkpoints[] = CHECKPOINTS;

/* A third's tables follow the one above it. */
#define LOAD_THIRD(set, third)                                                            \
  UNPACK_VRAM(set##_patterns, gfx_GRAPHICS2_PATTERNS_VRAM + set##_patterns_SIZE * third); \
  UNPACK_VRAM(set##_colours, gfx_GRAPHICS2_COLOURS_VRAM + set##_colours_SIZE * third)

static void show_graphics2(void) {
  static const unsigned char mode[] = TESS_MODE(gfx, GRAPHICS2, g2_BACKDROP);
  tess_set_mode(mode);
  LOAD_THIRD(Set_0, 0);
  LOAD_THIRD(Set_1, 1);
  LOAD_THIRD(Set_2, 2);
  UNPACK_VRAM(g2_names, gfx_GRAPHICS2_NAMES_VRAM);
  tess_fill_vram(gfx_GRAPHICS2_NAMES_VRAM, 0, g2_names_SIZE / 24); /* the top row blank, as for a score */
  UNPACK_VRAM(sprite_patterns, gfx_GRAPHICS2_SPRITE_PATTERNS_VRAM);
}

static void show_graphics1(void) {
  static const unsigned char mode[] = TESS_MODE(gfx, GRAPHICS1, g1_BACKDROP);
  static unsigned char colours[Set_0_group_colours_SIZE]; /* through RAM, as a game might change them */
  tess_set_mode(mode);
  UNPACK_VRAM(Set_0_patterns, gfx_GRAPHICS1_PATTERNS_VRAM);
  UNPACK_RAM(Set_0_group_colours, colours);
  tess_write_vram(gfx_GRAPHICS1_COLOURS_VRAM, colours, sizeof colours);
  UNPACK_VRAM(g1_names, gfx_GRAPHICS1_NAMES_VRAM);
  UNPACK_VRAM(sprite_patterns, gfx_GRAPHICS1_SPRITE_PATTERNS_VRAM);
}

static void show_text(void) {
  static const unsigned char mode[] = TESS_MODE(gfx, TEXT, text_LETTERS << 4 | text_BACKDROP);
  tess_set_mode(mode);
  UNPACK_VRAM(Set_0_patterns, gfx_TEXT_PATTERNS_VRAM);
  UNPACK_VRAM(text_names, gfx_TEXT_NAMES_VRAM);
}

static void show_multicolor(void) {
  static const unsigned char mode[] = TESS_MODE(gfx, MULTICOLOR, multi_BACKDROP);
  tess_set_mode(mode);
  UNPACK_VRAM(multi_blocks, gfx_MULTICOLOR_PATTERNS_VRAM);
  UNPACK_VRAM(multi_names, gfx_MULTICOLOR_NAMES_VRAM);
  UNPACK_VRAM(sprite_patterns, gfx_MULTICOLOR_SPRITE_PATTERNS_VRAM);
}

static void (*const shows[])(void) = {show_graphics2, show_graphics1, show_text, show_multicolor};

static int toward(int from, int to) { return from < to ? from + 1 : from > to ? from - 1 : from; }

void main(void) {
  static tess_strip walk = TESS_STRIP(strip_1);
  int x = checkpoints[0].x, y = checkpoints[0].y;
  unsigned char k, screen = 0xFF;
  for (k = 0; k < sizeof checkpoints / sizeof checkpoints[0]; ++k) {
    const struct checkpoint* at = &checkpoints[k];
    if (at->screen != screen) {
      screen = at->screen;
      shows[screen]();
    }
    for (;;) {
      tess_end_sprites(tess_draw_strip(&walk, metasprite_tables, 15, x, y, 0));
      tess_display(1);
      if (x == at->x && y == at->y) break;
      tess_wait_frame();
      tess_step_strip(&walk);
      x = toward(x, at->x), y = toward(y, at->y);
    }
    reached = k + 1;
    while (reached) {
    }
  }
}
