#pragma once
// The Table Studio's own state: the screen being edited, the palette's tile set,
// view toggles, the selected cell, sprite placement and the Tile Editor window.
// Not part of the project: never saved, kept through New and Load.

#include <cstddef>
#include <cstdint>

#include "widgets/stroke.h"

constexpr int kMaxNameTablesByAdd = 255;
constexpr int kMaxNameTablesByImport = 256;
constexpr int kMaxSpriteMarks = 32;
constexpr int kListedSprites = 256;

struct CellRef {
  int32_t column = -1;  // -1 in both: no cell
  int32_t row = -1;
  bool IsNone() const { return column < 0 || row < 0; }
  bool operator==(const CellRef& other) const { return column == other.column && row == other.row; }
  bool operator!=(const CellRef& other) const { return !(*this == other); }
};

enum TablePenMode : int32_t { kTableForegroundPen = 0, kTableBackgroundPen = 1 };

struct TableStudioState {
  int32_t currentNameTable = 0;  // index into nameTables
  int32_t paletteTileSet = 0;    // index into tileSets of the set the palette shows
  bool showGrid = true;
  bool spritesMode = false;     // sprite placement mode
  bool tileEditorOpen = false;  // the Tile Editor window is wanted
  CellRef selectedCell;         // none at start
  // Tile Editor window.
  CellRef editorCell;        // the cell the window showed last
  bool scrollToCell = true;  // scroll the grid to the selected cell when next drawn
  int32_t penMode = kTableForegroundPen;
  int32_t foregroundPen = 0;
  int32_t backgroundPen = 0;
  Stroke editorStroke;  // the paint stroke held in the window
  // Sprite placement.
  int32_t draggedPlacement = -1;  // placement being moved, -1 = none
  float grabOffset[2] = {0, 0};   // mouse minus the placement's corner when grabbed
  bool spriteMarks[kListedSprites] = {};
  std::size_t lastSpriteCount = 0;
};

extern TableStudioState tableStudio;
