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
  std::vector<bool> sprites, tileSets, nameTables, maps, metasprites;
  uint32_t tables = kTextTables;
  ThirdsLayout layout = ThirdsLayout::PerThird;
  std::vector<std::string> unknownNames;  // "no record named ..." for chosen names that name none
};

// The number the sprite attribute table names each sprite by in the exported
// sprite pattern table (4 a sprite); -1 for a sprite not exported.
std::vector<int> SpritePatternNumbers(const ExportSelection& selection, SpriteSize size);

// The chosen sprites (with their patterns' table) and metasprites (with
// theirs) whose pattern number lies past the chip's sprite pattern table: a
// byte of the attribute table cannot name them, so no export writes them.
std::vector<std::string> PastThePatternTable(const Project& data, const ExportLabels& labels,
                                             const ExportSelection& selection);

// Every exported record.
ExportSelection SelectAll(const Project& data, uint32_t tables);
// The target's records, tables and layout.
ExportSelection SelectForTarget(const Project& data, const ExportTarget& target);

// A name table's tables by its mode: "<table>_names" (768 names, 960 for a
// Text screen, with "<table>_BACKDROP" and a Text screen's "<table>_LETTERS"),
// and for a Multicolor screen first "<table>_blocks", its pattern table.
std::vector<DataBlock> NameTableBlocks(const NameTable& table, const std::string& name);

// The tables in the order the text exports write them, each labelled by the
// scheme (see export_labels.h): all the sprites' patterns as one table
// ("sprite_patterns", each sprite's pattern number as "<sprite>_PATTERN"),
// each tile set's patterns and colours ("<set>_patterns", "<set>_colours"),
// each name table's names ("<table>_names", with "<table>_BACKDROP"); then,
// when taken, each attribute table ("<table>_attributes"); then each map's
// metatiles and cells ("<map>_metatiles", "<map>_cells" with "<map>_WIDTH"
// and "<map>_HEIGHT").
std::vector<DataBlock> ExportBlocks(const Project& data, const ExportLabels& labels, const ExportSelection& selection);
