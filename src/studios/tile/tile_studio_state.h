#pragma once
// The Tile Studio's own state: pens, the 3 x 2-tile edit canvas, the blocks'
// tile links, sheet selection, match marks and the tile clipboard. Not part of
// the project: never saved, and kept through New and Load.

#include <cstdint>

#include "model/canvas_image.h"
#include "widgets/stroke.h"

constexpr int kBlocks = 6;
constexpr int kMaxTileSetsByAdd = 64;

enum PenMode : int32_t { kForegroundPen = 0, kBackgroundPen = 1 };

struct TileClipboard {
  int32_t foreground[256][8] = {};  // rows of each held tile
  int32_t background[256][8] = {};
  uint8_t pixels[256][8][8] = {};
  int32_t count = 0;         // tiles held; 0 = empty
  int32_t sourceStart = -1;  // tile the held range was cut or copied from; -1 = none
};

struct TileStudioState {
  int32_t currentTileSet = 0;  // index into tileSets
  // Pens: palette indices, and which one paints.
  int32_t foregroundPen = 0;
  int32_t backgroundPen = 1;
  int32_t penMode = kForegroundPen;
  CanvasImage canvas;                                // a colour pair per cell (row, column); starts blank
  CanvasImage storedCanvas;  // the canvas as GET TILES or PUT TILES last left it (blank): edits since are the user's
  int32_t blockTiles[kBlocks] = {0, 1, 2, 3, 4, 5};  // tile linked to each block
  int32_t nextBlock = 0;                             // block the next sheet click assigns
  bool showGrid = true;
  bool showBoundary = true;
  Stroke stroke;  // the paint stroke held on the canvas
  // Tile sheet.
  int32_t currentTile = 0;      // first tile of paste and import
  int32_t selectionStart = -1;  // range selection; both -1 or both tiles
  int32_t selectionEnd = -1;
  bool rangeDragging = false;
  bool trackTiles = false;        // moving tiles renumbers the name tables
  int32_t matchGroups[256] = {};  // duplicate group of each tile, 0 = none
  TileClipboard clipboard;
};

extern TileStudioState tileStudio;
