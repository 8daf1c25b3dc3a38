#pragma once
// Sprite sheets in: a PNG of frames in a grid of equal cells, read left to
// right and top to bottom, each frame (empty cells skipped) a metasprite whose
// colours are the nearest of the chip's 15 (export/sprite_sheet_image.h
// writes the grid back).

#include <cstdint>
#include <string>

#include "import/png_import.h"
#include "model/project.h"
#include "storage/png_file.h"

constexpr int kMaxSheetSide = 4096;  // pixels across or down a sheet

struct SpriteSheetOptions {
  int cellWidth = 16, cellHeight = 16;  // multiples of the sprite size, at most 64
  bool keyed = false;                   // `key` is transparent too (alpha 0 always is)
  uint32_t key = 0;                     // 0xRRGGBB
  int maxPerLine = 0;                   // sprites a frame may need on a line; 0: no limit
};

struct SpriteSheetResult {
  bool ok = false;
  std::string message;  // what was made, or why the sheet was refused
  int frames = 0, sprites = 0, worstLine = 0;
};

// Adds a metasprite a frame, named after the sheet ("walk 1", "walk 2"...),
// whose parts share one sprite where their patterns and colours are the same;
// each row's frames go into the next empty animation strip while there is one.
// A refused sheet leaves `data` as it was.
SpriteSheetResult ImportSpriteSheet(const uint8_t* png, std::size_t size, const std::string& name, Project& data,
                                    const SpriteSheetOptions& options);

// Whether a sheet's pixel is transparent to the import: alpha below half, or the key colour.
bool SheetPixelClear(const uint8_t* rgba, const SpriteSheetOptions& options);

// The cell size a sheet's frames most likely have: on each axis the smallest
// multiple of the sprite side (up to 64) that divides the sheet and whose cell
// edges cut no frame, that is lie at a clear gap or the sheet's edge.
// 0 on an axis where no size does, or where no line is clear.
struct CellSize {
  int width = 0, height = 0;
};
CellSize GuessSheetCell(const RgbaImage& sheet, const SpriteSheetOptions& options, int spriteSide);

// The result as the other imports give theirs, for the commands they share.
ImportResult AsImportResult(const SpriteSheetResult& result);
