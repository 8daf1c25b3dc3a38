#pragma once
// What both screen imports (a picture, a SCREEN 2 file) build a screen from:
// colours in CIELAB, tiles as the chip stores them, and a third's distinct
// tiles made into a tile set and the cell numbers that use them.

#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

#include "model/project.h"

struct Lab {
  double l, a, b;
};
Lab ToLab(uint8_t r, uint8_t g, uint8_t b);
double Distance(const Lab& x, const Lab& y);
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

// One third of a screen: its distinct tiles in order of first use, merged down
// to 255 (the closest pair into the earlier), and the cell numbers that use
// them. Returns how many merged; `made` grows by the tiles stored.
int BuildThird(const std::vector<Tile>& cells, TileSet& set, uint8_t* numbers, int& made);
