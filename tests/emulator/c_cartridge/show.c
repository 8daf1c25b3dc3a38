/* Shows one Graphics II screen from an export, gfx.h, using only its
   documented labels and constants, each table unpacked through one RAM
   buffer. The build names the records' label bases, TOP_SET, MIDDLE_SET,
   BOTTOM_SET and SCREEN, and PACKING: 0 none, 1 ZX0, 2 Pletter. */
#include "gfx.h"
#include "tessellary.h"

__at 0xE000 volatile unsigned char shown; /* 0x5A once the screen is in */

#define JOIN(a, b) a##b
#define LABEL(record, kind) JOIN(record, kind)

#if PACKING
static unsigned char buffer[gfx_LARGEST_TABLE];
#endif

static void load(const unsigned char* table, unsigned size, unsigned address) {
#if PACKING == 1
  tess_unzx0(table, buffer);
  table = buffer;
#elif PACKING == 2
  tess_unpletter(table, buffer);
  table = buffer;
#endif
  tess_write_vram(address, table, size);
}

#define LOAD_SET(set, third)                                                                           \
  load(LABEL(set, _patterns), LABEL(set, _patterns_SIZE), LABEL(set, _patterns_VRAM) + 0x800 * third); \
  load(LABEL(set, _colours), LABEL(set, _colours_SIZE), LABEL(set, _colours_VRAM) + 0x800 * third)

void main(void) {
  static const unsigned char mode[] = TESS_MODE(gfx, GRAPHICS2, LABEL(SCREEN, _BACKDROP));
  tess_set_mode(mode);
  LOAD_SET(TOP_SET, 0);
  LOAD_SET(MIDDLE_SET, 1);
  LOAD_SET(BOTTOM_SET, 2);
  load(LABEL(SCREEN, _names), LABEL(SCREEN, _names_SIZE), LABEL(SCREEN, _names_VRAM));
  tess_end_sprites(0);
  tess_display(1);
  shown = 0x5A;
}
