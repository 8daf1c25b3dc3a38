#include "app/shell/sdl_frame.h"

#include "app/shell/frame_fingerprint.h"

#include <SDL.h>

#include <cfloat>

#include "app/shell/editor_config.h"
#include "app/shell/window_placement.h"
#include "imgui.h"
#include "imgui_impl_sdl2.h"
#include "imgui_impl_sdlrenderer2.h"
#include "imgui_internal.h"

namespace {
constexpr Uint32 kFrameMs = 16;

LayoutFit WindowFit(const SdlScreen& screen) {
  if (!screen.layout) return LayoutFit{};
  int width = 0, height = 0;
  SDL_GetWindowSize(screen.window, &width, &height);
  return FitLayout(static_cast<float>(width), static_cast<float>(height));
}

// Mouse positions queued from index `first` on, in window coordinates, become layout units.
void MapQueuedMousePositions(const SdlScreen& screen, int first) {
  const LayoutFit fit = WindowFit(screen);
  ImVector<ImGuiInputEvent>& queue = ImGui::GetCurrentContext()->InputEventsQueue;
  for (int i = first; i < queue.Size; ++i) {
    ImGuiInputEvent& event = queue[i];
    if (event.Type != ImGuiInputEventType_MousePos || event.MousePos.PosX == -FLT_MAX) continue;
    WindowToLayout(fit, event.MousePos.PosX, event.MousePos.PosY);
  }
}
// The platform backend adds the global mouse position each frame, which SDL may
// report stale (it does under X without input extensions); the window's own
// motion events already say where the mouse is.
void DropGlobalMousePositions(int first) {
  ImVector<ImGuiInputEvent>& queue = ImGui::GetCurrentContext()->InputEventsQueue;
  for (int i = queue.Size - 1; i >= first; --i)
    if (queue[i].Type == ImGuiInputEventType_MousePos) queue.erase(queue.Data + i);
}
}  // namespace

void PrepareSdlScreen(SdlScreen& screen) {
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
  screen.layout = SDL_CreateTexture(screen.renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, kWindowWidth,
                                    kWindowHeight);
}

void ReleaseSdlScreen(SdlScreen& screen) {
  if (screen.layout) SDL_DestroyTexture(screen.layout);
  screen.layout = nullptr;
}

namespace {
bool QueueMovesPointer() {
  for (const ImGuiInputEvent& queued : ImGui::GetCurrentContext()->InputEventsQueue)
    if (queued.Type == ImGuiInputEventType_MousePos) return true;
  return false;
}

// True when the button event must wait a frame: the queue already moves the
// pointer, or the press happened elsewhere than the pointer is (no motion event
// came first), in which case the move is queued now.
bool PressMeetsMove(const SdlScreen& screen, const SDL_Event& event) {
  if (event.type != SDL_MOUSEBUTTONDOWN && event.type != SDL_MOUSEBUTTONUP) return false;
  if (QueueMovesPointer()) return true;
  float x = static_cast<float>(event.button.x), y = static_cast<float>(event.button.y);
  WindowToLayout(WindowFit(screen), x, y);
  ImGui::GetIO().AddMousePosEvent(x, y);  // queues nothing where the pointer already is
  return QueueMovesPointer();
}

bool IsModifierKey(ImGuiKey key) {
  return ImGui::IsLRModKey(key) || (key >= ImGuiKey_ReservedForModCtrl && key <= ImGuiKey_ReservedForModSuper);
}

// True when a modifier changes after another key went down in the queued input.
// Dear ImGui takes a frame's queued keys together, so that burst (Ctrl+S sent
// as Ctrl down, S down, Ctrl up, S up) would show S down without Ctrl: the
// modifier's change waits a frame, and S is seen with the modifiers of its press.
bool ModifierChangesAfterKeyPress(const SDL_Event& event) {
  if (event.type != SDL_KEYDOWN && event.type != SDL_KEYUP) return false;
  const SDL_Scancode code = event.key.keysym.scancode;
  if (code < SDL_SCANCODE_LCTRL || code > SDL_SCANCODE_RGUI) return false;
  for (const ImGuiInputEvent& queued : ImGui::GetCurrentContext()->InputEventsQueue)
    if (queued.Type == ImGuiInputEventType_Key && queued.Key.Down && !IsModifierKey(queued.Key.Key)) return true;
  return false;
}
}  // namespace

void ProcessSdlEvent(SdlScreen& screen, const SDL_Event& event) {
  if (event.type == SDL_WINDOWEVENT || event.type == SDL_RENDER_TARGETS_RESET) screen.redraw = true;
  if (!screen.heldEvents.empty() || PressMeetsMove(screen, event) || ModifierChangesAfterKeyPress(event)) {
    screen.heldEvents.push_back(event);
    return;
  }
  const int first = ImGui::GetCurrentContext()->InputEventsQueue.Size;
  ImGui_ImplSDL2_ProcessEvent(&event);
  MapQueuedMousePositions(screen, first);
}

void MakeSharpPictures() {
  for (ImTextureData* texture : ImGui::GetCurrentContext()->UserTextures)
    if (texture->Status == ImTextureStatus_WantCreate) {
      ImGui_ImplSDLRenderer2_UpdateTexture(texture);
      SDL_SetTextureScaleMode(reinterpret_cast<SDL_Texture*>(texture->TexID), SDL_ScaleModeNearest);
    }
}

bool RunSdlFrame(SdlScreen& screen, const std::function<void()>& draw) {
  // A renderer may claim vsync and still not wait (software GL does), so frames are paced here too.
  const Uint32 elapsed = SDL_GetTicks() - screen.lastFrameTicks;
  if (elapsed < kFrameMs) SDL_Delay(kFrameMs - elapsed);
  screen.lastFrameTicks = SDL_GetTicks();

  ImGui_ImplSDLRenderer2_NewFrame();
  const int first = ImGui::GetCurrentContext()->InputEventsQueue.Size;
  ImGui_ImplSDL2_NewFrame();
  DropGlobalMousePositions(first);
  if (screen.layout) {
    ImGuiIO& io = ImGui::GetIO();
    io.DisplaySize = ImVec2(static_cast<float>(kWindowWidth), static_cast<float>(kWindowHeight));
    io.DisplayFramebufferScale = ImVec2(1, 1);
  }
  ImGui::NewFrame();
  // The frame has taken the pointer's move: what was held back follows it.
  std::vector<SDL_Event> held;
  held.swap(screen.heldEvents);
  for (const SDL_Event& event : held) ProcessSdlEvent(screen, event);
  draw();
  ImGui::Render();
  const ImDrawData& drawn = *ImGui::GetDrawData();
  const uint64_t fingerprint = FrameFingerprint(drawn);
  if (fingerprint == screen.lastFingerprint && !screen.redraw && !WaitsForTextures(drawn)) return false;
  screen.lastFingerprint = fingerprint, screen.redraw = false;

  SDL_Renderer* renderer = screen.renderer;
  if (screen.layout) SDL_SetRenderTarget(renderer, screen.layout);
  // Window backgrounds are slightly translucent: an uncleared buffer would let
  // earlier frames show through.
  SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
  SDL_RenderClear(renderer);
  MakeSharpPictures();
  ImGui_ImplSDLRenderer2_RenderDrawData(ImGui::GetDrawData(), renderer);
  if (screen.layout) {
    SDL_SetRenderTarget(renderer, nullptr);
    SDL_RenderClear(renderer);
    int width = 0, height = 0;
    SDL_GetRendererOutputSize(renderer, &width, &height);
    const LayoutFit fit = FitLayout(static_cast<float>(width), static_cast<float>(height));
    const SDL_Rect target{static_cast<int>(fit.offsetX), static_cast<int>(fit.offsetY),
                          static_cast<int>(kWindowWidth * fit.scale), static_cast<int>(kWindowHeight * fit.scale)};
    SDL_RenderCopy(renderer, screen.layout, nullptr, &target);
  }
  SDL_RenderPresent(renderer);
  return true;
}
