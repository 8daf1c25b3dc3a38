/* Shows one Graphics II screen from an export, gfx.h, using only its
   documented labels and constants. The build names the records' label bases,
   TOP_SET, MIDDLE_SET, BOTTOM_SET and SCREEN, and PACKING: 0 none, 1 ZX0,
   2 Pletter. */
#include "gfx.h"

void unzx0(const unsigned char* stream, unsigned char* out) __sdcccall(0);
void unpletter(const unsigned char* stream, unsigned char* out) __sdcccall(0);

__sfr __at 0x98 vdp_data;
__sfr __at 0x99 vdp_control;
__at 0xE000 volatile unsigned char shown; /* 0x5A once the screen is in */

#define JOIN(a, b) a##b
#define LABEL(record, kind) JOIN(record, kind)

#if PACKING
static unsigned char buffer[gfx_LARGEST_TABLE];
#endif

static void set_register(unsigned char r, unsigned char value) {
  vdp_control = value;
  vdp_control = 0x80 | r;
}

static void write_vram(unsigned address, const unsigned char* bytes, unsigned size) {
  vdp_control = address & 0xFF;
  vdp_control = 0x40 | (address >> 8);
  while (size--) vdp_data = *bytes++;
}

static void load(const unsigned char* table, unsigned size, unsigned address) {
#if PACKING == 1
  unzx0(table, buffer);
  table = buffer;
#elif PACKING == 2
  unpletter(table, buffer);
  table = buffer;
#endif
  write_vram(address, table, size);
}

#define LOAD_SET(set, third)                                                                           \
  load(LABEL(set, _patterns), LABEL(set, _patterns_SIZE), LABEL(set, _patterns_VRAM) + 0x800 * third); \
  load(LABEL(set, _colours), LABEL(set, _colours_SIZE), LABEL(set, _colours_VRAM) + 0x800 * third)

void main(void) {
  static const unsigned char no_sprites = 0xD0;
  static const unsigned char registers[] = {0x02, 0x82, 0x06, 0xFF, 0x03, 0x36, 0x07};  /* Graphics II, blanked */
  unsigned char r;
  for (r = 0; r < sizeof registers; ++r) set_register(r, registers[r]);
  set_register(7, LABEL(SCREEN, _BACKDROP));
  LOAD_SET(TOP_SET, 0);
  LOAD_SET(MIDDLE_SET, 1);
  LOAD_SET(BOTTOM_SET, 2);
  load(LABEL(SCREEN, _names), LABEL(SCREEN, _names_SIZE), LABEL(SCREEN, _names_VRAM));
  write_vram(0x1B00, &no_sprites, 1);
  set_register(1, 0xC2); /* display on, 16x16 sprites */
  shown = 0x5A;
}
