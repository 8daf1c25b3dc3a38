#pragma once
// What the video chip does with a screen's sprites: the sprite attribute table
// built from its placements (32 planes of Y, X, pattern, colour and the early
// clock bit, ended by a Y of 208), and which planes each scanline shows (four
// at most; the fifth and later vanish on that line).

#include <cstdint>
#include <string>
#include <vector>

#include "model/project.h"

constexpr int kChipWidth = 256, kChipHeight = 192;
constexpr float kViewUnitsPerChipPixel = 4.75f;
constexpr int kSpritePlanes = 32;
constexpr uint8_t kTerminatorY = 208;
constexpr uint8_t kEarlyClock = 0x80;
constexpr int kSpritesPerLine = 4;

// The whole chip pixel of a position in view units: the nearest, halves up.
int ChipPixel(float viewUnits);
// A placement position snapped to whole chip pixels, in view units.
float SnapToChipPixel(float viewUnits);

struct SpritePlane {
  uint8_t y, x, pattern, colour;  // the four attribute bytes
  int placement;                  // index into the name table's placements
  int sprite;                     // index into sprites
  int top, left;                  // where the chip draws it, in chip pixels
};

struct SpriteAttributes {
  SpriteSize size;                    // the chip's, for every plane
  std::vector<SpritePlane> planes;    // plane 0 first: the last placement, drawn on top
  std::vector<std::string> problems;  // "placement 3: sprite 70 is past the 64 of the pattern table"
  std::vector<uint8_t> Bytes() const; // the planes, then 208 when fewer than 32
};

SpriteAttributes BuildSpriteAttributes(const NameTable& table, const std::vector<Sprite>& sprites, SpriteSize size);

// For each of the 192 lines, the planes covering it in plane order, up to the
// terminator; those past the fourth are not shown on that line.
struct ScanLine {
  std::vector<int> planes;
  bool Overflows() const { return planes.size() > kSpritesPerLine; }
};
std::vector<ScanLine> ScanSpriteLines(const SpriteAttributes& attributes);
int CountOverflowingLines(const std::vector<ScanLine>& lines);
