#include "studios/tile/tile_import.h"

#include <cstdio>

#include "import/clipboard_parsers.h"

namespace {
constexpr int kBytesPerTile = 8;

constexpr int kDefaultForeground = 15, kDefaultBackground = 1;  // white on black

// True when a row without colours was given the default pair.
bool WriteTile(TileSet& set, int tile, TileTable table, const uint8_t* bytes) {
  bool coloured = false;
  for (int y = 0; y < 8; ++y) {
    if (table == TileTable::Patterns) {
      for (int x = 0; x < 8; ++x) set.pixels[tile][y][x] = bytes[y] >> (7 - x) & 1;
      if (set.foreground[tile][y] == 0 && set.background[tile][y] == 0) {
        set.foreground[tile][y] = kDefaultForeground;
        set.background[tile][y] = kDefaultBackground;
        coloured = true;
      }
    } else {
      set.foreground[tile][y] = bytes[y] >> 4;
      set.background[tile][y] = bytes[y] & 15;
    }
  }
  return coloured;
}

std::string Summary(TileTable table, int count, int first, int last, bool coloured, bool crossedSets) {
  const char* what = table == TileTable::Patterns ? "pattern" : "colour";
  if (count == 0) return std::string("No ") + what + " data found: 8 bytes per tile are needed";
  char text[160];
  std::snprintf(text, sizeof text, "Imported %d tile %s%s at %03d-%03d%s%s", count, what, count == 1 ? "" : "s", first,
                last, crossedSets ? " (into the following sets)" : "",
                coloured ? "; rows without colours were made white on black" : "");
  return text;
}
}  // namespace

std::string ImportTilesToken(const TileStudioState& state, std::vector<TileSet>& sets, TileTable table,
                             const char* text) {
  std::size_t set = static_cast<std::size_t>(state.currentTileSet);
  int tile = state.currentTile, count = 0;
  bool coloured = false;
  if (!text) return Summary(table, 0, 0, 0, false, false);
  for (const ImportBlock& block : ParseTokenImport(text)) {
    for (std::size_t at = 0; at + kBytesPerTile <= block.bytes.size(); at += kBytesPerTile) {
      if (tile > 255) {
        ++set;
        tile = 0;
        if (set >= sets.size()) {
          sets.emplace_back();
          SetName(sets.back().name, "Tile Set");
        }
      }
      coloured |= WriteTile(sets[set], tile, table, &block.bytes[at]);
      ++tile, ++count;
    }
  }
  return Summary(table, count, state.currentTile, tile - 1, coloured, set != std::size_t(state.currentTileSet));
}

std::string ImportTilesRawHex(const TileStudioState& state, std::vector<TileSet>& sets, TileTable table,
                              const char* text) {
  if (!text) return Summary(table, 0, 0, 0, false, false);
  const std::vector<uint8_t> bytes = ParseRawHexImport(text);
  TileSet& set = sets[state.currentTileSet];
  int count = 0;
  bool coloured = false;
  for (std::size_t k = 0; k < bytes.size() / kBytesPerTile && state.currentTile + count <= 255; ++k, ++count)
    coloured |= WriteTile(set, state.currentTile + count, table, &bytes[k * kBytesPerTile]);
  return Summary(table, count, state.currentTile, state.currentTile + count - 1, coloured, false);
}
