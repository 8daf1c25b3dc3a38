#include "chip/video_memory.h"

#include <algorithm>

#include "chip/chip_bytes.h"
#include "chip/group_colours.h"
#include "chip/sprite_attributes.h"

const TileSet& ThirdSet(const Project& data, const NameTable& table, int third, ThirdsLayout layout) {
  const int row = layout == ThirdsLayout::SharedFirstSet ? 0 : 8 * third;
  return data.tileSets[TileSetForRow(table, row, data.tileSets.size())];
}

ChipTables BuildChipTables(const Project& data, const NameTable* only) {
  ChipTables tables;
  tables.patterns.resize(data.tileSets.size());
  tables.colours.resize(data.tileSets.size());
  for (std::size_t i = 0; i < data.tileSets.size(); ++i) {
    bool used = !only;
    for (int third = 0; third < kThirds && !used; ++third)
      used = TileSetForRow(*only, 8 * third, data.tileSets.size()) == static_cast<int>(i);
    if (!used) continue;
    tables.patterns[i] = PatternBytes(data.tileSets[i]);
    tables.colours[i] = ColourBytes(data.tileSets[i]);
  }
  const std::size_t shown = std::min<std::size_t>(data.sprites.size(), data.spriteSize.PatternTableSprites());
  for (std::size_t i = 0; i < shown; ++i) {
    const std::vector<uint8_t> bytes = SpritePatternBytes(data.sprites[i], data.spriteSize);
    tables.spritePatterns.insert(tables.spritePatterns.end(), bytes.begin(), bytes.end());
  }
  return tables;
}

namespace {
std::vector<uint8_t> Bytes(const std::vector<uint8_t>& from) { return from; }
template <std::size_t N>
std::vector<uint8_t> Bytes(const uint8_t (&from)[N]) {
  return std::vector<uint8_t>(std::begin(from), std::end(from));
}

void AddSprites(std::vector<VideoBlock>& blocks, const Project& data, const ChipTables& tables,
                const NameTable& table) {
  blocks.push_back({kAttributeBase, BuildSpriteAttributes(table, data.sprites, data.spriteSize).Bytes()});
  if (!tables.spritePatterns.empty()) blocks.push_back({kSpritePatternBase, tables.spritePatterns});
}

// The tile set Graphics I and Text screens draw from: the top third's.
std::size_t ScreenSet(const Project& data, const NameTable& table) {
  return static_cast<std::size_t>(TileSetForRow(table, 0, data.tileSets.size()));
}

std::vector<VideoBlock> Graphics1Blocks(const Project& data, const ChipTables& tables, const NameTable& table) {
  std::vector<VideoBlock> blocks;
  if (!data.tileSets.empty()) {
    const std::size_t set = ScreenSet(data, table);
    blocks.push_back({kPatternBase, tables.patterns[set]});
    blocks.push_back({kGraphics1ColourBase, GroupColourBytes(data.tileSets[set])});
  }
  blocks.push_back({kNameBase, Bytes(table.cells)});
  AddSprites(blocks, data, tables, table);
  return blocks;
}

std::vector<VideoBlock> TextBlocks(const Project& data, const ChipTables& tables, const NameTable& table) {
  std::vector<VideoBlock> blocks;
  if (!data.tileSets.empty()) blocks.push_back({kTextPatternBase, tables.patterns[ScreenSet(data, table)]});
  blocks.push_back({kTextNameBase, Bytes(table.textCells)});
  return blocks;
}

std::vector<VideoBlock> MulticolorBlocks(const Project& data, const ChipTables& tables, const NameTable& table) {
  std::vector<VideoBlock> blocks{{kMulticolorPatternBase, MulticolorPatternBytes(table)},
                                 {kMulticolorNameBase, MulticolorNameBytes()}};
  AddSprites(blocks, data, tables, table);
  return blocks;
}
}  // namespace

std::vector<uint8_t> MulticolorNameBytes() {
  std::vector<uint8_t> names;
  for (int row = 0; row < kTableRows; ++row)
    for (int column = 0; column < kTableColumns; ++column)
      names.push_back(static_cast<uint8_t>(column + 32 * (row / 4)));
  return names;
}

std::vector<uint8_t> MulticolorPatternBytes(const NameTable& table) {
  std::vector<uint8_t> bytes(kMulticolorPatterns * 8, 0);
  if (table.blocks.size() != static_cast<std::size_t>(kBlockColumns * kBlockRows)) return bytes;
  for (int pattern = 0; pattern < kMulticolorPatterns; ++pattern)
    for (int byte = 0; byte < 8; ++byte) {
      const uint8_t* pair = &table.blocks[(8 * (pattern / 32) + byte) * kBlockColumns + 2 * (pattern % 32)];
      bytes[pattern * 8 + byte] = static_cast<uint8_t>((pair[0] & 15) << 4 | (pair[1] & 15));
    }
  return bytes;
}

std::vector<VideoBlock> ScreenVideoBlocks(const Project& data, const ChipTables& tables, const NameTable& table,
                                          ThirdsLayout layout) {
  if (table.mode == ScreenMode::Graphics1) return Graphics1Blocks(data, tables, table);
  if (table.mode == ScreenMode::Text) return TextBlocks(data, tables, table);
  if (table.mode == ScreenMode::Multicolor) return MulticolorBlocks(data, tables, table);
  std::vector<VideoBlock> blocks;
  if (!data.tileSets.empty()) {
    for (int third = 0; third < kThirds; ++third) {
      const std::size_t set = &ThirdSet(data, table, third, layout) - data.tileSets.data();
      blocks.push_back({uint16_t(kPatternBase + kThirdTableSize * third), tables.patterns[set]});
      blocks.push_back({uint16_t(kColourBase + kThirdTableSize * third), tables.colours[set]});
    }
  }
  blocks.push_back({kNameBase, Bytes(table.cells)});
  AddSprites(blocks, data, tables, table);
  return blocks;
}

ModeRegisters RegistersFor(const NameTable& table, SpriteSize size) {
  const uint8_t sprites = size.RegisterBits(), backdrop = static_cast<uint8_t>(table.backdrop & 15);
  switch (table.mode) {
    case ScreenMode::Graphics1:
      return {1, {0x00, uint8_t(0xC0 | sprites), 0x06, 0x80, 0x00, 0x36, 0x07, backdrop}};
    case ScreenMode::Text:
      return {0, {0x00, 0xD0, 0x00, 0x00, 0x01, 0x36, 0x07, uint8_t((table.textColour & 15) << 4 | backdrop)}};
    case ScreenMode::Multicolor:
      return {3, {0x00, uint8_t(0xC8 | sprites), 0x02, 0x00, 0x00, 0x36, 0x07, backdrop}};
    default:
      return {2, {0x02, uint8_t(0xC0 | sprites), 0x06, 0xFF, 0x03, 0x36, 0x07, backdrop}};
  }
}

std::string VideoMemoryImage(const std::vector<VideoBlock>& blocks) {
  std::string memory(kVideoMemorySize, '\0');
  for (const VideoBlock& block : blocks)
    std::copy(block.bytes.begin(), block.bytes.end(), memory.begin() + block.address);
  return memory;
}
