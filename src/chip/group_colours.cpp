#include "chip/group_colours.h"

ColourPair GroupColours(const TileSet& set, int group) {
  int counts[16][16] = {};
  ColourPair best;
  int most = 0;
  for (int tile = group * kGroupTiles; tile < (group + 1) * kGroupTiles; ++tile)
    for (int row = 0; row < 8; ++row) {
      const int foreground = set.foreground[tile][row] & 15, background = set.background[tile][row] & 15;
      if (++counts[foreground][background] > most)
        most = counts[foreground][background], best = {foreground, background};
    }
  return best;
}

std::vector<uint8_t> GroupColourBytes(const TileSet& set) {
  std::vector<uint8_t> bytes;
  for (int group = 0; group < kColourGroups; ++group) {
    const ColourPair pair = GroupColours(set, group);
    bytes.push_back(static_cast<uint8_t>(pair.foreground << 4 | pair.background));
  }
  return bytes;
}

bool SetShowsGroupColours(const Project& data, std::size_t set) {
  if (data.tileSets[set].graphics1) return true;
  for (const NameTable& table : data.nameTables)
    if (table.mode == ScreenMode::Graphics1 &&
        static_cast<std::size_t>(TileSetForRow(table, 0, data.tileSets.size())) == set)
      return true;
  return false;
}

bool TileKeepsItsColours(const TileSet& set, int tile) {
  const ColourPair pair = GroupColours(set, tile / kGroupTiles);
  for (int row = 0; row < 8; ++row)
    if (!(ColourPair{set.foreground[tile][row] & 15, set.background[tile][row] & 15} == pair)) return false;
  return true;
}
