#include "model/palettes.h"

#include <cctype>
#include <cstdio>

namespace {
constexpr uint32_t Rgb(uint8_t r, uint8_t g, uint8_t b) {
  return uint32_t(r) | uint32_t(g) << 8 | uint32_t(b) << 16 | 0xFF000000u;
}
constexpr uint32_t kTransparent = 0;
}  // namespace

const ChipPalette kChipPalettes[kPalettes] = {
    // The editor's own since its first version, derived from the TMS9918A
    // data sheet's luminance and colour-difference levels.
    {"tms9918a",
     "TMS9918A (NTSC)",
     {kTransparent, Rgb(0, 0, 0), Rgb(33, 200, 66), Rgb(94, 220, 120), Rgb(84, 85, 237), Rgb(125, 118, 252),
      Rgb(212, 82, 77), Rgb(66, 235, 245), Rgb(252, 85, 84), Rgb(255, 121, 120), Rgb(212, 193, 84),
      Rgb(230, 206, 128), Rgb(33, 176, 59), Rgb(201, 91, 178), Rgb(204, 204, 204), Rgb(255, 255, 255)}},
    // Derived from a TMS9929ANL's Y, R-Y and B-Y output levels measured in
    // millivolts: R = Y + (R-Y), B = Y + (B-Y), G = Y - 0.509 (R-Y) - 0.194 (B-Y),
    // white (964 mV) as 255.
    {"tms9929a",
     "TMS9929A (PAL)",
     {kTransparent, Rgb(0, 0, 0), Rgb(36, 202, 70), Rgb(95, 220, 121), Rgb(88, 85, 240), Rgb(129, 118, 255),
      Rgb(214, 81, 78), Rgb(69, 237, 249), Rgb(255, 87, 87), Rgb(255, 120, 121), Rgb(214, 195, 87),
      Rgb(232, 208, 130), Rgb(36, 175, 62), Rgb(206, 92, 189), Rgb(206, 206, 206), Rgb(255, 255, 255)}},
    // The V9938's palette after reset, three bits a channel, each level n as n * 255 / 7.
    {"v9938",
     "V9938 (MSX2)",
     {kTransparent, Rgb(0, 0, 0), Rgb(36, 219, 36), Rgb(109, 255, 109), Rgb(36, 36, 255), Rgb(73, 109, 255),
      Rgb(182, 36, 36), Rgb(73, 219, 255), Rgb(255, 36, 36), Rgb(255, 109, 109), Rgb(219, 219, 36),
      Rgb(219, 219, 146), Rgb(36, 146, 36), Rgb(219, 73, 182), Rgb(182, 182, 182), Rgb(255, 255, 255)}},
    // What a Master System's VDP shows in the TMS9918A's modes: its own 6-bit
    // colours (levels 0, 85, 170, 255), as measured on a 315-5124.
    {"sms",
     "Master System (SG-1000 modes)",
     {kTransparent, Rgb(0, 0, 0), Rgb(0, 170, 0), Rgb(0, 255, 0), Rgb(0, 0, 85), Rgb(0, 0, 255), Rgb(85, 0, 0),
      Rgb(0, 255, 255), Rgb(170, 0, 0), Rgb(255, 0, 0), Rgb(85, 85, 0), Rgb(255, 255, 0), Rgb(0, 85, 0),
      Rgb(255, 0, 255), Rgb(85, 85, 85), Rgb(255, 255, 255)}},
    // openMSX's MSX1 (C-BIOS) as its raw screenshots show each colour.
    {"openmsx",
     "openMSX MSX1",
     {kTransparent, Rgb(0, 5, 0), Rgb(60, 197, 72), Rgb(115, 217, 124), Rgb(91, 96, 223), Rgb(130, 130, 238),
      Rgb(189, 105, 80), Rgb(98, 228, 235), Rgb(221, 112, 89), Rgb(254, 146, 124), Rgb(204, 204, 92),
      Rgb(221, 216, 134), Rgb(55, 175, 64), Rgb(185, 112, 181), Rgb(202, 211, 201), Rgb(249, 255, 248)}},
};

bool FindPalette(const std::string& name, PaletteId& id) {
  for (int i = 0; i < kPalettes; ++i) {
    const std::string known = kChipPalettes[i].name;
    bool same = known.size() == name.size();
    for (std::size_t c = 0; same && c < name.size(); ++c)
      same = std::tolower(static_cast<unsigned char>(name[c])) == known[c];
    if (same) return id = static_cast<PaletteId>(i), true;
  }
  return false;
}

std::string DescribePalette(const ChipPalette& palette) {
  std::string text = palette.name;
  for (int colour = 1; colour < 16; ++colour) {
    char hex[9];
    const uint32_t packed = palette.colours[colour];
    std::snprintf(hex, sizeof hex, " #%02X%02X%02X", packed & 0xFF, packed >> 8 & 0xFF, packed >> 16 & 0xFF);
    text += hex;
  }
  return text;
}
