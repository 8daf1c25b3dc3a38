#pragma once
// The labels the exports give their records and tables, decided here for every
// format so that a program's code can rely on them (the scheme's version is in
// every file's header). A record's base is its name made an identifier; a
// table's label is the base with the table's kind after it ("Dungeon_patterns",
// "Level_names"), so records of different kinds never share a label, and a
// record's labels are the same packed or not, one set or three. Records of one
// kind with the same base get "_2", "_3"... after it, and the export says so.

#include <cstddef>
#include <string>
#include <vector>

#include "model/project.h"

constexpr std::size_t kMaxExportedRecords = 256;
constexpr int kLabelScheme = 2;  // written in every export's header; raised when a label changes

// The kinds' suffixes, and the one table of all the sprites' patterns.
inline constexpr const char* kPatternsSuffix = "_patterns";
inline constexpr const char* kColoursSuffix = "_colours";
inline constexpr const char* kGroupColoursSuffix = "_group_colours";  // Graphics I: 32 bytes
inline constexpr const char* kBlocksSuffix = "_blocks";               // Multicolor: the blocks as patterns
inline constexpr const char* kNamesSuffix = "_names";
inline constexpr const char* kAttributesSuffix = "_attributes";
inline constexpr const char* kMetatilesSuffix = "_metatiles";
inline constexpr const char* kCellsSuffix = "_cells";
inline constexpr const char* kSolidSuffix = "_solid";  // a byte a metatile: 1 where a walker cannot enter
inline constexpr const char* kMetaspriteSuffix = "_metasprite";
inline constexpr const char* kSpritePatternsLabel = "sprite_patterns";

// A record's base: its name with accented Latin letters made plain (é e, ß ss),
// other letters beyond ASCII dropped and every other character but ASCII
// letters and digits made "_"; "L" before it when it starts with a digit or
// "_" (no label may start so in C or with SDCC); the fallback prefix and the
// position when nothing is left.
std::string MakeLabel(const char* name, const char* fallbackPrefix, std::size_t position);

// The records an export writes: at most 256 sprites, and tile sets and name
// tables up to the first unnamed one (at most 256 each).
std::size_t ExportedSprites(const Project& data);
std::size_t ExportedTileSets(const Project& data);
std::size_t ExportedNameTables(const Project& data);
std::size_t ExportedMaps(const Project& data);
std::size_t ExportedMetasprites(const Project& data);

struct ExportLabels {
  std::vector<std::string> sprites, tileSets, nameTables, maps, metasprites;  // each exported record's base
  std::vector<std::string> renamed;                              // "Level_1 -> Level_1_2", in file order
};
ExportLabels LabelExportedRecords(const Project& data);
