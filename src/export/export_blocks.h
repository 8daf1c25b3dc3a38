#pragma once
// What one export takes from a project: all exported records or those chosen
// by name, and which tables; and those records' tables as labelled blocks for
// the text writer.

#include <cstdint>
#include <string>
#include <vector>

#include "export/export_labels.h"
#include "export/text_dialects.h"
#include "model/project.h"

struct ExportSelection {
  // One flag per exported record (see export_labels.h).
  std::vector<bool> sprites, tileSets, nameTables, maps;
  uint32_t tables = kTextTables;
  ThirdsLayout layout = ThirdsLayout::PerThird;
  std::vector<std::string> unknownNames;  // "no record named ..." for chosen names that name none
};

// Every exported record.
ExportSelection SelectAll(const Project& data, uint32_t tables);
// The target's records, tables and layout.
ExportSelection SelectForTarget(const Project& data, const ExportTarget& target);

// In the order the assembly export always wrote them: each sprite's pattern
// ("<label>", a blank line after the last), each tile set's patterns
// ("<label>") and colours ("<label>_colors"), each name table ("<label>", 32
// bytes a line); then, when taken, each attribute table ("<label>_sat").
// Then each map's metatiles ("<label>_metatiles") and cells ("<label>", with
// its width and height as "<label>_WIDTH" and "<label>_HEIGHT").
// `spritesAsOneTable` puts all the sprites' patterns in one block,
// "sprite_patterns" (with "_" after it while a record has that label), for
// packing them together as a game loads them.
std::vector<DataBlock> ExportBlocks(const Project& data, const ExportLabels& labels, const ExportSelection& selection,
                                    bool spritesAsOneTable = false);

// The set a third of `table` is exported with under `layout`.
const TileSet& ExportedThirdSet(const Project& data, const NameTable& table, int third, ThirdsLayout layout);
