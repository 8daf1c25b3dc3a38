#include "widgets/stroke.h"

#include <cstdlib>

std::vector<GridCell> CellsBetween(GridCell from, GridCell to) {
  // Bresenham's line: steps along the longer axis, one cell at a time.
  const int dx = std::abs(to.column - from.column), dy = -std::abs(to.row - from.row);
  const int stepX = from.column < to.column ? 1 : -1, stepY = from.row < to.row ? 1 : -1;
  std::vector<GridCell> cells;
  GridCell at = from;
  for (int error = dx + dy;;) {
    cells.push_back(at);
    if (at == to) return cells;
    const int twice = 2 * error;
    if (twice >= dy) error += dy, at.column += stepX;
    if (twice <= dx) error += dx, at.row += stepY;
  }
}
