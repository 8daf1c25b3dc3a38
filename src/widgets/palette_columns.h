#pragma once
// The two-column palette both painting studios show at (40, 70): an "FG" and
// a "BG" header over a table of 16 rows of colour swatches, one per palette entry.

#include <cstdint>

#include "imgui.h"

struct PaletteColumn {
  const char* swatchLabel;  // "##fgM2", "##f"...
  int idBase;               // swatch i sits inside ID idBase + i
  int32_t* chosen;          // set to i on a click; the swatch equal to it is framed
};

struct PaletteClick {
  int column = -1;  // 0 left, 1 right, -1 no click
  int colour = -1;
};

// Under the swatches, the palette choice (DrawPaletteChoice).
PaletteClick DrawPaletteColumns(ImVec2 origin, const char* tableId, PaletteColumn left, PaletteColumn right);
// A menu of the machines' palettes at the cursor: the choice is one undo step.
void DrawPaletteChoice(const char* id);
