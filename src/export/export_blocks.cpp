#include "export/export_blocks.h"

#include <algorithm>
#include <set>

#include "chip/sprite_attributes.h"
#include "export/chip_bytes.h"

namespace {
// Flags the first `exported` records named in `names`; `found` gets each name that named one.
template <typename Record>
std::vector<bool> Chosen(const std::vector<Record>& list, std::size_t exported, const std::vector<std::string>& names,
                         std::set<std::string>& found) {
  std::vector<bool> chosen(exported, false);
  for (std::size_t i = 0; i < exported; ++i)
    if (std::find(names.begin(), names.end(), list[i].name) != names.end())
      chosen[i] = true, found.insert(list[i].name);
  return chosen;
}
}  // namespace

ExportSelection SelectAll(const Project& data, uint32_t tables) {
  ExportSelection selection;
  selection.sprites.assign(ExportedSprites(data), true);
  selection.tileSets.assign(ExportedTileSets(data), true);
  selection.nameTables.assign(ExportedNameTables(data), true);
  selection.maps.assign(ExportedMaps(data), true);
  selection.tables = tables;
  return selection;
}

ExportSelection SelectForTarget(const Project& data, const ExportTarget& target) {
  ExportSelection selection = SelectAll(data, target.tables);
  selection.layout = target.layout;
  if (target.allRecords) return selection;
  std::set<std::string> found;
  selection.sprites = Chosen(data.sprites, ExportedSprites(data), target.sprites, found);
  selection.tileSets = Chosen(data.tileSets, ExportedTileSets(data), target.tileSets, found);
  selection.nameTables = Chosen(data.nameTables, ExportedNameTables(data), target.nameTables, found);
  selection.maps = Chosen(data.maps, ExportedMaps(data), target.maps, found);
  for (const auto* names : {&target.sprites, &target.tileSets, &target.nameTables, &target.maps})
    for (const std::string& name : *names)
      if (!found.count(name)) found.insert(name), selection.unknownNames.push_back("no record named \"" + name + "\"");
  return selection;
}

std::vector<DataBlock> ExportBlocks(const Project& data, const ExportLabels& labels, const ExportSelection& selection,
                                    bool spritesAsOneTable) {
  std::vector<DataBlock> blocks;
  if (selection.tables & kSpritePatterns) {
    for (std::size_t i = 0; i < labels.sprites.size(); ++i)
      if (selection.sprites[i]) blocks.push_back({labels.sprites[i], SpritePatternBytes(data.sprites[i]), 8, false});
    if (!blocks.empty()) blocks.back().gapAfter = true;
  }
  const bool merged = spritesAsOneTable && !blocks.empty();
  if (merged) {
    DataBlock all{"sprite_patterns", {}, 8};
    for (const DataBlock& sprite : blocks) all.bytes.insert(all.bytes.end(), sprite.bytes.begin(), sprite.bytes.end());
    blocks = {all};
  }
  for (std::size_t i = 0; i < labels.tileSets.size(); ++i) {
    if (!selection.tileSets[i]) continue;
    if (selection.tables & kPatternTable) blocks.push_back({labels.tileSets[i], PatternBytes(data.tileSets[i])});
    if (selection.tables & kColourTable)
      blocks.push_back({labels.tileSets[i] + "_colors", ColourBytes(data.tileSets[i])});
  }
  for (std::size_t i = 0; i < labels.nameTables.size(); ++i) {
    const NameTable& table = data.nameTables[i];
    if (selection.nameTables[i] && (selection.tables & kNameTableData))
      blocks.push_back(
          {labels.nameTables[i], std::vector<uint8_t>(std::begin(table.cells), std::end(table.cells)), kTableColumns});
  }
  for (std::size_t i = 0; i < labels.nameTables.size(); ++i)
    if (selection.nameTables[i] && (selection.tables & kSpriteAttributeTable))
      blocks.push_back(
          {labels.nameTables[i] + "_sat", BuildSpriteAttributes(data.nameTables[i], data.sprites).Bytes(), 4});
  for (std::size_t i = 0; i < labels.maps.size(); ++i) {
    if (!selection.maps[i] || !(selection.tables & kMapData)) continue;
    const Map& map = data.maps[i];
    blocks.push_back({labels.maps[i] + "_metatiles", MetatileBytes(map), map.metatileSize * map.metatileSize});
    blocks.push_back({labels.maps[i], map.cells, std::min(map.width, kTableColumns)});
    blocks.back().constants = {{labels.maps[i] + "_WIDTH", map.width}, {labels.maps[i] + "_HEIGHT", map.height}};
  }
  // The one sprite table's label must not be a record's.
  for (std::size_t i = 1; merged && i < blocks.size(); ++i)
    if (blocks[i].label == blocks[0].label) blocks[0].label += "_", i = 0;
  return blocks;
}

const TileSet& ExportedThirdSet(const Project& data, const NameTable& table, int third, ThirdsLayout layout) {
  const int row = layout == ThirdsLayout::SharedFirstSet ? 0 : 8 * third;
  return data.tileSets[TileSetForRow(table, row, data.tileSets.size())];
}
