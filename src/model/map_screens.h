#pragma once
// The ways between maps and name tables, which the Map Studio and the command
// line share: a screen's region cut into metatiles, a map's window written as
// a screen, and the walker's start kept on the map.

#include <string>

#include "model/map_region.h"
#include "model/project.h"

// The region (in tiles, inside the screen) of name table `tableIndex` cut into
// map `mapIndex`'s metatiles, identical blocks sharing one, new ones added.
// Thirds drawing from another set than the map's have their tiles brought into
// the map's set (see RegionInSet). False, nothing changed, with the reason when
// more than 256 metatiles or more free tiles would be needed. `block` gets the
// region as metatile numbers.
bool MakeMetatilesFromScreen(Project& data, int mapIndex, int tableIndex, const MapRect& tiles, MapBlock& block,
                             std::string& message);
// The 32 x 24 tiles from tile (column, row) of the map as a name table drawing
// every third from the map's set; tiles past the map's edge are empty.
void ScreenFromMap(const Map& map, int column, int row, NameTable& table);
// The walker's start (its top-left corner, in map pixels) moved to `x`, `y`,
// kept on the map for a walker `width` x `height`.
void MoveWalkStart(Map& map, int x, int y, int width, int height);
