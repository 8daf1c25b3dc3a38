#include "model/map_screens.h"

#include <algorithm>
#include <map>

#include "model/screen_in_one_set.h"

bool MakeMetatilesFromScreen(Project& data, int mapIndex, int tableIndex, const MapRect& tiles, MapBlock& block,
                             std::string& message) {
  Map grown = data.maps[mapIndex];
  const int set = MapSetIndex(grown, data.tileSets.size());
  RegionInOneSet region;
  if (!RegionInSet(data, data.nameTables[tableIndex], tiles, set, region, message)) return false;
  const int size = grown.metatileSize;
  std::map<std::vector<uint8_t>, int> known;
  for (int i = 0; i < static_cast<int>(grown.metatiles.size()); ++i)
    known.emplace(std::vector<uint8_t>(grown.metatiles[i].tiles, grown.metatiles[i].tiles + size * size), i);
  block = MapBlock{(tiles.width + size - 1) / size, (tiles.height + size - 1) / size, {}};
  int added = 0;
  for (int y = 0; y < block.height; ++y)
    for (int x = 0; x < block.width; ++x) {
      std::vector<uint8_t> key;
      for (int ty = 0; ty < size; ++ty)
        for (int tx = 0; tx < size; ++tx) {
          const int column = x * size + tx, row = y * size + ty;
          const bool inside = column < tiles.width && row < tiles.height;
          key.push_back(inside ? region.cells[row * tiles.width + column] : EmptyCell);
        }
      auto found = known.find(key);
      if (found == known.end()) {
        if (grown.metatiles.size() >= kMaxMetatiles) {
          message = "The region needs more than " + std::to_string(kMaxMetatiles) + " metatiles";
          return false;
        }
        Metatile metatile;
        std::copy(key.begin(), key.end(), metatile.tiles);
        grown.metatiles.push_back(metatile);
        found = known.emplace(key, static_cast<int>(grown.metatiles.size()) - 1).first;
        ++added;
      }
      block.cells.push_back(static_cast<uint8_t>(found->second));
    }
  data.maps[mapIndex] = std::move(grown);
  data.tileSets[set] = region.set;
  message = std::to_string(block.width * block.height) + " metatiles cut, " + std::to_string(added) + " of them new";
  if (region.added > 0)
    message += "; " + std::to_string(region.added) + " tiles of other sets added to " + region.set.name;
  return true;
}

void ScreenFromMap(const Map& map, int column, int row, NameTable& table) {
  for (int y = 0; y < kTableRows; ++y)
    for (int x = 0; x < kTableColumns; ++x) table.cells[y * kTableColumns + x] = MapTile(map, column + x, row + y);
  for (int32_t& set : table.thirdTileSets) set = map.tileSet;
}

void MoveWalkStart(Map& map, int x, int y, int width, int height) {
  map.play.startX = std::clamp(x, 0, std::max(0, map.width * map.metatileSize * 8 - width));
  map.play.startY = std::clamp(y, 0, std::max(0, map.height * map.metatileSize * 8 - height));
}
