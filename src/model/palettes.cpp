#include "model/palettes.h"

#include <cctype>
#include <cstdio>

namespace {
constexpr uint32_t kTransparent = PackColour(0, 0, 0, 0);
}  // namespace

const ChipPalette kChipPalettes[kPalettes] = {
    // The editor's own since its first version, derived from the TMS9918A
    // data sheet's luminance and colour-difference levels.
    {"tms9918a",
     "TMS9918A (NTSC)",
     {kTransparent, PackColour(0, 0, 0), PackColour(33, 200, 66), PackColour(94, 220, 120), PackColour(84, 85, 237),
      PackColour(125, 118, 252), PackColour(212, 82, 77), PackColour(66, 235, 245), PackColour(252, 85, 84),
      PackColour(255, 121, 120), PackColour(212, 193, 84), PackColour(230, 206, 128), PackColour(33, 176, 59),
      PackColour(201, 91, 178), PackColour(204, 204, 204), PackColour(255, 255, 255)}},
    // Derived from a TMS9929ANL's Y, R-Y and B-Y output levels measured in
    // millivolts: R = Y + (R-Y), B = Y + (B-Y), G = Y - 0.509 (R-Y) - 0.194 (B-Y),
    // white (964 mV) as 255.
    {"tms9929a",
     "TMS9929A (PAL)",
     {kTransparent, PackColour(0, 0, 0), PackColour(36, 202, 70), PackColour(95, 220, 121), PackColour(88, 85, 240),
      PackColour(129, 118, 255), PackColour(214, 81, 78), PackColour(69, 237, 249), PackColour(255, 87, 87),
      PackColour(255, 120, 121), PackColour(214, 195, 87), PackColour(232, 208, 130), PackColour(36, 175, 62),
      PackColour(206, 92, 189), PackColour(206, 206, 206), PackColour(255, 255, 255)}},
    // The V9938's palette after reset, three bits a channel, each level n as n * 255 / 7.
    {"v9938",
     "V9938 (MSX2)",
     {kTransparent, PackColour(0, 0, 0), PackColour(36, 219, 36), PackColour(109, 255, 109), PackColour(36, 36, 255),
      PackColour(73, 109, 255), PackColour(182, 36, 36), PackColour(73, 219, 255), PackColour(255, 36, 36),
      PackColour(255, 109, 109), PackColour(219, 219, 36), PackColour(219, 219, 146), PackColour(36, 146, 36),
      PackColour(219, 73, 182), PackColour(182, 182, 182), PackColour(255, 255, 255)}},
    // What a Master System's VDP shows in the TMS9918A's modes: its own 6-bit
    // colours (levels 0, 85, 170, 255), as measured on a 315-5124.
    {"sms",
     "Master System (SG-1000 modes)",
     {kTransparent, PackColour(0, 0, 0), PackColour(0, 170, 0), PackColour(0, 255, 0), PackColour(0, 0, 85),
      PackColour(0, 0, 255), PackColour(85, 0, 0), PackColour(0, 255, 255), PackColour(170, 0, 0),
      PackColour(255, 0, 0), PackColour(85, 85, 0), PackColour(255, 255, 0), PackColour(0, 85, 0),
      PackColour(255, 0, 255), PackColour(85, 85, 85), PackColour(255, 255, 255)}},
    // openMSX's MSX1 (C-BIOS) as its raw screenshots show each colour.
    {"openmsx",
     "openMSX MSX1",
     {kTransparent, PackColour(0, 5, 0), PackColour(60, 197, 72), PackColour(115, 217, 124), PackColour(91, 96, 223),
      PackColour(130, 130, 238), PackColour(189, 105, 80), PackColour(98, 228, 235), PackColour(221, 112, 89),
      PackColour(254, 146, 124), PackColour(204, 204, 92), PackColour(221, 216, 134), PackColour(55, 175, 64),
      PackColour(185, 112, 181), PackColour(202, 211, 201), PackColour(249, 255, 248)}},
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

std::string UnknownPaletteNote(PaletteId id) {
  if (PaletteIndex(id) == static_cast<int>(id)) return {};
  return "the project names palette " + std::to_string(static_cast<int>(id)) + ", unknown to this version: it shows in " +
         PaletteOf(id).title;
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
