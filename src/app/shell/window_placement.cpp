#include "app/shell/window_placement.h"

#include <SDL.h>

#include <algorithm>

namespace {
bool IsCentredOrUndefined(int position) {
  return SDL_WINDOWPOS_ISCENTERED(position) || SDL_WINDOWPOS_ISUNDEFINED(position);
}

bool Overlaps(const ScreenRect& a, const ScreenRect& b) {
  return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}
}  // namespace

void KeepWindowOnADisplay(EditorSettings& settings, const std::vector<ScreenRect>& displays) {
  // No window can be made with no area; the editor would not start at all.
  if (settings.windowWidth <= 0 || settings.windowHeight <= 0) {
    settings.windowWidth = kWindowWidth;
    settings.windowHeight = kWindowHeight;
  }
  if (displays.empty()) return;
  const bool xCentred = IsCentredOrUndefined(settings.windowX);
  const bool yCentred = IsCentredOrUndefined(settings.windowY);
  if (xCentred && yCentred) return;
  for (const ScreenRect& display : displays) {
    // A centred coordinate lands on the display, so it only has to overlap along the other axis.
    const ScreenRect window{xCentred ? display.x : settings.windowX, yCentred ? display.y : settings.windowY,
                            settings.windowWidth, settings.windowHeight};
    if (Overlaps(window, display)) return;
  }
  settings.windowX = kCentredPosition;
  settings.windowY = kCentredPosition;
}

LayoutFit FitLayout(float windowWidth, float windowHeight) {
  LayoutFit fit;
  fit.scale = std::min(windowWidth / kWindowWidth, windowHeight / kWindowHeight);
  if (!(fit.scale > 0)) return LayoutFit{};
  fit.offsetX = (windowWidth - kWindowWidth * fit.scale) / 2;
  fit.offsetY = (windowHeight - kWindowHeight * fit.scale) / 2;
  return fit;
}

void WindowToLayout(const LayoutFit& fit, float& x, float& y) {
  x = (x - fit.offsetX) / fit.scale;
  y = (y - fit.offsetY) / fit.scale;
}

void LayoutToWindow(const LayoutFit& fit, float& x, float& y) {
  x = x * fit.scale + fit.offsetX;
  y = y * fit.scale + fit.offsetY;
}

void LargestLayoutWindow(int width, int height, int& windowWidth, int& windowHeight) {
  const double scale = std::min(double(width) / kWindowWidth, double(height) / kWindowHeight);
  windowWidth = std::max(1, static_cast<int>(kWindowWidth * scale));
  windowHeight = std::max(1, static_cast<int>(kWindowHeight * scale));
}

int DisplayHolding(const EditorSettings& settings, const std::vector<ScreenRect>& displays) {
  for (int i = 0; i < static_cast<int>(displays.size()); ++i)
    if (Overlaps({settings.windowX, settings.windowY, 1, 1}, displays[i])) return i;
  return 0;
}

ScreenRect UsableDisplayArea(const EditorSettings& settings) {
  SDL_Rect usable;
  if (SDL_GetDisplayUsableBounds(DisplayHolding(settings, DisplayBounds()), &usable) != 0)
    return {0, 0, kWindowWidth, kWindowHeight};
  return {usable.x, usable.y, usable.w, usable.h};
}

std::vector<ScreenRect> DisplayBounds() {
  std::vector<ScreenRect> displays;
  const int count = SDL_GetNumVideoDisplays();
  for (int i = 0; i < count; ++i) {
    SDL_Rect bounds;
    if (SDL_GetDisplayBounds(i, &bounds) == 0) displays.push_back({bounds.x, bounds.y, bounds.w, bounds.h});
  }
  return displays;
}
