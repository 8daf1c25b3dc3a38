#ifndef _WIN32
#define SDL_MAIN_HANDLED  // on Windows SDL2main provides the entry point
#endif
#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <string>

#include "app/dialogs/file_dialog.h"
#include "app/emulator/emulator_session.h"
#include "app/recovery/recovery.h"
#include "app/shell/editor_config.h"
#include "app/shell/editor_frame.h"
#include "app/shell/editor_tabs.h"
#include "app/shell/project_commands.h"
#include "app/shell/sdl_frame.h"
#include "app/shell/settings_folder.h"
#include "app/shell/sound_generator.h"
#include "app/shell/window_placement.h"
#include "imgui.h"
#include "imgui_internal.h"
#include "imgui_impl_sdl2.h"
#include "imgui_impl_sdlrenderer2.h"
#include "model/history.h"
#include "storage/utf8_path.h"
#include "studios/tile/tile_studio_state.h"

namespace {
// Whether the renderer's OpenGL is a software rasteriser (Mesa's llvmpipe and
// its kin, where no GPU is found): SDL's own software renderer answers a
// click sooner there.
bool RasterisesInSoftware(SDL_Renderer* renderer) {
  SDL_RendererInfo info{};
  if (SDL_GetRendererInfo(renderer, &info) != 0 || std::strncmp(info.name, "opengl", 6) != 0) return false;
  using GetString = const unsigned char* (*)(unsigned);
  const auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
  constexpr unsigned kGlRenderer = 0x1F01;
  const unsigned char* name = getString ? getString(kGlRenderer) : nullptr;
  const std::string text = name ? reinterpret_cast<const char*>(name) : "";
  return text.find("llvmpipe") != std::string::npos || text.find("softpipe") != std::string::npos ||
         text.find("Software Rasterizer") != std::string::npos;
}

SDL_Renderer* CreateRenderer(SDL_Window* window) {
  // A renderer the user names (SDL_RENDER_DRIVER) is taken as it is.
  if (const char* named = SDL_GetHint(SDL_HINT_RENDER_DRIVER); named && *named)
    return SDL_CreateRenderer(window, -1, SDL_RENDERER_PRESENTVSYNC);
  if (SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC)) {
    if (!RasterisesInSoftware(renderer)) return renderer;
    SDL_DestroyRenderer(renderer);
  }
  // No GPU (or SDL's dummy video driver): draw in software, and show the
  // window's pixels as they are rather than through OpenGL, which here would be
  // the same software rasteriser again (a third of each frame's time).
  SDL_SetHintWithPriority(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0", SDL_HINT_DEFAULT);
  return SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
}

// No device is fine: the editor then runs silently.
SDL_AudioDeviceID OpenAudio() {
  SDL_AudioSpec wanted{};
  wanted.freq = kDefaultAudioRate;
  wanted.format = AUDIO_S16LSB;
  wanted.channels = 1;
  wanted.samples = 2048;
  wanted.callback = AudioCallback;
  SDL_AudioSpec obtained{};
  const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
  if (device == 0) return 0;
  obtainedAudioRate = obtained.freq;
  SDL_PauseAudioDevice(device, 0);
  return device;
}

constexpr Uint32 kIdleWaitMs = 10000;  // an idle editor still draws now and then
constexpr int kSettleFrames = 60;      // frames drawn after input at most, for hover effects and tooltip delays

// Whether a frame could still change with no input: an item hovered for less
// than a tooltip's delay, or one held.
bool GuiAwaitsTime() {
  const ImGuiContext& gui = *ImGui::GetCurrentContext();
  return ImGui::IsAnyItemActive() || (gui.HoveredId != 0 && gui.HoveredIdTimer < 1.0f);
}

void HandleEvent(SdlScreen& screen, const SDL_Event& event) {
  ProcessSdlEvent(screen, event);
  if (event.type == SDL_QUIT) RequestExit();  // asks first when there are unsaved changes
  if (event.type == SDL_WINDOWEVENT && event.window.event == SDL_WINDOWEVENT_MOVED) SaveEditorConfig(screen.window);
}

// Takes the waiting events; with `waitMs`, first waits that long for one. True when any came.
bool PollEvents(SdlScreen& screen, Uint32 waitMs) {
  SDL_Event event;
  bool any = false;
  if (waitMs > 0) {
    if (!SDL_WaitEventTimeout(&event, static_cast<int>(waitMs))) return false;
    HandleEvent(screen, event);
    any = true;
  }
  while (SDL_PollEvent(&event)) {
    HandleEvent(screen, event);
    any = true;
  }
  return any;
}

double SteadySeconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// The largest window of the layout's shape that fits the display's usable area,
// title bar and borders included.
void FitWindowToDisplay(SDL_Window* window) {
  const ScreenRect usable = UsableDisplayArea(editorSettings);
  int top = 0, left = 0, bottom = 0, right = 0;
  SDL_GetWindowBordersSize(window, &top, &left, &bottom, &right);
  int width = 0, height = 0;
  LargestLayoutWindow(usable.width - left - right, usable.height - top - bottom, width, height);
  SDL_SetWindowSize(window, width, height);
  if (SDL_WINDOWPOS_ISCENTERED(editorSettings.windowX))
    SDL_SetWindowPosition(window, usable.x + left + (usable.width - left - right - width) / 2,
                          usable.y + top + (usable.height - top - bottom - height) / 2);
}

// The title follows the current file and its unsaved changes.
void UpdateTitle(SDL_Window* window, std::string& shown) {
  const std::string title = WindowTitle(session, ProjectHasUnsavedChanges());
  if (title == shown) return;
  SDL_SetWindowTitle(window, title.c_str());
  shown = title;
}
}  // namespace

int main(int argc, char** argv) {
  settingsFolder = ChooseSettingsFolder();
  recovery.folder = settingsFolder + "/recovery";
  if (!EnsureConfigDirectory()) return -1;
  std::error_code error;
  lastDirectory = Utf8Text(std::filesystem::current_path(error));
  LoadEditorConfig();

  SDL_SetMainReady();
  // Windows: sharp at every monitor's scale, the layout scaled as on Linux.
  SDL_SetHint(SDL_HINT_WINDOWS_DPI_AWARENESS, "permonitorv2");
  if (SDL_Init(SDL_INIT_TIMER | SDL_INIT_AUDIO | SDL_INIT_VIDEO) != 0) return -1;
  const SDL_AudioDeviceID audio = OpenAudio();
  KeepWindowOnADisplay(editorSettings, DisplayBounds());

  SDL_Window* window =
      SDL_CreateWindow("Tessellary", editorSettings.windowX, editorSettings.windowY, editorSettings.windowWidth,
                       editorSettings.windowHeight, SDL_WINDOW_ALLOW_HIGHDPI | SDL_WINDOW_RESIZABLE);
  // Sized before the renderer exists (one made first kept the old size and drew
  // the layout shifted), and placed again after it: trying OpenGL makes the
  // window anew where it was first placed.
  if (window) FitWindowToDisplay(window);
  SDL_Renderer* renderer = window ? CreateRenderer(window) : nullptr;
  if (!renderer) {
    if (audio) SDL_CloseAudioDevice(audio);
    if (window) SDL_DestroyWindow(window);
    SDL_Quit();
    return -1;
  }
  FitWindowToDisplay(window);
  SdlScreen screen{window, renderer};
  PrepareSdlScreen(screen);
  StartHistory(history, project, tileStudio.canvas);
  // A bad file shows its error over the default project.
  if (const std::vector<std::string> arguments = ProgramArguments(argc, argv); !arguments.empty())
    OpenProjectFile(arguments[0]);

  ImGui::CreateContext();
  const std::string imguiSettings = ImGuiSettingsPath();  // Dear ImGui keeps the pointer
  ImGui::GetIO().IniFilename = imguiSettings.c_str();
  ImGui_ImplSDL2_InitForSDLRenderer(window, renderer);
  ImGui_ImplSDLRenderer2_Init(renderer);

  SetFileDialogHost(&screen);
  RegisterEditorTabs();
  StartRecovery(recovery);

  bool running = true;
  std::string title;
  int settleFrames = kSettleFrames;
  while (running) {
    const double now = SteadySeconds();
    TickRecovery(recovery, now);
    // With no input the editor sleeps until something happens or moves on its own.
    const double idleSeconds = std::min<double>(SecondsUntilNextChange(), SecondsUntilRecoveryDue(recovery, now));
    const Uint32 waitMs =
        settleFrames > 0 ? 0 : static_cast<Uint32>(std::min(1000.0 * idleSeconds, double(kIdleWaitMs)));
    const bool input = PollEvents(screen, waitMs);
    if (input)
      settleFrames = kSettleFrames;
    else if (settleFrames > 0)
      --settleFrames;
    UpdateTitle(window, title);
    // Settled as soon as a frame with no input draws what the last one did.
    const bool changed = RunSdlFrame(screen, [&running] { DrawEditorFrame(running); });
    if (!input && !changed && !GuiAwaitsTime()) settleFrames = 0;
  }

  SaveEditorConfig(window);
  StopEmulator(emulator);
  StopRecovery(recovery);
  if (audio) SDL_CloseAudioDevice(audio);
  ImGui_ImplSDLRenderer2_Shutdown();
  ImGui_ImplSDL2_Shutdown();
  ImGui::DestroyContext();
  ReleaseSdlScreen(screen);
  SDL_DestroyRenderer(renderer);
  SDL_DestroyWindow(window);
  SDL_Quit();
  return 0;
}
