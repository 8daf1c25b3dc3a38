#pragma once
// One frame of a GUI context on the SDL window: the editor's loop and the
// file browser's nested loop both run frames this way.

#include <functional>

struct SDL_Renderer;

// Frames are paced by the display's refresh; a renderer without vsync (the
// software fallback) would otherwise spin, so the frame then waits instead.
bool PacedByDisplay(SDL_Renderer* renderer);

// New frame for the current context, `draw`, then render and present.
void RunSdlFrame(SDL_Renderer* renderer, bool paced, const std::function<void()>& draw);
