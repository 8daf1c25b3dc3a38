#pragma once
#include <vector>

#include "app/editor_config.h"

struct ScreenRect {
  int x, y, width, height;
};

// A saved position that would show no part of the window on any display
// (a monitor since unplugged, say) is replaced by the centred position, and a
// size with no area by the default size.
void KeepWindowOnADisplay(EditorSettings& settings, const std::vector<ScreenRect>& displays);

// The bounds of every display SDL knows of.
std::vector<ScreenRect> DisplayBounds();
