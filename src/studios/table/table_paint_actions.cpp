#include "studios/table/table_paint_actions.h"

#include <algorithm>

namespace {
bool OnScreen(int row, int column) { return row >= 0 && row < kTableRows && column >= 0 && column < kTableColumns; }

// The block's tile for a cell, the block repeated from `origin` in every direction.
uint8_t RepeatedTile(const TileBlock& block, GridCell origin, int row, int column) {
  const int r = ((row - origin.row) % block.height + block.height) % block.height;
  const int c = ((column - origin.column) % block.width + block.width) % block.width;
  return block.At(r, c);
}
}  // namespace

CellArea AreaBetween(GridCell a, GridCell b) {
  return {std::max(std::min(a.row, b.row), 0), std::max(std::min(a.column, b.column), 0),
          std::min(std::max(a.row, b.row), kTableRows - 1), std::min(std::max(a.column, b.column), kTableColumns - 1)};
}

TileBlock SingleTile(uint8_t tile) { return TileBlock{1, 1, {tile}}; }

TileBlock PaletteBlock(int firstTile, int lastTile) {
  const int top = std::min(firstTile, lastTile) / 8, bottom = std::max(firstTile, lastTile) / 8;
  const int left = std::min(firstTile % 8, lastTile % 8), right = std::max(firstTile % 8, lastTile % 8);
  TileBlock block{right - left + 1, bottom - top + 1, {}};
  for (int row = top; row <= bottom; ++row)
    for (int column = left; column <= right; ++column) block.tiles.push_back(static_cast<uint8_t>(row * 8 + column));
  return block;
}

TileBlock CopyArea(const NameTable& table, CellArea area) {
  TileBlock block{area.right - area.left + 1, area.bottom - area.top + 1, {}};
  for (int row = area.top; row <= area.bottom; ++row)
    for (int column = area.left; column <= area.right; ++column)
      block.tiles.push_back(table.cells[row * kTableColumns + column]);
  return block;
}

void StampBlock(NameTable& table, const TileBlock& block, GridCell at, bool erase) {
  for (int r = 0; r < block.height; ++r)
    for (int c = 0; c < block.width; ++c)
      if (OnScreen(at.row + r, at.column + c))
        table.cells[(at.row + r) * kTableColumns + at.column + c] = erase ? EmptyCell : block.At(r, c);
}

void StampLine(NameTable& table, const TileBlock& block, GridCell from, GridCell to) {
  for (const GridCell& cell : CellsBetween(from, to)) StampBlock(table, block, cell);
}

void FillArea(NameTable& table, CellArea area, const TileBlock& block) {
  for (int row = area.top; row <= area.bottom; ++row)
    for (int column = area.left; column <= area.right; ++column)
      table.cells[row * kTableColumns + column] = RepeatedTile(block, {area.top, area.left}, row, column);
}

void EraseArea(NameTable& table, CellArea area) { FillArea(table, area, SingleTile(EmptyCell)); }

int FloodFill(NameTable& table, GridCell start, const TileBlock& block) {
  if (!OnScreen(start.row, start.column)) return 0;
  const uint8_t target = TileAt(table, start);
  bool seen[kTableCells] = {};
  std::vector<GridCell> pending{start};
  seen[start.row * kTableColumns + start.column] = true;
  int changed = 0;
  while (!pending.empty()) {
    const GridCell cell = pending.back();
    pending.pop_back();
    uint8_t& value = table.cells[cell.row * kTableColumns + cell.column];
    const uint8_t tile = RepeatedTile(block, start, cell.row, cell.column);
    changed += value != tile;
    value = tile;
    for (const GridCell next : {GridCell{cell.row - 1, cell.column}, GridCell{cell.row + 1, cell.column},
                                GridCell{cell.row, cell.column - 1}, GridCell{cell.row, cell.column + 1}}) {
      const int index = next.row * kTableColumns + next.column;
      if (!OnScreen(next.row, next.column) || seen[index] || table.cells[index] != target) continue;
      seen[index] = true;
      pending.push_back(next);
    }
  }
  return changed;
}

uint8_t TileAt(const NameTable& table, GridCell cell) { return table.cells[cell.row * kTableColumns + cell.column]; }
