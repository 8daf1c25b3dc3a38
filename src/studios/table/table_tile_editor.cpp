#include "studios/table/table_tile_editor.h"

#include "studios/table/table_screen_actions.h"

bool CellPaintable(const NameTable& table, std::size_t tileSetCount, int row, int editedSet) {
  return TileSetForRow(table, row, tileSetCount) == editedSet;
}

void PaintTilePixel(const TableStudioState& state, TileSet& set, int tile, int x, int y) {
  if (state.penMode == kTableForegroundPen) {
    set.pixels[tile][y][x] = 1;
    set.foreground[tile][y] = state.foregroundPen;
  } else {
    set.pixels[tile][y][x] = 0;
    set.background[tile][y] = state.backgroundPen;
  }
}
