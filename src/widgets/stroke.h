#pragma once
// A held mouse stroke over a grid of cells. The mouse is sampled once a frame,
// so a fast drag jumps cells: each sample paints the straight line from the
// previous one, leaving no gaps.

#include <vector>

struct GridCell {
  int row = 0;
  int column = 0;
  bool operator==(const GridCell& other) const { return row == other.row && column == other.column; }
};

struct Stroke {
  bool active = false;  // a sample was painted in the previous frame
  GridCell last;
};

// Every cell on the line from `from` to `to`, both included, each touching the next.
std::vector<GridCell> CellsBetween(GridCell from, GridCell to);

// One frame of a stroke: while `painting`, paints the cells from the last sample
// to `at` (just `at` on the first); otherwise the stroke ends.
template <typename Paint>
void FollowStroke(Stroke& stroke, bool painting, GridCell at, Paint paint) {
  if (!painting) {
    stroke.active = false;
    return;
  }
  for (const GridCell& cell : stroke.active ? CellsBetween(stroke.last, at) : std::vector<GridCell>{at}) paint(cell);
  stroke = {true, at};
}
