#pragma once
// A screen's region as tiles of one set, for a map that draws every third from
// its one set: cells of thirds that draw from another set take the set's tile
// that looks the same, or a copy of their tile in a free tile of the set.

#include <cstdint>
#include <string>

#include "model/map_region.h"
#include "model/project.h"

// Tile numbers of the region, row by row (tiles.width x tiles.height), as tiles of `set`.
struct RegionInOneSet {
  std::vector<uint8_t> cells;
  TileSet set;    // `set` with the copies added
  int added = 0;  // tiles copied into it
};

// A tile of `set` is free when it shows nothing (every pixel transparent) and
// no screen third or map drawing from the set uses it; tile 255 never is.
std::vector<bool> FreeTiles(const Project& data, int set);

// False, with the reason (which thirds, which sets, how many tiles short), when
// the free tiles are too few.
bool RegionInSet(const Project& data, const NameTable& table, const MapRect& tiles, int set, RegionInOneSet& result,
                 std::string& message);
