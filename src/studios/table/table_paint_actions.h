#pragma once
// Painting a screen with tiles: the brush (one tile or a block of them), and
// the tools' work on a name table: stamping, lines, flood fill, rectangles,
// picking and copying regions. Every write is clipped to the 32 x 24 cells.

#include "model/project.h"
#include "studios/table/table_studio_state.h"

// The cells from one corner to the other, in any drag direction, clipped to the screen.
CellArea AreaBetween(GridCell a, GridCell b);

TileBlock SingleTile(uint8_t tile);
// The rectangle of palette tiles (laid out 8 a row) between two of them.
TileBlock PaletteBlock(int firstTile, int lastTile);
TileBlock CopyArea(const NameTable& table, CellArea area);

// The block with its top-left at `at`; `erase` lays tile 255 over its area instead.
void StampBlock(NameTable& table, const TileBlock& block, GridCell at, bool erase = false);
// Stamps at every cell of the gap-free line between two cells.
void StampLine(NameTable& table, const TileBlock& block, GridCell from, GridCell to);
// The area filled with the block repeated from its top-left corner.
void FillArea(NameTable& table, CellArea area, const TileBlock& block);
void EraseArea(NameTable& table, CellArea area);
// The 4-connected cells holding the same tile number as `start`, across thirds,
// take the block repeated from `start`; returns how many changed.
int FloodFill(NameTable& table, GridCell start, const TileBlock& block);
uint8_t TileAt(const NameTable& table, GridCell cell);
