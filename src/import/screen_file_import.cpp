#include "import/screen_file_import.h"

#include <cstdio>

#include "chip/video_memory.h"
#include "export/build_outputs.h"
#include "import/screen2_import.h"

namespace {
constexpr std::size_t kHeader = 7;

// The mode whose file has `size` bytes, or -1; a SCREEN 2 file may also hold the sprite patterns.
int ModeOfSize(std::size_t size) {
  for (int mode = 0; mode < kScreenModes; ++mode)
    if (size == kHeader + kScreenFileKinds[mode].bytes) return mode;
  return size == kHeader + kVideoMemorySize ? static_cast<int>(ScreenMode::Graphics2) : -1;
}

std::string Sizes() {
  std::string sizes;
  for (int mode = 0; mode < kScreenModes; ++mode)
    sizes += std::string(mode ? ", " : "") + std::to_string(kHeader + kScreenFileKinds[mode].bytes) + " (" +
             kScreenFileKinds[mode].basic + ")";
  return sizes;
}

// Why the header is not the one the export writes, or "".
std::string HeaderRefusal(const uint8_t* bytes, std::size_t size) {
  const unsigned start = bytes[1] | bytes[2] << 8, end = bytes[3] | bytes[4] << 8;
  char why[96] = "";
  if (bytes[0] != 0xFE)
    std::snprintf(why, sizeof why, "it does not start as a BLOAD file does (0xFE)");
  else if (start != 0)
    std::snprintf(why, sizeof why, "it loads at 0x%04X, not at the start of video memory", start);
  else if (end != size - kHeader - 1)
    std::snprintf(why, sizeof why, "its header says it ends at 0x%04X, but it holds up to 0x%04X", end,
                  static_cast<unsigned>(size - kHeader - 1));
  return why;
}

// A Graphics I set: each tile's rows in its group's colours.
TileSet Graphics1Set(const uint8_t* memory, const std::string& name) {
  TileSet set;
  FormatName(set.name, "%.20s", name.c_str());
  set.graphics1 = true;
  for (int tile = 0; tile < kTilesPerSet; ++tile)
    for (int y = 0; y < 8; ++y) {
      const uint8_t row = memory[kPatternBase + 8 * tile + y], colours = memory[kGraphics1ColourBase + tile / 8];
      for (int x = 0; x < 8; ++x) set.pixels[tile][y][x] = row >> (7 - x) & 1;
      set.foreground[tile][y] = colours >> 4, set.background[tile][y] = colours & 15;
    }
  return set;
}

// Text patterns: white letters, as MSX BASIC's SCREEN 0 starts.
TileSet TextSet(const uint8_t* memory, const std::string& name) {
  TileSet set;
  FormatName(set.name, "%.20s", name.c_str());
  for (int tile = 0; tile < kTilesPerSet; ++tile)
    for (int y = 0; y < 8; ++y) {
      for (int x = 0; x < 8; ++x) set.pixels[tile][y][x] = memory[kTextPatternBase + 8 * tile + y] >> (7 - x) & 1;
      set.foreground[tile][y] = 15;
    }
  return set;
}

// Each block from the pattern its cell's name picks, whatever the names are.
void ReadBlocks(const uint8_t* memory, NameTable& table) {
  table.blocks.assign(kBlockColumns * kBlockRows, 0);
  for (int row = 0; row < kTableRows; ++row)
    for (int column = 0; column < kTableColumns; ++column) {
      const int name = memory[kMulticolorNameBase + row * kTableColumns + column];
      for (int half = 0; half < 2; ++half) {
        const uint8_t pair = memory[kMulticolorPatternBase + 8 * name + 2 * (row % 4) + half];
        uint8_t* blocks = &table.blocks[(2 * row + half) * kBlockColumns + 2 * column];
        blocks[0] = pair >> 4, blocks[1] = pair & 15;
      }
    }
}
}  // namespace

ImportResult ImportScreenFile(const uint8_t* bytes, std::size_t size, const std::string& name, Project& data,
                              int expected) {
  ImportResult result;
  const int mode = expected >= 0 ? expected : ModeOfSize(size);
  if (mode == static_cast<int>(ScreenMode::Graphics2)) return ImportScreen2File(bytes, size, name, data);
  if (mode < 0 || size != kHeader + kScreenFileKinds[mode].bytes) {
    result.message = std::string("Cannot import the ") + (mode < 0 ? "screen" : kScreenFileKinds[mode].basic) +
                     " file: it holds " +
                     (mode < 0 ? Sizes() : std::to_string(kHeader + kScreenFileKinds[mode].bytes)) +
                     " bytes, this one " + std::to_string(size) + ".";
    return result;
  }
  const char* basic = kScreenFileKinds[mode].basic;
  if (const std::string why = HeaderRefusal(bytes, size); !why.empty()) {
    result.message = std::string("Cannot import the ") + basic + " file: " + why + ".";
    return result;
  }
  if (data.tileSets.size() >= kMaxImportedTileSets || data.nameTables.size() >= 256) {
    result.message = std::string("Cannot import the ") + basic + " file: the project has no room for its records.";
    return result;
  }
  const uint8_t* memory = bytes + kHeader;
  NameTable table;
  SetName(table.name, name.c_str());
  table.mode = static_cast<ScreenMode>(mode);
  const int set = static_cast<int>(data.tileSets.size());
  std::fill(std::begin(table.thirdTileSets), std::end(table.thirdTileSets), set);
  if (table.mode == ScreenMode::Graphics1) {
    data.tileSets.push_back(Graphics1Set(memory, name));
    std::copy(memory + kNameBase, memory + kNameBase + kTableCells, table.cells);
  } else if (table.mode == ScreenMode::Text) {
    data.tileSets.push_back(TextSet(memory, name));
    table.textCells.assign(memory + kTextNameBase, memory + kTextNameBase + kTextColumns * kTableRows);
    table.backdrop = 4;  // dark blue behind them
  } else {
    ReadBlocks(memory, table);
    std::fill(std::begin(table.thirdTileSets), std::end(table.thirdTileSets), 0);
  }
  result.firstTileSet = table.mode == ScreenMode::Multicolor ? -1 : set;
  result.nameTable = static_cast<int>(data.nameTables.size());
  data.nameTables.push_back(table);
  result.ok = true;
  result.message = std::string("Imported the ") + basic + " file as a " + kScreenModeNames[mode] + " screen" +
                   (result.firstTileSet >= 0 ? " and its tile set" : "") + ".";
  return result;
}
