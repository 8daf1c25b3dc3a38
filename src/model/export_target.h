#pragma once
// An export target: one file (or folder) a game's build takes from the
// project, set up once and written again with every Export Again. Saved in the
// project file, changed through the undo history like the records.

#include <cstdint>
#include <string>
#include <vector>

enum class ExportFormat : int32_t {
  Assembly,          // labelled data lines in one assembler's dialect
  CHeader,           // const unsigned char arrays
  CvBasic,           // DATA BYTE lines
  MsxBasic,          // numbered DATA &Hxx lines
  Ti99,              // BYTE >xx lines
  BinaryTables,      // a folder of .pat .col .nam .sat, sprites.spr, index.txt
  Screen2,           // a folder of BLOAD-able .sc2 files
  Png,               // a folder of screen and tile-sheet pictures
  SpriteAttributes,  // the sprite attribute tables as assembly
  TiledMaps,         // a folder of each map's .tmx, .tsx and metatile picture for Tiled
  Aseprite,          // the metasprites as one Aseprite file
};
constexpr int kExportFormats = 11;
inline constexpr const char* kExportFormatNames[kExportFormats] = {
    "Assembly",       "C header",     "CVBasic DATA BYTE", "MSX-BASIC DATA", "TI-99/4A assembly", "Binary tables",
    "SCREEN 2 files", "PNG pictures", "Sprite attributes", "Tiled maps",     "Aseprite file"};

enum class AsmDialect : int32_t { Pasmo, Sdas, Z80asm };
constexpr int kAsmDialects = 3;

// The tables a target takes, as bits.
enum ExportTable : uint32_t {
  kPatternTable = 1,
  kColourTable = 2,
  kNameTableData = 4,
  kSpritePatterns = 8,
  kSpriteAttributeTable = 16,
  kMapData = 32,           // each map's metatiles and cells
  kMetaspriteTables = 64,  // each metasprite's parts
};
constexpr uint32_t kAllTables = 127;
constexpr int kExportTableKinds = 7;
// What the text exports always wrote: everything but the attribute tables.
constexpr uint32_t kTextTables = kPatternTable | kColourTable | kNameTableData | kSpritePatterns;

// The tables a packing target packs unless told otherwise: the large ones. The
// attribute and metasprite tables stay plain, as a game reads them in place.
constexpr uint32_t kPackedByDefault = kPatternTable | kColourTable | kNameTableData | kSpritePatterns | kMapData;

// How each table is packed: as it is, or in one of the formats games' decoders unpack.
enum class Compression : int32_t { None, Zx0, Pletter };
constexpr int kCompressions = 3;
inline constexpr const char* kCompressionNames[kCompressions] = {"none", "ZX0", "Pletter"};
// The file suffix after a table's own: "Dungeon.pat.zx0".
inline constexpr const char* kCompressionSuffixes[kCompressions] = {"", ".zx0", ".plet5"};

// Which tile set a screen's thirds are exported with.
enum class ThirdsLayout : int32_t {
  PerThird,       // each third its own set, as the screen shows it
  SharedFirstSet  // the top third's set for all three, for games that load one set everywhere
};

struct ExportTarget {
  ExportFormat format = ExportFormat::Assembly;
  std::string path;  // a file, or a folder for the folder formats; relative to the project file's folder when under it
  bool allRecords = true;
  // The records taken by name when not all are.
  std::vector<std::string> sprites, tileSets, nameTables, maps;
  uint32_t tables = kTextTables;
  ThirdsLayout layout = ThirdsLayout::PerThird;
  AsmDialect dialect = AsmDialect::Pasmo;
  bool cExtern = false;  // C: extern declarations in the header, the arrays in a .c file beside it
  std::string area;      // sdas: the .area the tables go in; empty for kDefaultArea
  // The command line's extra C files, not saved: with cExtern the .c file elsewhere
  // (--c-source); for sdas assembly a C header declaring its tables (--c-extern).
  std::string cSourcePath, cHeaderPath;
  int32_t firstLine = 10;  // MSX-BASIC line numbers
  int32_t lineStep = 10;
  int32_t scale = 1;  // PNG: each chip pixel an N x N block
  Compression compression = Compression::None;
  uint32_t packedTables = kPackedByDefault;  // the kinds of table `compression` packs
};

bool operator==(const ExportTarget& a, const ExportTarget& b);
inline bool operator!=(const ExportTarget& a, const ExportTarget& b) { return !(a == b); }

constexpr const char* kDefaultArea = "_CODE";  // where SDCC puts code and constant data
// Whether sdas takes `name` as an area's name: ASCII letters, digits and _, not
// starting with a digit, at most 32 of them.
bool IsAreaName(const std::string& name);

bool IsFolderFormat(ExportFormat format);
// Pictures and the attribute tables' own text are written as they are.
bool TakesCompression(ExportFormat format);
// A new target of `format`, taking what the menu's one-off export of it takes.
ExportTarget DefaultExportTarget(ExportFormat format);
// "Assembly (pasmo)", "C header", "PNG pictures"...
std::string ExportFormatName(const ExportTarget& target);
