#pragma once
// A metasprite: one character drawn from several ordinary sprites of the
// project, overlaid for more colours or side by side for a larger figure, as
// games on this chip draw nearly everything. Its parts point at sprites as a
// name table's cells point at tiles, so that everything handling sprites
// handles the parts too.

#include <cstdint>
#include <vector>

#include "model/map.h"

constexpr int kMaxMetaspriteSide = 64;  // pixels across and down
constexpr int kMaxMetasprites = 1024;  // a 512 x 512 sheet of 16 x 16 frames
constexpr int kMaxSheetCells = 256;  // columns or rows of a sprite sheet

struct MetaspritePart {
  int32_t sprite = 0;    // index into the project's sprites; may name none any more: then not drawn
  int32_t x = 0, y = 0;  // the sprite's top-left corner from the metasprite's, in pixels
};

// Where a metasprite stood on the sheet it was imported from, so that the
// sheet written again has the same size and layout.
struct SheetCell {
  int32_t column = -1, row = -1;  // -1: drawn in the editor
  int32_t columns = 0, rows = 0;  // the sheet's grid
};

struct Metasprite {
  char name[kMapNameSize] = {};
  int32_t width = 32, height = 32;    // the picture, in steps of the sprite size up to 64
  std::vector<MetaspritePart> parts;  // in plane order: the first on top
  SheetCell sheet;
};

bool operator==(const MetaspritePart& a, const MetaspritePart& b);
bool operator==(const Metasprite& a, const Metasprite& b);
