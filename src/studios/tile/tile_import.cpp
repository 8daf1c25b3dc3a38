#include "studios/tile/tile_import.h"

#include "import/clipboard_parsers.h"

namespace {
constexpr int kBytesPerTile = 8;

void WriteTile(TileSet& set, int tile, TileTable table, const uint8_t* bytes) {
  for (int y = 0; y < 8; ++y) {
    if (table == TileTable::Patterns) {
      for (int x = 0; x < 8; ++x) set.pixels[tile][y][x] = bytes[y] >> (7 - x) & 1;
    } else {
      set.foreground[tile][y] = bytes[y] >> 4;
      set.background[tile][y] = bytes[y] & 15;
    }
  }
}
}  // namespace

void ImportTilesToken(const TileStudioState& state, std::vector<TileSet>& sets, TileTable table, const char* text) {
  if (!text) return;
  std::size_t set = static_cast<std::size_t>(state.currentTileSet);
  int tile = state.currentTile;
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
      WriteTile(sets[set], tile, table, &block.bytes[at]);
      ++tile;
    }
  }
}

void ImportTilesRawHex(const TileStudioState& state, std::vector<TileSet>& sets, TileTable table, const char* text) {
  if (!text) return;
  const std::vector<uint8_t> bytes = ParseRawHexImport(text);
  TileSet& set = sets[state.currentTileSet];
  for (std::size_t k = 0; k < bytes.size() / kBytesPerTile; ++k) {
    const int tile = state.currentTile + static_cast<int>(k);
    if (tile > 255) break;
    WriteTile(set, tile, table, &bytes[k * kBytesPerTile]);
  }
}
