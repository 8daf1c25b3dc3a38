#include "studios/table/table_tile_editor.h"

#include "studios/table/table_screen_actions.h"

bool CellPaintable(const TableStudioState& state, int row, int editedSet) {
  return SectionTileSet(state, row) == editedSet;
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
