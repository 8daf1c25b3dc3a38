#pragma once
// The labels the exports give their records, shared by every export so that
// their files assemble together: each record's cleaned name, later duplicates
// made unique by a numeric suffix.

#include <cstddef>
#include <string>
#include <vector>

#include "model/project.h"

constexpr std::size_t kMaxExportedRecords = 256;

// A record's label: its name with every character but ASCII letters and digits
// made "_"; the fallback prefix and the position when that is empty or starts
// with a digit.
std::string MakeLabel(const char* name, const char* fallbackPrefix, std::size_t position);

// The records an export writes: at most 256 sprites, and tile sets and name
// tables up to the first unnamed one (at most 256 each).
std::size_t ExportedSprites(const Project& data);
std::size_t ExportedTileSets(const Project& data);
std::size_t ExportedNameTables(const Project& data);
std::size_t ExportedMaps(const Project& data);

struct ExportLabels {
  std::vector<std::string> sprites, tileSets, nameTables, maps;  // one per exported record
  std::vector<std::string> renamed;                              // "Level_1 -> Level_1_2", in file order
};
// A tile set also takes "<label>_colors", a map "<label>_metatiles"; a label already taken gets "_2", "_3"...
// For C, a keyword gets "_" after it and a label starting "__" an "L" before it.
ExportLabels LabelExportedRecords(const Project& data, bool cIdentifiers = false);
