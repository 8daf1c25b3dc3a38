#pragma once
// The Table Studio's own state: the screen being edited, the palette's tile set,
// view toggles, the selected cell, sprite placement and the Tile Editor window.
// Not part of the project: never saved, kept through New and Load.

#include <cstddef>
#include <cstdint>
#include <vector>

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

enum class ScreenTool : int32_t { Select, Brush, Fill, Rect, Pick };

// Tiles laid as a block, row by row; a plain brush is one tile.
struct TileBlock {
  int width = 1, height = 1;
  std::vector<uint8_t> tiles{0};
  uint8_t At(int row, int column) const { return tiles[row * width + column]; }
};

// Cells from top-left to bottom-right, both included.
struct CellArea {
  int top = 0, left = 0, bottom = 0, right = 0;
};

struct TableStudioState {
  int32_t currentNameTable = 0;  // index into nameTables
  // The palette shows the set of the third the pointer was last over (or whose
  // set was last chosen, or whose cell the Tile Editor paints): what a brush
  // tile then paints there. The set is worked out from the third each frame.
  int32_t paletteThird = 0;
  int32_t paletteTileSet = 0;  // index into tileSets
  bool showGrid = true;
  bool spritesMode = false;     // sprite placement mode
  bool chipView = false;        // the screen as the chip would show the exported data
  int32_t shownAs = -1;         // a palette the screen is compared in (index into kChipPalettes), or -1
  bool tileEditorOpen = false;  // the Tile Editor window is wanted
  CellRef selectedCell;         // none at start
  // Tile Editor window.
  CellRef editorCell;        // the cell the window showed last
  bool scrollToCell = true;  // scroll the grid to the selected cell when next drawn
  int32_t penMode = kTableForegroundPen;
  int32_t foregroundPen = 0;
  int32_t backgroundPen = 0;
  Stroke editorStroke;  // the paint stroke held in the window
  // Painting the screen.
  ScreenTool tool = ScreenTool::Select;
  ScreenTool toolBeforePick = ScreenTool::Brush;  // PICK returns to it
  TileBlock brush;                                // tile 0
  Stroke brushStroke;                             // the BRUSH stroke held on the screen
  GridCell lastBrushed{-1, -1};                   // for Shift+click lines; -1 = none
  int32_t lastBrushedTable = -1;                  // the name table lastBrushed belongs to
  GridCell dragFrom{-1, -1};                      // press cell of a RECT or SELECT drag; -1 = none
  GridCell dragTo{-1, -1};
  bool hasRegion = false;  // a SELECT drag's region, for Ctrl+C / Ctrl+X / Del
  CellArea region;
  int32_t paletteDragFrom = -1;  // palette tiles a right-drag spans, -1 = none
  int32_t paletteDragTo = -1;
  int32_t numberBase = 0;           // tile numbers over the cells: 0 off, 10 or 16
  bool highlightSame = false;       // mark the cells using the palette tile under the pointer
  int32_t hoveredPaletteTile = -1;  // this frame's, -1 = none
  // Text and Multicolor screens.
  int32_t blockColour = 15;  // a Multicolor screen's paint
  Stroke modeStroke;         // the stroke held on a Text or Multicolor screen
  // Sprite placement.
  int32_t draggedPlacement = -1;  // placement being moved, -1 = none
  float grabOffset[2] = {0, 0};   // mouse minus the placement's corner when grabbed
  bool spriteMarks[kListedSprites] = {};
  std::size_t lastSpriteCount = 0;
};

extern TableStudioState tableStudio;
