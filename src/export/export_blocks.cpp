#include "export/export_blocks.h"

#include <algorithm>
#include <set>

#include "chip/chip_bytes.h"
#include "chip/group_colours.h"
#include "chip/map_walk.h"
#include "chip/sprite_attributes.h"
#include "chip/video_memory.h"
#include "export/game_constants.h"
#include "export/game_tables.h"

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
// Where the map's walker starts, in map pixels: its own start, or where Play
// Map would put it from the map's top-left screen.
std::pair<int, int> WalkStart(const Project& data, std::size_t map) {
  const WalkWorld world = MakeWalkWorld(data, map, 0, 0);
  if (world.error.empty()) return {world.startX, world.startY};
  return {std::max(0, data.maps[map].play.startX), std::max(0, data.maps[map].play.startY)};
}

// Chooses what the chosen records need to show as the editor shows them: a
// screen's tile sets and placed sprites, a map's tile set and walker, a
// metasprite's sprites; so that pattern numbers agree within the export.
void KeepWhatTheChosenNeed(const Project& data, ExportSelection& selection) {
  const auto choose = [](std::vector<bool>& chosen, int32_t index) {
    if (index >= 0 && static_cast<std::size_t>(index) < chosen.size()) chosen[index] = true;
  };
  for (std::size_t i = 0; i < selection.maps.size(); ++i) {
    if (!selection.maps[i]) continue;
    const Map& map = data.maps[i];
    choose(selection.tileSets, map.tileSet);
    if (map.play.walkStrip < 0 || map.play.walkStrip >= kStrips) {
      choose(selection.sprites, 0);
      continue;
    }
    for (int cell = 0; cell < kStripCells; ++cell)
      choose(data.strips.metasprite[map.play.walkStrip][cell] ? selection.metasprites : selection.sprites,
             data.strips.cells[map.play.walkStrip][cell]);
  }
  for (std::size_t i = 0; i < selection.nameTables.size(); ++i) {
    if (!selection.nameTables[i]) continue;
    for (int32_t set : data.nameTables[i].thirdTileSets) choose(selection.tileSets, set);
    for (const SpritePlacement& placement : data.nameTables[i].placements)
      choose(selection.sprites, placement.spriteIndex);
  }
  for (std::size_t i = 0; i < selection.metasprites.size(); ++i)
    if (selection.metasprites[i])
      for (const MetaspritePart& part : data.metasprites[i].parts) choose(selection.sprites, part.sprite);
}
}  // namespace

ExportSelection SelectAll(const Project& data, uint32_t tables) {
  ExportSelection selection;
  selection.sprites.assign(ExportedSprites(data), true);
  selection.tileSets.assign(ExportedTileSets(data), true);
  selection.nameTables.assign(ExportedNameTables(data), true);
  selection.maps.assign(ExportedMaps(data), true);
  selection.metasprites.assign(ExportedMetasprites(data), true);
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
  // A metasprite is chosen by name as a sprite is.
  selection.metasprites = Chosen(data.metasprites, ExportedMetasprites(data), target.sprites, found);
  KeepWhatTheChosenNeed(data, selection);
  for (const auto* names : {&target.sprites, &target.tileSets, &target.nameTables, &target.maps})
    for (const std::string& name : *names)
      if (!found.count(name)) found.insert(name), selection.unknownNames.push_back("no record named \"" + name + "\"");
  return selection;
}

std::vector<DataBlock> NameTableBlocks(const NameTable& table, const std::string& name) {
  const std::vector<std::pair<std::string, int>> backdrop = {{name + "_BACKDROP", table.backdrop & 15}};
  if (table.mode == ScreenMode::Text)
    return {{name + kNamesSuffix,
             table.textCells,
             kTextColumns,
             true,
             0,
             {backdrop[0], {name + "_LETTERS", table.textColour & 15}},
             "Text screen " + name + ", 40 x 24 names (letters in " + name + "_LETTERS)",
             kTextNameBase}};
  if (table.mode == ScreenMode::Multicolor)
    return {{name + kBlocksSuffix, MulticolorPatternBytes(table), 8, true, 0, backdrop,
             "Multicolor screen " + name + " as its pattern table: a byte a row of 2 blocks", kMulticolorPatternBase},
            {name + kNamesSuffix,
             MulticolorNameBytes(),
             kTableColumns,
             true,
             0,
             {},
             "name table of Multicolor screen " + name + " (the same for every such screen)",
             kMulticolorNameBase}};
  return {{name + kNamesSuffix, std::vector<uint8_t>(std::begin(table.cells), std::end(table.cells)), kTableColumns,
           true, 0, backdrop, table.mode == ScreenMode::Graphics1 ? "Graphics I screen " + name : "name table " + name,
           kNameBase}};
}

std::vector<DataBlock> ExportBlocks(const Project& data, const ExportLabels& labels, const ExportSelection& selection) {
  std::vector<DataBlock> blocks;
  if (selection.tables & kSpritePatterns) {
    DataBlock all{kSpritePatternsLabel, {}, 8};
    for (std::size_t i = 0; i < labels.sprites.size(); ++i) {
      if (!selection.sprites[i]) continue;
      // The number a sprite attribute names it by: 16x16 sprites take four 8x8 patterns each.
      all.constants.push_back({labels.sprites[i] + "_PATTERN", static_cast<int>(all.bytes.size() / 8)});
      const std::vector<uint8_t> pattern = SpritePatternBytes(data.sprites[i], data.spriteSize);
      all.bytes.insert(all.bytes.end(), pattern.begin(), pattern.end());
    }
    all.what =
        "sprite pattern table, " + std::to_string(data.spriteSize.side * data.spriteSize.side / 8) + " bytes a sprite";
    all.vram = kSpritePatternBase, all.kind = kSpritePatterns;
    if (!all.constants.empty()) blocks.push_back(all);
  }
  for (std::size_t i = 0; i < labels.tileSets.size(); ++i) {
    if (!selection.tileSets[i]) continue;
    const std::string& set = labels.tileSets[i];
    if (selection.tables & kPatternTable)
      blocks.push_back({set + kPatternsSuffix,
                        PatternBytes(data.tileSets[i]),
                        8,
                        true,
                        0,
                        {},
                        "pattern table of tile set " + set + " (a third's; add 0x800 a third)",
                        kPatternBase,
                        kPatternTable});
    if ((selection.tables & kColourTable) && SetShowsGroupColours(data, i))
      blocks.push_back({set + kGroupColoursSuffix,
                        GroupColourBytes(data.tileSets[i]),
                        8,
                        true,
                        0,
                        {},
                        "Graphics I colour table of tile set " + set + " (a byte a group of 8 tiles)",
                        kGraphics1ColourBase,
                        kColourTable});
    if ((selection.tables & kColourTable) && !data.tileSets[i].graphics1)
      blocks.push_back({set + kColoursSuffix,
                        ColourBytes(data.tileSets[i]),
                        8,
                        true,
                        0,
                        {},
                        "colour table of tile set " + set + " (a third's; add 0x800 a third)",
                        kColourBase,
                        kColourTable});
  }
  for (std::size_t i = 0; i < labels.nameTables.size(); ++i)
    if (selection.nameTables[i] && (selection.tables & kNameTableData))
      for (DataBlock& block : NameTableBlocks(data.nameTables[i], labels.nameTables[i]))
        block.kind = kNameTableData, blocks.push_back(block);
  for (std::size_t i = 0; i < labels.nameTables.size(); ++i)
    if (selection.nameTables[i] && (selection.tables & kSpriteAttributeTable) &&
        data.nameTables[i].mode != ScreenMode::Text)
      blocks.push_back({labels.nameTables[i] + kAttributesSuffix,
                        BuildSpriteAttributes(data.nameTables[i], data.sprites, data.spriteSize).Bytes(),
                        4,
                        true,
                        0,
                        {},
                        "sprite attribute table of name table " + labels.nameTables[i],
                        kAttributeBase,
                        kSpriteAttributeTable});
  for (std::size_t i = 0; i < labels.maps.size(); ++i) {
    if (!selection.maps[i] || !(selection.tables & kMapData)) continue;
    const Map& map = data.maps[i];
    const std::string& name = labels.maps[i];
    const std::pair<int, int> start = WalkStart(data, i);
    blocks.push_back({name + kMetatilesSuffix,
                      MetatileBytes(map),
                      map.metatileSize * map.metatileSize,
                      true,
                      0,
                      {},
                      std::to_string(map.metatiles.size()) + " metatiles of map " + name + ", " +
                          std::to_string(map.metatileSize * map.metatileSize) + " tiles each",
                      -1,
                      kMapData});
    blocks.push_back({name + kCellsSuffix,
                      map.cells,
                      std::min(map.width, kTableColumns),
                      true,
                      0,
                      {{name + "_WIDTH", map.width},
                       {name + "_HEIGHT", map.height},
                       {name + "_METATILE_SIZE", map.metatileSize},
                       {name + "_METATILES", static_cast<int>(map.metatiles.size())},
                       {name + "_START_X", start.first},
                       {name + "_START_Y", start.second}},
                      "cells of map " + name + ", a metatile number each, row by row",
                      -1,
                      kMapData});
    blocks.push_back({name + kSolidSuffix,
                      SolidBytes(map),
                      16,
                      true,
                      0,
                      {},
                      "solid metatiles of map " + name + ": a byte each, 1 where a walker cannot enter",
                      -1,
                      kMapData});
  }
  const std::vector<int> patterns = SpritePatternNumbers(selection, data.spriteSize);
  // A strip names a metasprite by its place here: a program indexes this table with it.
  DataBlock tables{"metasprite_tables",
                   {},
                   8,
                   true,
                   0,
                   {},
                   "each metasprite table above, in order: a strip's metasprite place is its index"};
  for (std::size_t i = 0; i < labels.metasprites.size(); ++i)
    if (selection.metasprites[i] && (selection.tables & kMetaspriteTables)) {
      tables.addresses.push_back(labels.metasprites[i] + kMetaspriteSuffix);
      blocks.push_back(
          {labels.metasprites[i] + kMetaspriteSuffix,
           MetaspriteBytes(data.metasprites[i], data.sprites, patterns, data.spriteSize),
           4,
           true,
           0,
           {},
           "parts of metasprite " + labels.metasprites[i] + ": their count, then y, x, pattern, colour each",
           -1,
           kMetaspriteTables});
    }
  if (!tables.addresses.empty()) blocks.push_back(tables);
  if (selection.tables & kMetaspriteTables)
    for (const DataBlock& strip : StripBlocks(data, selection)) blocks.push_back(strip);
  return blocks;
}

std::vector<int> SpritePatternNumbers(const ExportSelection& selection, SpriteSize size) {
  std::vector<int> numbers;
  int next = 0;
  for (bool exported : selection.sprites) numbers.push_back(exported ? size.PatternNumber(next++) : -1);
  return numbers;
}

std::vector<std::string> PastThePatternTable(const Project& data, const ExportLabels& labels,
                                             const ExportSelection& selection) {
  constexpr int kLastPattern = 255;
  const std::vector<int> patterns = SpritePatternNumbers(selection, data.spriteSize);
  std::vector<std::string> past;
  if (selection.tables & kSpritePatterns)
    for (std::size_t i = 0; i < patterns.size(); ++i)
      if (patterns[i] > kLastPattern) past.push_back("sprite " + labels.sprites[i]);
  if (selection.tables & kMetaspriteTables)
    for (std::size_t i = 0; i < labels.metasprites.size(); ++i) {
      const auto& parts = data.metasprites[i].parts;
      if (selection.metasprites[i] && std::any_of(parts.begin(), parts.end(), [&](const MetaspritePart& part) {
            return part.sprite >= 0 && part.sprite < static_cast<int>(patterns.size()) &&
                   patterns[part.sprite] > kLastPattern;
          }))
        past.push_back("metasprite " + labels.metasprites[i]);
    }
  return past;
}
