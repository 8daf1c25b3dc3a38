#pragma once
// Regions of a map or a screen, and blocks of metatile numbers cut from them.

#include <cstdint>
#include <vector>

struct MapRect {
  int column = 0, row = 0, width = 0, height = 0;
};

// A block of metatile numbers: a brush, a copied region, what a screen became.
struct MapBlock {
  int width = 0, height = 0;
  std::vector<uint8_t> cells;  // row by row
};
