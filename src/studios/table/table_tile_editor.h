#pragma once
// Painting tiles in place from the Tile Editor window: the tile changes in its
// set, so every cell showing it changes too.

#include <cstddef>

#include "model/project.h"
#include "studios/table/table_studio_state.h"

// A cell can be painted only when its own third draws from the set being edited.
bool CellPaintable(const NameTable& table, std::size_t tileSetCount, int row, int editedSet);
// The FG pen sets the pixel and the row's foreground; the BG pen clears it and sets the row's background.
void PaintTilePixel(const TableStudioState& state, TileSet& set, int tile, int x, int y);
