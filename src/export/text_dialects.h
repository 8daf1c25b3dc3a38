#pragma once
// The text exports as one writer over labelled blocks of bytes; the formats
// (assemblers' dialects, C, the BASICs, TI-99/4A assembly) differ only in a
// table of how a file, a block, a data line and a byte are written.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

struct DataBlock {
  std::string label;
  std::vector<uint8_t> bytes;
  int lineBytes = 8;         // bytes a data line, where the dialect keeps each block's own width
  bool gapAfter = true;      // a blank line follows, where the dialect has blank lines
  std::size_t unpacked = 0;  // packed bytes: the table's own size
  std::vector<std::pair<std::string, int>> constants{};  // the record's own numbers (a map's size, a backdrop)
  std::string what{};  // "pattern table of tile set Dungeon", for the comment line before it
  int vram = -1;       // where a cartridge of its screen's mode loads it; -1 = not into video memory
  uint32_t kind = 0;   // its kind of table (an ExportTable bit): a target packs the kinds it chooses
  std::vector<std::string> addresses{};  // in place of bytes: the labels of other blocks, a word each
  std::size_t TableSize() const { return unpacked ? unpacked : bytes.size(); }  // unpacked, packed or not
};

// A file starts with "<module>_LARGEST_TABLE", the largest table unpacked (the
// one buffer they all unpack through). Every block: a comment line saying what it is, then its constants (the
// record's own, "<label>_SIZE" unpacked, "<label>_PACKED_SIZE" when packed,
// "<label>_VRAM" where it goes into video memory), then its label and data.
// In the texts, "{label}" and "{size}" stand for the block's label and byte
// count, "{unpacked}" for its unpacked size, "{text}" for a comment's words,
// "{scheme}" for the label scheme's version, "{guard}", "{header}" and
// "{module}" for the file's include guard, header name and module name,
// "{area}" for sdas's area of the tables,
// "{name}" and "{value}" for a constant's. A block of addresses has
// "<label>_COUNT" in place of its sizes.
struct TextDialect {
  const char* fileStart;
  const char* comment;
  const char* blockStart;
  const char* linePrefix;  // before a data line's bytes
  const char* bytePrefix;  // before each byte's two hex digits
  const char* separator;   // between bytes
  const char* lineEnd;
  const char* blockEnd;
  const char* fileEnd;
  int lineBytes;         // bytes a data line; 0 = the block's own width
  bool dataLines;        // false: declarations only
  bool blankLines;       // the blank line after blocks that have one
  bool numbered;         // every line starts with a BASIC line number
  const char* constant;  // a named number
  const char* sizeWord;  // after all the blocks, each one's unpacked size as a word ("" = none)
  // A block of addresses: its start ("{size}" the count), a line an address
  // ("{item}"), its end; "" = the dialect has no addresses, and leaves it out.
  const char* addressStart = "";
  const char* addressLine = "";
  const char* addressEnd = "";
};

extern const TextDialect kPasmoDialect;          // "   db $00,$FF" as the assembly export always wrote
extern const TextDialect kSdasDialect;           // "   .db 0x00,0xFF", labels global, "_name::" for C as well
extern const TextDialect kZ80asmDialect;         // "   defb 0x00,0xFF"
extern const TextDialect kCvBasicDialect;        // "   DATA BYTE $00,$FF"
extern const TextDialect kMsxBasicDialect;       // "10 DATA &H00,&HFF", a "REM" line naming each block
extern const TextDialect kTiDialect;             // "       BYTE >00,>FF", labels in column 1
extern const TextDialect kCHeaderDialect;        // static const arrays in an include guard
extern const TextDialect kCExternHeaderDialect;  // extern declarations in an include guard
extern const TextDialect kCSourceDialect;        // the arrays the extern header declares
extern const TextDialect kCSdasHeaderDialect;    // C's declarations of an sdas export's tables and size words

constexpr int kMaxBasicLine = 65529;
constexpr std::size_t kMaxBasicLineLength = 255;

struct TextFile {
  std::string guard;   // C: the include guard
  std::string header;  // C source: the header it includes
  int firstLine = 10;  // numbered dialects
  int lineStep = 10;
  std::string packing;         // "ZX0" when the blocks are packed
  std::string module = "gfx";  // the file's base: sdas's module, "<module>_LARGEST_TABLE"
  std::string area = "_CODE";  // sdas: the tables' .area
  std::vector<std::pair<std::string, int>> constants;  // the file's own, after "<module>_LARGEST_TABLE"
};

// The text of `blocks` in `dialect`; false (and `text` incomplete) when the line
// numbers would pass kMaxBasicLine.
bool WriteTextBlocks(const std::vector<DataBlock>& blocks, const TextDialect& dialect, const TextFile& file,
                     std::string& text);
