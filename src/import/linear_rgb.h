#pragma once
// Colours in linear light, as the dithering imports mix them, and the Bayer
// matrix their ordered halftones share.

#include "import/screen_tiles.h"

struct Rgb {
  double r = 0, g = 0, b = 0;
  Rgb operator+(const Rgb& o) const { return {r + o.r, g + o.g, b + o.b}; }
  Rgb operator-(const Rgb& o) const { return {r - o.r, g - o.g, b - o.b}; }
  Rgb operator*(double k) const { return {r * k, g * k, b * k}; }
  double Dot(const Rgb& o) const { return r * o.r + g * o.g + b * o.b; }
};

inline Rgb PackedRgb(uint32_t packed) {
  return {Linear(packed & 0xFF), Linear(packed >> 8 & 0xFF), Linear(packed >> 16 & 0xFF)};
}
inline Rgb PaletteRgb(int colour) { return PackedRgb(Palette[colour]); }

inline constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
