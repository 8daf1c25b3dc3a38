#include "app/window_placement.h"

#include <SDL.h>

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

std::vector<ScreenRect> DisplayBounds() {
  std::vector<ScreenRect> displays;
  const int count = SDL_GetNumVideoDisplays();
  for (int i = 0; i < count; ++i) {
    SDL_Rect bounds;
    if (SDL_GetDisplayBounds(i, &bounds) == 0) displays.push_back({bounds.x, bounds.y, bounds.w, bounds.h});
  }
  return displays;
}
