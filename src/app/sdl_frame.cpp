#include "app/sdl_frame.h"

#include <SDL.h>

#include "imgui.h"
#include "imgui_impl_sdl2.h"
#include "imgui_impl_sdlrenderer2.h"

bool PacedByDisplay(SDL_Renderer* renderer) {
  SDL_RendererInfo info;
  return SDL_GetRendererInfo(renderer, &info) == 0 && (info.flags & SDL_RENDERER_PRESENTVSYNC);
}

void RunSdlFrame(SDL_Renderer* renderer, bool paced, const std::function<void()>& draw) {
  constexpr Uint32 kFrameMs = 16;
  ImGui_ImplSDLRenderer2_NewFrame();
  ImGui_ImplSDL2_NewFrame();
  ImGui::NewFrame();
  draw();
  ImGui::Render();
  // Window backgrounds are slightly translucent: an uncleared buffer would let
  // earlier frames show through.
  SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
  SDL_RenderClear(renderer);
  ImGui_ImplSDLRenderer2_RenderDrawData(ImGui::GetDrawData(), renderer);
  SDL_RenderPresent(renderer);
  if (!paced) SDL_Delay(kFrameMs);
}
