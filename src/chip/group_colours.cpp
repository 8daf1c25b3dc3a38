#include "chip/group_colours.h"

namespace {
ColourPair RowPair(const TileSet& set, int tile, int row) {
  return {set.foreground[tile][row] & 15, set.background[tile][row] & 15};
}

// Every row of the group's tiles in `pair`; true when any changed.
bool SetGroupColours(TileSet& set, int group, ColourPair pair) {
  bool changed = false;
  for (int tile = group * kGroupTiles; tile < (group + 1) * kGroupTiles; ++tile)
    for (int row = 0; row < 8; ++row) {
      changed |= !(RowPair(set, tile, row) == pair);
      set.foreground[tile][row] = pair.foreground, set.background[tile][row] = pair.background;
    }
  return changed;
}

// The pair of the first row that differs from `before`'s group pair, or the group's own.
ColourPair NewPair(const TileSet& set, const TileSet& before, int group) {
  const ColourPair old = GroupColours(before, group);
  for (int tile = group * kGroupTiles; tile < (group + 1) * kGroupTiles; ++tile)
    for (int row = 0; row < 8; ++row)
      if (!(RowPair(set, tile, row) == old)) return RowPair(set, tile, row);
  return GroupColours(set, group);
}
}  // namespace

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

int CountUnfitTiles(const TileSet& set) {
  int unfit = 0;
  for (int tile = 0; tile < kTilesPerSet; ++tile) unfit += !TileKeepsItsColours(set, tile);
  return unfit;
}

int FitTilesToGroups(TileSet& set) {
  const int unfit = CountUnfitTiles(set);
  for (int group = 0; group < kColourGroups; ++group) SetGroupColours(set, group, GroupColours(set, group));
  return unfit;
}

std::string KeepGroupColours(Project& data, const Project& before) {
  std::string followed;
  for (std::size_t i = 0; i < data.tileSets.size(); ++i) {
    TileSet& set = data.tileSets[i];
    if (!set.graphics1) continue;
    const TileSet& was = i < before.tileSets.size() ? before.tileSets[i] : set;
    if (&was != &set && was == set) continue;  // called every idle frame: an untouched set costs one compare
    for (int group = 0; group < kColourGroups; ++group) {
      if (!SetGroupColours(set, group, NewPair(set, was, group))) continue;
      const ColourPair pair = GroupColours(set, group);
      followed += (followed.empty() ? "" : "; ") + std::string("tiles ") + std::to_string(group * kGroupTiles) + "-" +
                  std::to_string(group * kGroupTiles + kGroupTiles - 1) + " of " + set.name + " now " +
                  std::to_string(pair.foreground) + " on " + std::to_string(pair.background);
    }
  }
  return followed.empty() ? "" : "A Graphics I group shares one colour pair: " + followed;
}

bool TileKeepsItsColours(const TileSet& set, int tile) {
  const ColourPair pair = GroupColours(set, tile / kGroupTiles);
  for (int row = 0; row < 8; ++row)
    if (!(RowPair(set, tile, row) == pair)) return false;
  return true;
}
