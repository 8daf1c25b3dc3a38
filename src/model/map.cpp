#include "model/map.h"

#include <cstring>

bool operator==(const Metatile& a, const Metatile& b) {
  return std::memcmp(a.tiles, b.tiles, sizeof a.tiles) == 0 && a.solid == b.solid;
}

bool operator==(const MapPlay& a, const MapPlay& b) {
  return a.startX == b.startX && a.startY == b.startY && a.speed == b.speed && a.walkStrip == b.walkStrip;
}

bool SameButCells(const Map& a, const Map& b) {
  return std::memcmp(a.name, b.name, sizeof a.name) == 0 && a.tileSet == b.tileSet &&
         a.metatileSize == b.metatileSize && a.metatiles == b.metatiles && a.width == b.width && a.height == b.height &&
         a.play == b.play;
}

bool operator==(const Map& a, const Map& b) { return SameButCells(a, b) && a.cells == b.cells; }

int MapSetIndex(const Map& map, std::size_t tileSetCount) {
  return map.tileSet >= 0 && static_cast<std::size_t>(map.tileSet) < tileSetCount ? map.tileSet : 0;
}

uint8_t MapTile(const Map& map, int column, int row) {
  const int size = map.metatileSize;
  if (column < 0 || row < 0 || column >= map.width * size || row >= map.height * size) return EmptyCell;
  return map.Tile(map.At(column / size, row / size), column % size, row % size);
}

bool ValidMetatileSize(int size) { return size == 1 || size == 2 || size == 4; }

Map DefaultMap() {
  Map map;
  std::strncpy(map.name, "Map 1", kMapNameSize - 1);
  Metatile empty;
  for (int i = 0; i < map.metatileSize * map.metatileSize; ++i) empty.tiles[i] = 255;
  map.metatiles.push_back(empty);
  map.width = 64, map.height = 48;
  map.cells.assign(static_cast<std::size_t>(map.width) * map.height, 0);
  return map;
}
