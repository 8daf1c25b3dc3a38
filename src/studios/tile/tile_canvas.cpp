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
  return {state.canvas.pixels[row][column], state.canvas.foreground[row][column], state.canvas.background[row][column]};
}

void Put(TileStudioState& state, int row, int column, const Cell& cell) {
  state.canvas.pixels[row][column] = cell.pixel;
  state.canvas.foreground[row][column] = cell.foreground;
  state.canvas.background[row][column] = cell.background;
}
}  // namespace

int BlockAt(int row, int column) { return column / 8 + 3 * (row / 8); }

void LoadBlock(TileStudioState& state, const TileSet& set, int block, int tile) {
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      const int row = BlockTop(block) + y, column = BlockLeft(block) + x;
      state.canvas.pixels[row][column] = set.pixels[tile][y][x];
      state.canvas.foreground[row][column] = set.foreground[tile][y];
      state.canvas.background[row][column] = set.background[tile][y];
    }
}

void StoreBlock(const TileStudioState& state, TileSet& set, int block, int tile) {
  for (int y = 0; y < 8; ++y) {
    const int row = BlockTop(block) + y, left = BlockLeft(block);
    for (int x = 0; x < 8; ++x) set.pixels[tile][y][x] = state.canvas.pixels[row][left + x];
    set.foreground[tile][y] = state.canvas.foreground[row][left];
    set.background[tile][y] = state.canvas.background[row][left];
  }
}

void GetTiles(TileStudioState& state, const TileSet& set) {
  for (int block = 0; block < kBlocks; ++block) LoadBlock(state, set, block, state.blockTiles[block]);
  state.storedCanvas = state.canvas;
}

void PutTiles(TileStudioState& state, TileSet& set) {
  for (int block = 0; block < kBlocks; ++block) StoreBlock(state, set, block, state.blockTiles[block]);
  state.storedCanvas = state.canvas;
}

bool CanvasHasUnstoredEdits(const TileStudioState& state, const TileSet& set) {
  return state.canvas != state.storedCanvas && CanvasDiffersFromTiles(state, set);
}

bool CanvasDiffersFromTiles(const TileStudioState& state, const TileSet& set) {
  for (int block = 0; block < kBlocks; ++block) {
    const int tile = state.blockTiles[block];
    // Of two blocks linked to one tile, PUT TILES leaves the later one's picture.
    if (std::find(state.blockTiles + block + 1, state.blockTiles + kBlocks, tile) != state.blockTiles + kBlocks)
      continue;
    for (int y = 0; y < 8; ++y) {
      const int row = BlockTop(block) + y, left = BlockLeft(block);
      if (set.foreground[tile][y] != state.canvas.foreground[row][left] ||
          set.background[tile][y] != state.canvas.background[row][left] ||
          !std::equal(set.pixels[tile][y], set.pixels[tile][y] + 8, &state.canvas.pixels[row][left]))
        return true;
    }
  }
  return false;
}

void PaintCell(TileStudioState& state, int row, int column) {
  const int segment = 8 * (column / 8);
  if (state.penMode == kForegroundPen) {
    state.canvas.pixels[row][column] = 1;
    std::fill_n(&state.canvas.foreground[row][segment], 8, state.foregroundPen);
  } else {
    state.canvas.pixels[row][column] = 0;
    std::fill_n(&state.canvas.background[row][segment], 8, state.backgroundPen);
  }
}

void ClearCanvasPixels(TileStudioState& state) { std::memset(state.canvas.pixels, 0, sizeof state.canvas.pixels); }

void ClearCanvas(TileStudioState& state) {
  ClearCanvasPixels(state);
  std::memset(state.canvas.foreground, 0, sizeof state.canvas.foreground);
  std::memset(state.canvas.background, 0, sizeof state.canvas.background);
}

void ShiftCanvasUp(TileStudioState& state) {
  for (int r = 0; r < kCanvasRows - 1; ++r)
    for (int c = 0; c < kCanvasColumns; ++c) Put(state, r, c, Take(state, r + 1, c));
  std::memset(state.canvas.pixels[kCanvasRows - 1], 0, kCanvasColumns);
}

void ShiftCanvasDown(TileStudioState& state) {
  for (int r = kCanvasRows - 1; r > 0; --r)
    for (int c = 0; c < kCanvasColumns; ++c) Put(state, r, c, Take(state, r - 1, c));
  std::memset(state.canvas.pixels[0], 0, kCanvasColumns);
}

void ShiftCanvasLeft(TileStudioState& state) {
  for (int r = 0; r < kCanvasRows; ++r) {
    for (int c = 0; c < kCanvasColumns - 1; ++c) Put(state, r, c, Take(state, r, c + 1));
    state.canvas.pixels[r][kCanvasColumns - 1] = 0;
  }
}

void ShiftCanvasRight(TileStudioState& state) {
  for (int r = 0; r < kCanvasRows; ++r) {
    for (int c = kCanvasColumns - 1; c > 0; --c) Put(state, r, c, Take(state, r, c - 1));
    state.canvas.pixels[r][0] = 0;
  }
}
