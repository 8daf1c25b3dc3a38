#include "export/video_memory.h"

#include <algorithm>

#include "chip/sprite_attributes.h"
#include "export/chip_bytes.h"
#include "export/data_export.h"
#include "export/export_blocks.h"

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

std::vector<VideoBlock> ScreenVideoBlocks(const Project& data, const ChipTables& tables, const NameTable& table,
                                          ThirdsLayout layout) {
  std::vector<VideoBlock> blocks;
  if (!data.tileSets.empty()) {
    for (int third = 0; third < kThirds; ++third) {
      const std::size_t set = &ExportedThirdSet(data, table, third, layout) - data.tileSets.data();
      blocks.push_back({uint16_t(kPatternBase + kThirdTableSize * third), tables.patterns[set]});
      blocks.push_back({uint16_t(kColourBase + kThirdTableSize * third), tables.colours[set]});
    }
  }
  blocks.push_back({kNameBase, std::vector<uint8_t>(std::begin(table.cells), std::end(table.cells))});
  blocks.push_back({kAttributeBase, BuildSpriteAttributes(table, data.sprites, data.spriteSize).Bytes()});
  if (!tables.spritePatterns.empty()) blocks.push_back({kSpritePatternBase, tables.spritePatterns});
  return blocks;
}

std::string VideoMemoryImage(const std::vector<VideoBlock>& blocks) {
  std::string memory(kVideoMemorySize, '\0');
  for (const VideoBlock& block : blocks)
    std::copy(block.bytes.begin(), block.bytes.end(), memory.begin() + block.address);
  return memory;
}
