#pragma once
// The Map Studio's actions on plain data: painting cells with metatiles,
// regions, resizing and the metatiles' own list (the ways between maps and
// name tables are model/map_screens.h). No drawing here.

#include <string>
#include <vector>

#include "model/map_region.h"
#include "model/map_screens.h"
#include "model/project.h"
#include "widgets/stroke.h"

enum class MapAnchor { TopLeft, TopRight, BottomLeft, BottomRight };

// The rectangle between two cells, corners included, clipped to the map.
MapRect RectBetween(const Map& map, GridCell a, GridCell b);

// The brush's block with its top-left corner at `at`, clipped to the map; the cells it changed.
int PaintBlock(Map& map, const MapBlock& brush, GridCell at);
// The brush along the straight line between two cells, both ends included.
int PaintLine(Map& map, const MapBlock& brush, GridCell from, GridCell to);
// The 4-connected area of the cell's metatile becomes `metatile`; the cells changed.
int FillArea(Map& map, GridCell start, uint8_t metatile);
void FillRect(Map& map, const MapRect& rect, uint8_t metatile);
MapBlock CopyRegion(const Map& map, const MapRect& rect);
// Cut and Del: the region becomes metatile 0.
void ClearRegion(Map& map, const MapRect& rect);

// The map's new size, its cells kept against the anchor corner, new cells metatile 0.
void ResizeMap(Map& map, int width, int height, MapAnchor anchor);
// The cells holding a metatile other than 0 that the same resize would drop.
int CellsLostByResize(const Map& map, int width, int height, MapAnchor anchor);

// Per metatile, the cells that use it.
std::vector<int> MetatileUsage(const Map& map);
// A copy of the empty metatile 0 added at the end; false at 256.
bool AddMetatile(Map& map);
// Removes metatile `index`, its cells becoming `replacement` (numbered as
// before the removal); false, nothing changed, when the map still uses it and
// no replacement is given, or when it is the only one.
bool DeleteMetatile(Map& map, int index, int replacement = -1);
// Moves metatile `from` to place `to`; the cells keep showing the same metatiles.
void MoveMetatile(Map& map, int from, int to);
