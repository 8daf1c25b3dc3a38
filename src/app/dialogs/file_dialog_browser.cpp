// Where the system has no dialog we can call, the file browser runs in the
// editor's own window. It gets a GUI context of its own: the editor's frame is
// still open while a menu command waits for the answer.
#ifndef _WIN32
#include <SDL.h>

#include "app/dialogs/file_browser.h"
#include "app/dialogs/file_dialog.h"
#include "app/shell/sdl_frame.h"
#include "imgui.h"
#include "imgui_impl_sdl2.h"
#include "imgui_impl_sdlrenderer2.h"

namespace {
SdlScreen* host = nullptr;
}  // namespace

void SetFileDialogHost(SdlScreen* screen) { host = screen; }

std::string PlatformFileDialog(const FileFilters& filters, const std::string& initialDirectory, bool save) {
  if (!host) return {};
  ImGuiContext* editorContext = ImGui::GetCurrentContext();
  ImGuiContext* dialogContext = ImGui::CreateContext();
  ImGui::SetCurrentContext(dialogContext);
  ImGui::GetIO().IniFilename = nullptr;
  ImGui_ImplSDL2_InitForSDLRenderer(host->window, host->renderer);
  ImGui_ImplSDLRenderer2_Init(host->renderer);

  FileBrowserState state = OpenFileBrowser(filters, initialDirectory, save);
  bool quitRequested = false;
  while (state.outcome == BrowserOutcome::Pending) {
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
      ProcessSdlEvent(*host, event);
      if (event.type == SDL_QUIT) {
        quitRequested = true;
        CancelFileBrowser(state);
      }
    }
    RunSdlFrame(*host, [&state] { DrawFileBrowser(state); });
  }

  ImGui_ImplSDLRenderer2_Shutdown();
  ImGui_ImplSDL2_Shutdown();
  ImGui::DestroyContext(dialogContext);
  ImGui::SetCurrentContext(editorContext);
  if (quitRequested) {
    // Hand the quit on to the editor's loop.
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
  }
  return state.outcome == BrowserOutcome::Chosen ? state.chosenPath : std::string();
}
#endif
