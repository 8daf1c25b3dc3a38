#pragma once
// The chip's four screen modes. Each name table is shown in one; Graphics II
// is what every screen was before the choice existed.

#include <cstdint>

enum class ScreenMode : int32_t {
  Graphics2,   // three thirds, each from its tile set, a colour pair a tile row
  Graphics1,   // 32 x 24 cells from one tile set, a colour pair a group of 8 tiles
  Text,        // 40 x 24 cells of 6 x 8 patterns, one colour pair, no sprites
  Multicolor,  // 64 x 48 blocks of 4 x 4 pixels, each one colour
};
constexpr int kScreenModes = 4;
inline constexpr const char* kScreenModeNames[kScreenModes] = {"Graphics II", "Graphics I", "Text", "Multicolor"};

// Graphics I and Text draw every cell from one tile set.
inline bool DrawsFromOneSet(ScreenMode mode) { return mode == ScreenMode::Graphics1 || mode == ScreenMode::Text; }

constexpr int kTextColumns = 40;
constexpr int kTextPixelWidth = 6;  // a pattern's two rightmost pixel columns are not shown
constexpr int kTextBorder = 9;      // chip pixels left of a Text screen's first column, as the chip times it
constexpr int kBlockColumns = 64, kBlockRows = 48, kBlockSide = 4;
constexpr int kColourGroups = 32;  // Graphics I: tiles 8g to 8g + 7 share group g's colours
constexpr int kGroupTiles = 8;
