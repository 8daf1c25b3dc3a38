#pragma once
// What both screen imports (a picture, a SCREEN 2 file) build a screen from:
// colours in CIELAB, tiles as the chip stores them, and a third's distinct
// tiles made into a tile set and the cell numbers that use them.

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "model/project.h"

struct Lab {
  double l, a, b;
};
Lab ToLab(uint8_t r, uint8_t g, uint8_t b);     // from sRGB
Lab LinearToLab(double r, double g, double b);  // from linear light, 0 to 1
double Linear(uint8_t channel);                 // an sRGB channel in linear light
inline double Distance(const Lab& x, const Lab& y) {
  const double l = x.l - y.l, a = x.a - y.a, b = x.b - y.b;
  return std::sqrt(l * l + a * a + b * b);
}
// The editor's palette in CIELAB.
const std::array<Lab, 16>& PaletteLab();

// A tile as the chip stores it: 8 rows of pattern bits and a colour pair each.
struct Tile {
  uint8_t rows[8] = {};
  uint8_t foreground[8] = {}, background[8] = {};
  bool operator<(const Tile& other) const { return std::memcmp(this, &other, sizeof(Tile)) < 0; }
  int Colour(int x, int y) const { return rows[y] >> (7 - x) & 1 ? foreground[y] : background[y]; }
};

void StoreTile(TileSet& set, int index, const Tile& tile);

// At most 255 tiles a set, so that tile 255 stays the empty cell's marker.
constexpr int kMostImportedTiles = kTilesPerSet - 1;

// Cells of a screen (a third, or all three sharing one set): their distinct
// tiles in order of first use, merged down to `limit` where the eye notices
// it least, and the cell numbers that use them. Returns how many merged;
// `made` grows by the tiles stored.
int BuildTileSet(const std::vector<Tile>& cells, int limit, TileSet& set, uint8_t* numbers, int& made);

// A screen's 768 cells as `table`'s names, drawing from new tile sets added to
// `data`: one a third ("<name> top", "mid", "bottom"), or with `oneSet` one
// for all three named `name`. Returns how many tiles merged; `made` grows.
int AddScreenTileSets(const std::vector<Tile>& cells, const std::string& name, bool oneSet, int limit, Project& data,
                      NameTable& table, int& made);
