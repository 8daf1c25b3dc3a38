#pragma once
// Cartridge images that boot on a machine built around the chip and show
// screens of the project: a loader assembled from src/chip/loaders, then a
// table of screens, each a list of blocks to copy into video memory, then the
// blocks themselves (each distinct one stored once).

#include <cstddef>
#include <string>
#include <vector>

#include "model/project.h"

enum class Machine { Msx1, Sg1000 };
inline constexpr const char* kMachineNames[] = {"msx1", "sg1000"};
constexpr std::size_t kCartridgeLimit = 0x8000;

struct Cartridge {
  std::string bytes;  // the ROM, 16 or 32 KB; empty when refused
  std::string error;  // why it was refused
};

// Appends `value` as the Z80 reads a word: low byte first.
void PutWord(std::string& rom, std::size_t value);

// A ROM showing the name tables `screens` (indices), the first at start, the
// next at each press of space (MSX) or button 1 (SG-1000).
Cartridge BuildCartridge(const Project& data, const std::vector<std::size_t>& screens, Machine machine);
