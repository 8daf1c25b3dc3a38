#include "studios/map/map_actions.h"

#include <algorithm>

#include "model/list_order.h"

namespace {
bool Inside(const Map& map, int column, int row) {
  return column >= 0 && row >= 0 && column < map.width && row < map.height;
}

// Every cell's metatile number through `renumber`.
template <typename Renumber>
void RenumberCells(Map& map, Renumber renumber) {
  for (uint8_t& cell : map.cells) cell = static_cast<uint8_t>(renumber(cell));
}
}  // namespace

MapRect RectBetween(const Map& map, GridCell a, GridCell b) {
  const int left = std::clamp(std::min(a.column, b.column), 0, map.width - 1);
  const int top = std::clamp(std::min(a.row, b.row), 0, map.height - 1);
  const int right = std::clamp(std::max(a.column, b.column), 0, map.width - 1);
  const int bottom = std::clamp(std::max(a.row, b.row), 0, map.height - 1);
  return {left, top, right - left + 1, bottom - top + 1};
}

int PaintBlock(Map& map, const MapBlock& brush, GridCell at) {
  int changed = 0;
  for (int y = 0; y < brush.height; ++y)
    for (int x = 0; x < brush.width; ++x) {
      if (!Inside(map, at.column + x, at.row + y)) continue;
      uint8_t& cell = map.At(at.column + x, at.row + y);
      const uint8_t metatile = brush.cells[static_cast<std::size_t>(y) * brush.width + x];
      changed += cell != metatile;
      cell = metatile;
    }
  return changed;
}

int PaintLine(Map& map, const MapBlock& brush, GridCell from, GridCell to) {
  int changed = 0;
  for (const GridCell& cell : CellsBetween(from, to)) changed += PaintBlock(map, brush, cell);
  return changed;
}

int FillArea(Map& map, GridCell start, uint8_t metatile) {
  if (!Inside(map, start.column, start.row)) return 0;
  const uint8_t old = map.At(start.column, start.row);
  if (old == metatile) return 0;
  // Runs along rows, so that the stack holds a few entries a row, not one a cell.
  std::vector<GridCell> stack{start};
  int changed = 0;
  while (!stack.empty()) {
    const GridCell seed = stack.back();
    stack.pop_back();
    if (map.At(seed.column, seed.row) != old) continue;
    int left = seed.column, right = seed.column;
    while (left > 0 && map.At(left - 1, seed.row) == old) --left;
    while (right + 1 < map.width && map.At(right + 1, seed.row) == old) ++right;
    std::fill(&map.At(left, seed.row), &map.At(right, seed.row) + 1, metatile);
    changed += right - left + 1;
    for (const int row : {seed.row - 1, seed.row + 1}) {
      if (row < 0 || row >= map.height) continue;
      for (int column = left; column <= right; ++column)
        if (map.At(column, row) == old && (column == left || map.At(column - 1, row) != old))
          stack.push_back({row, column});
    }
  }
  return changed;
}

void FillRect(Map& map, const MapRect& rect, uint8_t metatile) {
  for (int row = rect.row; row < rect.row + rect.height; ++row)
    std::fill(&map.At(rect.column, row), &map.At(rect.column, row) + rect.width, metatile);
}

MapBlock CopyRegion(const Map& map, const MapRect& rect) {
  MapBlock block{rect.width, rect.height, {}};
  for (int row = rect.row; row < rect.row + rect.height; ++row)
    block.cells.insert(block.cells.end(), map.cells.begin() + map.Index(rect.column, row),
                       map.cells.begin() + map.Index(rect.column, row) + rect.width);
  return block;
}

void ClearRegion(Map& map, const MapRect& rect) { FillRect(map, rect, 0); }

namespace {
// Where a resize puts the map's cells: the new size, and how far the old cells move.
struct ResizePlan {
  int width, height, shiftX, shiftY;
};

ResizePlan PlanResize(const Map& map, int width, int height, MapAnchor anchor) {
  width = std::clamp(width, 1, kMaxMapSide), height = std::clamp(height, 1, kMaxMapSide);
  const bool right = anchor == MapAnchor::TopRight || anchor == MapAnchor::BottomRight;
  const bool bottom = anchor == MapAnchor::BottomLeft || anchor == MapAnchor::BottomRight;
  return {width, height, right ? width - map.width : 0, bottom ? height - map.height : 0};
}
}  // namespace

int CellsLostByResize(const Map& map, int width, int height, MapAnchor anchor) {
  const ResizePlan plan = PlanResize(map, width, height, anchor);
  int lost = 0;
  for (int row = 0; row < map.height; ++row)
    for (int column = 0; column < map.width; ++column) {
      const int x = column + plan.shiftX, y = row + plan.shiftY;
      lost += map.At(column, row) != 0 && (x < 0 || y < 0 || x >= plan.width || y >= plan.height);
    }
  return lost;
}

void ResizeMap(Map& map, int width, int height, MapAnchor anchor) {
  const ResizePlan plan = PlanResize(map, width, height, anchor);
  width = plan.width, height = plan.height;
  const int shiftX = plan.shiftX, shiftY = plan.shiftY;
  Map resized = map;
  resized.width = width, resized.height = height;
  resized.cells.assign(static_cast<std::size_t>(width) * height, 0);
  for (int row = 0; row < height; ++row)
    for (int column = 0; column < width; ++column)
      if (Inside(map, column - shiftX, row - shiftY)) resized.At(column, row) = map.At(column - shiftX, row - shiftY);
  map = std::move(resized);
}

std::vector<int> MetatileUsage(const Map& map) {
  std::vector<int> usage(map.metatiles.size(), 0);
  for (const uint8_t cell : map.cells) ++usage[cell];
  return usage;
}

bool AddMetatile(Map& map) {
  if (map.metatiles.size() >= kMaxMetatiles) return false;
  map.metatiles.push_back(map.metatiles[0]);
  return true;
}

bool DeleteMetatile(Map& map, int index, int replacement) {
  const int count = static_cast<int>(map.metatiles.size());
  if (count <= 1 || index < 0 || index >= count || replacement == index || replacement >= count) return false;
  if (replacement < 0 && MetatileUsage(map)[index] > 0) return false;
  const int kept = IndexAfterErase(replacement, index);
  RenumberCells(map, [&](int cell) { return cell == index ? kept : IndexAfterErase(cell, index); });
  map.metatiles.erase(map.metatiles.begin() + index);
  return true;
}

void MoveMetatile(Map& map, int from, int to) {
  if (MoveRecord(map.metatiles, from, to)) RenumberCells(map, [&](int cell) { return IndexAfterMove(cell, from, to); });
}
