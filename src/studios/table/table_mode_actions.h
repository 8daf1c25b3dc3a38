#pragma once
// The screen modes in the Table Studio: choosing a screen's mode, and
// painting the screens that are no grid of 32 x 24 tiles: Text's 40 columns of
// names and Multicolor's blocks.

#include <string>

#include "model/project.h"

// The screen is shown in `mode` from now on. Graphics I and Text draw from one
// tile set, the top third's, which all three thirds then name. The first time
// a screen is Text, its names fill the left 32 columns; the first time it is
// Multicolor, each block takes the colour most of its pixels showed. The result line.
std::string SetScreenMode(Project& data, NameTable& table, ScreenMode mode);

// The Text cell or Multicolor block under chip pixel (x, y), row by row; -1 outside.
int TextCellAt(int x, int y);
int MulticolorBlockAt(int x, int y);
// At chip pixel (x, y) a Text screen's cell takes name `value` (255 empties
// it), a Multicolor screen's block colour `value`. False where nothing is painted.
bool PaintModeScreen(NameTable& table, int x, int y, int value);
