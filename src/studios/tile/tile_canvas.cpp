#include "studios/tile/tile_canvas.h"

#include <algorithm>
#include <cstring>

namespace {
int BlockTop(int block) { return 8 * (block / 3); }
int BlockLeft(int block) { return 8 * (block % 3); }

struct Cell {
  uint8_t pixel;
  int32_t foreground, background;
};

Cell Take(const TileStudioState& state, int row, int column) {
  return {state.editPixels[row][column], state.editForeground[row][column], state.editBackground[row][column]};
}

void Put(TileStudioState& state, int row, int column, const Cell& cell) {
  state.editPixels[row][column] = cell.pixel;
  state.editForeground[row][column] = cell.foreground;
  state.editBackground[row][column] = cell.background;
}
}  // namespace

int BlockAt(int row, int column) { return column / 8 + 3 * (row / 8); }

void LoadBlock(TileStudioState& state, const TileSet& set, int block, int tile) {
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      const int row = BlockTop(block) + y, column = BlockLeft(block) + x;
      state.editPixels[row][column] = set.pixels[tile][y][x];
      state.editForeground[row][column] = set.foreground[tile][y];
      state.editBackground[row][column] = set.background[tile][y];
    }
}

void StoreBlock(const TileStudioState& state, TileSet& set, int block, int tile) {
  for (int y = 0; y < 8; ++y) {
    const int row = BlockTop(block) + y, left = BlockLeft(block);
    for (int x = 0; x < 8; ++x) set.pixels[tile][y][x] = state.editPixels[row][left + x];
    set.foreground[tile][y] = state.editForeground[row][left];
    set.background[tile][y] = state.editBackground[row][left];
  }
}

void GetTiles(TileStudioState& state, const TileSet& set) {
  for (int block = 0; block < kBlocks; ++block) LoadBlock(state, set, block, state.blockTiles[block]);
}

void PutTiles(const TileStudioState& state, TileSet& set) {
  for (int block = 0; block < kBlocks; ++block) StoreBlock(state, set, block, state.blockTiles[block]);
}

void PaintCell(TileStudioState& state, int row, int column) {
  const int segment = 8 * (column / 8);
  if (state.penMode == kForegroundPen) {
    state.editPixels[row][column] = 1;
    std::fill_n(&state.editForeground[row][segment], 8, state.foregroundPen);
  } else {
    state.editPixels[row][column] = 0;
    std::fill_n(&state.editBackground[row][segment], 8, state.backgroundPen);
  }
}

void ClearCanvasPixels(TileStudioState& state) { std::memset(state.editPixels, 0, sizeof state.editPixels); }

void ClearCanvas(TileStudioState& state) {
  ClearCanvasPixels(state);
  std::memset(state.editForeground, 0, sizeof state.editForeground);
  std::memset(state.editBackground, 0, sizeof state.editBackground);
}

void ShiftCanvasUp(TileStudioState& state) {
  for (int r = 0; r < kCanvasRows - 1; ++r)
    for (int c = 0; c < kCanvasColumns; ++c) Put(state, r, c, Take(state, r + 1, c));
  std::memset(state.editPixels[kCanvasRows - 1], 0, kCanvasColumns);
}

void ShiftCanvasDown(TileStudioState& state) {
  for (int r = kCanvasRows - 1; r > 0; --r)
    for (int c = 0; c < kCanvasColumns; ++c) Put(state, r, c, Take(state, r - 1, c));
  std::memset(state.editPixels[0], 0, kCanvasColumns);
}

void ShiftCanvasLeft(TileStudioState& state) {
  for (int r = 0; r < kCanvasRows; ++r) {
    for (int c = 0; c < kCanvasColumns - 1; ++c) Put(state, r, c, Take(state, r, c + 1));
    state.editPixels[r][kCanvasColumns - 1] = 0;
  }
}

void ShiftCanvasRight(TileStudioState& state) {
  for (int r = 0; r < kCanvasRows; ++r) {
    for (int c = kCanvasColumns - 1; c > 0; --c) Put(state, r, c, Take(state, r, c - 1));
    state.editPixels[r][0] = 0;
  }
}
