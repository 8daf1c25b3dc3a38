#pragma once
// A screen as the chip's video memory in Graphics II holds it: the thirds'
// pattern and colour tables, the names, the sprite attribute table and the
// sprite patterns, each at the address the chip reads it from. The SCREEN 2
// files, the cartridges and the emulator link all take their bytes from here.

#include <cstdint>
#include <string>
#include <vector>

#include "model/project.h"

constexpr uint16_t kPatternBase = 0x0000, kNameBase = 0x1800, kAttributeBase = 0x1B00, kColourBase = 0x2000,
                   kSpritePatternBase = 0x3800;
constexpr std::size_t kThirdTableSize = 0x0800, kVideoMemorySize = 0x4000;

struct VideoBlock {
  uint16_t address;
  std::vector<uint8_t> bytes;
};

// Each tile set's pattern and colour tables, and the sprite patterns the
// pattern table holds (the first 64 sprites), made once for many screens;
// with `only`, just those of the sets its thirds draw from.
struct ChipTables {
  std::vector<std::vector<uint8_t>> patterns, colours;
  std::vector<uint8_t> spritePatterns;
};
ChipTables BuildChipTables(const Project& data, const NameTable* only = nullptr);

// The blocks of `table`, patterns and colours of each third first, the thirds'
// sets by `layout`. A project without tile sets gives no pattern or colour blocks.
std::vector<VideoBlock> ScreenVideoBlocks(const Project& data, const ChipTables& tables, const NameTable& table,
                                          ThirdsLayout layout);

// The 16 KB the blocks fill, zero elsewhere.
std::string VideoMemoryImage(const std::vector<VideoBlock>& blocks);
