#pragma once
// A screen as the chip's video memory holds it in its mode: in Graphics II the
// thirds' pattern and colour tables, the names, the sprite attribute table
// and the sprite patterns, each at the address the chip reads it from. The SCREEN 2
// files, the cartridges and the emulator link all take their bytes from here.

#include <cstdint>
#include <string>
#include <vector>

#include "model/project.h"

constexpr uint16_t kPatternBase = 0x0000, kNameBase = 0x1800, kAttributeBase = 0x1B00, kColourBase = 0x2000,
                   kSpritePatternBase = 0x3800;
constexpr std::size_t kThirdTableSize = 0x0800, kVideoMemorySize = 0x4000;
// The other modes at the addresses MSX BASIC's SCREEN 1, 0 and 3 give them;
// Graphics I keeps Graphics II's names and sprites.
constexpr uint16_t kGraphics1ColourBase = 0x2000;
constexpr uint16_t kTextNameBase = 0x0000, kTextPatternBase = 0x0800;
constexpr uint16_t kMulticolorPatternBase = 0x0000, kMulticolorNameBase = 0x0800;
constexpr int kMulticolorPatterns = 192;  // a column of 8 block rows each

struct VideoBlock {
  uint16_t address;
  std::vector<uint8_t> bytes;
};

// The set a third of `table` draws from under `layout`.
const TileSet& ThirdSet(const Project& data, const NameTable& table, int third, ThirdsLayout layout);

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

// Multicolor's fixed names: the name at (row, column) is column + 32 * (row / 4),
// so that each pattern holds a column of 8 block rows, 2 blocks to a byte.
std::vector<uint8_t> MulticolorNameBytes();
// The screen's blocks as those patterns: a byte a block row, left block in the high four bits.
std::vector<uint8_t> MulticolorPatternBytes(const NameTable& table);

// The chip's registers 0 to 7 for the screen (16 KB, display on, its mode,
// its sprite size; the addresses above) and the mode's number as the MSX
// BIOS's CHGMOD takes it.
struct ModeRegisters {
  uint8_t biosMode;
  uint8_t values[8];
};
ModeRegisters RegistersFor(const NameTable& table, SpriteSize size);

// The 16 KB the blocks fill, zero elsewhere.
std::string VideoMemoryImage(const std::vector<VideoBlock>& blocks);
