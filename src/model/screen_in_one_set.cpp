#include "model/screen_in_one_set.h"

#include <map>
#include <utility>

namespace {
constexpr const char* kThirdNames[kThirds] = {"top", "middle", "bottom"};

bool LooksBlank(const TileSet& set, int tile) {
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      if (TilePixelColour(set, tile, y, x) != 0) return false;
  return true;
}

bool LookAlike(const TileSet& a, int tileA, const TileSet& b, int tileB) {
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      if (TilePixelColour(a, tileA, y, x) != TilePixelColour(b, tileB, y, x)) return false;
  return true;
}

int LookAlikeIn(const TileSet& set, const TileSet& from, int tile) {
  for (int candidate = 0; candidate < kTilesPerSet; ++candidate)
    if (candidate != EmptyCell && LookAlike(set, candidate, from, tile)) return candidate;
  return -1;
}

void CopyTile(const TileSet& from, int tile, TileSet& into, int place) {
  std::copy(&from.pixels[tile][0][0], &from.pixels[tile][0][0] + 64, &into.pixels[place][0][0]);
  std::copy(from.foreground[tile], from.foreground[tile] + 8, into.foreground[place]);
  std::copy(from.background[tile], from.background[tile] + 8, into.background[place]);
}
}  // namespace

std::vector<bool> FreeTiles(const Project& data, int set) {
  std::vector<bool> free(kTilesPerSet);
  for (int tile = 0; tile < kTilesPerSet; ++tile)
    free[tile] = tile != EmptyCell && LooksBlank(data.tileSets[set], tile);
  for (const NameTable& table : data.nameTables)
    for (int cell = 0; cell < kTableCells; ++cell)
      if (TileSetForRow(table, cell / kTableColumns, data.tileSets.size()) == set) free[table.cells[cell]] = false;
  for (const Map& map : data.maps) {
    if (MapSetIndex(map, data.tileSets.size()) != set) continue;
    for (const Metatile& metatile : map.metatiles)
      for (int i = 0; i < map.metatileSize * map.metatileSize; ++i) free[metatile.tiles[i]] = false;
  }
  return free;
}

bool RegionInSet(const Project& data, const NameTable& table, const MapRect& tiles, int set, RegionInOneSet& result,
                 std::string& message) {
  const std::size_t setCount = data.tileSets.size();
  result = RegionInOneSet{{}, data.tileSets[set], 0};
  std::vector<bool> free = FreeTiles(data, set);
  std::map<std::pair<int, int>, int> placed;  // (set, tile) -> tile of `set`, -1 = no room
  int missing = 0;
  bool thirdShort[kThirds] = {};
  for (int row = tiles.row; row < tiles.row + tiles.height; ++row)
    for (int column = tiles.column; column < tiles.column + tiles.width; ++column) {
      const int tile = table.cells[row * kTableColumns + column];
      const int from = TileSetForRow(table, row, setCount);
      if (tile == EmptyCell || from == set) {
        result.cells.push_back(static_cast<uint8_t>(tile));
        continue;
      }
      auto known = placed.find({from, tile});
      if (known == placed.end()) {
        int place = LookAlikeIn(result.set, data.tileSets[from], tile);
        if (place < 0) {
          for (int candidate = 0; candidate < kTilesPerSet && place < 0; ++candidate)
            if (free[candidate]) place = candidate;
          if (place >= 0) {
            free[place] = false;
            CopyTile(data.tileSets[from], tile, result.set, place);
            ++result.added;
          } else {
            ++missing;
          }
        }
        known = placed.emplace(std::make_pair(from, tile), place).first;
      }
      if (known->second < 0) thirdShort[row / 8] = true;
      result.cells.push_back(static_cast<uint8_t>(std::max(known->second, 0)));
    }
  if (missing == 0) return true;
  message = "The map's set " + std::string(data.tileSets[set].name) + " has " + std::to_string(missing) +
            " free tiles too few for";
  const char* joint = " the ";
  for (int third = 0; third < kThirds; ++third) {
    if (!thirdShort[third]) continue;
    message += joint + std::string(kThirdNames[third]) + " third's tiles (set " +
               data.tileSets[TileSetForRow(table, third * 8, setCount)].name + ")";
    joint = " and the ";
  }
  message += "; nothing was cut";
  return false;
}
