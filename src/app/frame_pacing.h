#pragma once
struct SDL_Renderer;

// Frames are paced by the display's refresh; a renderer without vsync (the
// software fallback) would otherwise spin, so it waits a frame's time instead.
bool PacedByDisplay(SDL_Renderer* renderer);
void WaitForNextFrame(bool paced);
