// The SDL event handling that keeps a burst of keys apart: a modifier that
// changes after another key went down waits for the next frame.
#include "app/shell/sdl_frame.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include "imgui.h"
#include "imgui_impl_sdl2.h"
#include "imgui_internal.h"

// Every modifier from Left Ctrl to Right GUI, and no key beside that range.
TEST(SdlFrame, AModifierChangingAfterAKeyPressWaitsAFrame) {
  SDL_SetHint(SDL_HINT_VIDEODRIVER, "dummy");
  ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
  SDL_Window* window = SDL_CreateWindow("keys", 0, 0, 64, 64, SDL_WINDOW_HIDDEN);
  ImGuiContext* context = ImGui::CreateContext();
  ImGui_ImplSDL2_InitForSDLRenderer(window, nullptr);
  const auto keyDown = [window](int code, int symbol) {  // the backend takes its own window's keys only
    SDL_Event event{};
    event.type = SDL_KEYDOWN, event.key.state = SDL_PRESSED, event.key.windowID = SDL_GetWindowID(window);
    event.key.keysym.scancode = static_cast<SDL_Scancode>(code), event.key.keysym.sym = symbol;
    return event;
  };
  const struct {
    int code, symbol;
    bool held;
  } cases[] = {{SDL_SCANCODE_LCTRL, SDLK_LCTRL, true},
               {SDL_SCANCODE_LSHIFT, SDLK_LSHIFT, true},
               {SDL_SCANCODE_RGUI, SDLK_RGUI, true},
               {SDL_SCANCODE_LCTRL - 1, SDLK_UNKNOWN, false},
               {SDL_SCANCODE_MODE, SDLK_MODE, false}};
  for (const auto& c : cases) {
    SdlScreen screen{window};
    context->InputEventsQueue.resize(0);
    ProcessSdlEvent(screen, keyDown(SDL_SCANCODE_S, SDLK_s));
    ProcessSdlEvent(screen, keyDown(c.code, c.symbol));
    EXPECT_EQ(!screen.heldEvents.empty(), c.held) << "scancode " << c.code;
  }
  ImGui_ImplSDL2_Shutdown(), ImGui::DestroyContext(context);
  SDL_DestroyWindow(window), SDL_Quit();
}
