#pragma once
#include <vector>

#include "app/shell/editor_config.h"

struct ScreenRect {
  int x, y, width, height;
};

// A saved position that would show no part of the window on any display
// (a monitor since unplugged, say) is replaced by the centred position, and a
// size with no area by the default size.
void KeepWindowOnADisplay(EditorSettings& settings, const std::vector<ScreenRect>& displays);

// The bounds of every display SDL knows of.
std::vector<ScreenRect> DisplayBounds();
// The display holding the saved position's corner, or the first display.
int DisplayHolding(const EditorSettings& settings, const std::vector<ScreenRect>& displays);
// The usable area (without task bars) of the display holding the saved
// position, or of the first display.
ScreenRect UsableDisplayArea(const EditorSettings& settings);

// The editor lays out at a fixed kWindowWidth x kWindowHeight; a window of
// another size shows that layout scaled to fit, aspect kept, centred.
struct LayoutFit {
  float scale = 1;
  float offsetX = 0, offsetY = 0;  // window pixels left and above the layout
};
LayoutFit FitLayout(float windowWidth, float windowHeight);
// A point of the window in layout units, and back.
void WindowToLayout(const LayoutFit& fit, float& x, float& y);
void LayoutToWindow(const LayoutFit& fit, float& x, float& y);
// The largest window of the layout's aspect that fits in `width` x `height`.
void LargestLayoutWindow(int width, int height, int& windowWidth, int& windowHeight);
