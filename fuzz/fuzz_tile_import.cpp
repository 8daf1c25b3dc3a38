// Pattern and colour imports into the Tile Studio from any clipboard text,
// starting at any tile of any set: only tiles 0-255 are written, pixels stay
// 0 or 1, colours 0-15, and sets are appended only as the data needs them.
#include <algorithm>
#include <memory>

#include "fuzz_checks.h"
#include "studios/tile/tile_import.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  auto state = std::make_unique<TileStudioState>();
  std::vector<TileSet> sets(1 + data[0] % 3);
  state->currentTileSet = data[0] % static_cast<int>(sets.size());
  state->currentTile = data[1];
  const TileTable table = data[0] & 0x80 ? TileTable::Colours : TileTable::Patterns;
  const std::string text = TextOf(data + 2, size - 2);
  const std::size_t before = sets.size();
  if (data[0] & 0x40)
    ImportTilesRawHex(*state, sets, table, text.c_str());
  else
    ImportTilesToken(*state, sets, table, text.c_str());
  FUZZ_CHECK(sets.size() <= before + text.size() / 8 / 256 + 1);
  for (const TileSet& set : sets) {
    FUZZ_CHECK(TileSetSound(set));
    for (int tile = 0; tile < 256; ++tile)
      for (int row = 0; row < 8; ++row)
        FUZZ_CHECK(set.foreground[tile][row] >= 0 && set.foreground[tile][row] <= 15 &&
                   set.background[tile][row] >= 0 && set.background[tile][row] <= 15);
  }
  return 0;
}
