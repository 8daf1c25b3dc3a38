#pragma once
// A map: a world bigger than a screen, stored as games store it, a grid of
// metatile numbers where each metatile is a square block of tile numbers from
// the map's one tile set (a scrolling map shows the same set in all thirds).

#include <cstddef>
#include <cstdint>
#include <vector>

constexpr int kMaxMapSide = 1024;    // cells across and down
constexpr int kMaxMetatiles = 256;   // a cell is one byte
constexpr int kMaxMetatileSize = 4;  // tiles across a metatile: 1, 2 or 4
constexpr uint8_t EmptyCell = 255;   // the name of no tile: shows the backdrop
constexpr int kMapNameSize = 21;     // as every record's name: 20 characters and a zero

struct Metatile {
  uint8_t tiles[kMaxMetatileSize * kMaxMetatileSize] = {};  // row by row, size x size used, the rest 0
  bool solid = false;                                       // a walker cannot enter it
};

// How the map plays on the machine (Run > Play Map): where the walker starts,
// how fast it goes, and the animation strip it walks with.
constexpr int kMaxWalkSpeed = 8;  // pixels a frame: the view scrolls a tile a frame
struct MapPlay {
  int32_t startX = -1, startY = -1;  // the walker's top-left corner in map pixels; -1: the screen frame's middle
  int32_t speed = 1;                 // pixels a frame, 1 to kMaxWalkSpeed
  int32_t walkStrip = -1;            // the animation strip it walks with; -1: the project's first sprite
};
bool operator==(const MapPlay& a, const MapPlay& b);
inline bool operator!=(const MapPlay& a, const MapPlay& b) { return !(a == b); }

struct Map {
  char name[kMapNameSize] = {};
  int32_t tileSet = 0;              // index into the project's tile sets
  int32_t metatileSize = 2;         // 1, 2 or 4
  std::vector<Metatile> metatiles;  // at least one: metatile 0 is what erasing leaves
  int32_t width = 0, height = 0;    // in cells
  std::vector<uint8_t> cells;       // row by row, each a metatile number
  MapPlay play;

  std::size_t Index(int column, int row) const { return static_cast<std::size_t>(row) * width + column; }
  uint8_t& At(int column, int row) { return cells[Index(column, row)]; }
  uint8_t At(int column, int row) const { return cells[Index(column, row)]; }
  uint8_t Tile(int metatile, int column, int row) const {
    return metatiles[metatile].tiles[row * metatileSize + column];
  }
};

bool operator==(const Metatile& a, const Metatile& b);
bool operator==(const Map& a, const Map& b);
inline bool operator!=(const Map& a, const Map& b) { return !(a == b); }

bool ValidMetatileSize(int size);
// The tile at a tile position of the map; EmptyCell off it.
uint8_t MapTile(const Map& map, int column, int row);
// The tile set a map draws from: its own, or the first when that names none.
int MapSetIndex(const Map& map, std::size_t tileSetCount);
// "Map 1": 2x2 metatiles, one of them (the empty tile 255 in every place), 64 x 48 cells of it.
Map DefaultMap();
// The metadata and metatiles equal, the cells perhaps not.
bool SameButCells(const Map& a, const Map& b);
