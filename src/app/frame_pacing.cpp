#include "app/frame_pacing.h"

#include <SDL.h>

bool PacedByDisplay(SDL_Renderer* renderer) {
  SDL_RendererInfo info;
  return SDL_GetRendererInfo(renderer, &info) == 0 && (info.flags & SDL_RENDERER_PRESENTVSYNC);
}

void WaitForNextFrame(bool paced) {
  constexpr Uint32 kFrameMs = 16;
  if (!paced) SDL_Delay(kFrameMs);
}
