#pragma once
// The chip's 16 colour numbers as each machine shows them. The chip never had
// one set of RGB values: the NTSC TMS9918A and the PAL TMS9929A make different
// signals from the same numbers, an MSX2's V9938 and a Master System's VDP
// show TMS9918A software in their own colours, and emulators choose theirs.
// A project shows, imports and exports in its palette (colour 0 transparent).

#include <cstdint>
#include <string>

// Palette colours packed as the GUI draws them: red in the lowest byte, alpha in the highest.
constexpr uint32_t PackColour(uint8_t r, uint8_t g, uint8_t b, uint8_t a = 255) {
  return uint32_t(r) | uint32_t(g) << 8 | uint32_t(b) << 16 | uint32_t(a) << 24;
}

enum class PaletteId : int32_t { Tms9918a, Tms9929a, V9938, MasterSystem, OpenMsx };
constexpr int kPalettes = 5;

struct ChipPalette {
  const char* name;      // the command line's: "tms9918a"
  const char* title;     // the menu's: "TMS9918A (NTSC)"
  uint32_t colours[16];  // packed as PackColour does: red in the lowest byte
};
extern const ChipPalette kChipPalettes[kPalettes];

// The palette's place in kChipPalettes; the first for a number that names none.
inline int PaletteIndex(PaletteId id) {
  const int index = static_cast<int>(id);
  return index >= 0 && index < kPalettes ? index : 0;
}
inline const ChipPalette& PaletteOf(PaletteId id) { return kChipPalettes[PaletteIndex(id)]; }
// The palette named `name` (any letter case); false when there is none.
bool FindPalette(const std::string& name, PaletteId& id);
// For a palette number this version does not know (a newer one's, kept so that
// it saves back unchanged): what the project shows instead; else empty.
std::string UnknownPaletteNote(PaletteId id);
// "tms9918a #000000 #21C842 ...": the name, then colours 1 to 15.
std::string DescribePalette(const ChipPalette& palette);
