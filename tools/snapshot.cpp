// Renders frames of the editor off-screen through SDL's software renderer and
// writes one BMP per studio tab, so the editor can be looked at without a display.
// Usage: snapshot [output folder] [project.krv]   (default: the working directory, a new project)

#include <SDL.h>

#include <string>

#include "app/shell/editor_config.h"
#include "app/shell/editor_tabs.h"
#include "app/shell/sdl_frame.h"
#include "imgui_impl_sdlrenderer2.h"
#include "storage/project_file.h"
#include "support/gui_driver.h"

int main(int argc, char** argv) {
  const std::string folder = argc > 1 ? argv[1] : ".";
  SDL_SetHint(SDL_HINT_VIDEODRIVER, "dummy");
  if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
  SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, kWindowWidth, kWindowHeight, 32, SDL_PIXELFORMAT_ARGB8888);
  SDL_Renderer* renderer = surface ? SDL_CreateSoftwareRenderer(surface) : nullptr;
  if (!renderer) return 1;

  RegisterEditorTabs();
  GuiDriver gui(true);  // starts from a new project
  if (argc > 2 && LoadProject(argv[2]) != FileResult::Ok) {
    SDL_Log("cannot load %s", argv[2]);
    return 1;
  }
  ImGui_ImplSDLRenderer2_Init(renderer);
  gui.beforeNewFrame = [] { ImGui_ImplSDLRenderer2_NewFrame(); };

  int status = 0;
  gui.Frame(2);
  for (const EditorTab& tab : editorTabs) {
    gui.Click(gui.ItemCenter(tab.title));
    gui.MoveMouse(ImVec2(-1, -1));
    gui.Frame(3);
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderClear(renderer);
    MakeSharpPictures();
    ImGui_ImplSDLRenderer2_RenderDrawData(ImGui::GetDrawData(), renderer);
    SDL_RenderPresent(renderer);
    std::string path = folder + "/" + tab.title + ".bmp";
    for (char& c : path)
      if (c == ' ') c = '_';
    if (SDL_SaveBMP(surface, path.c_str()) != 0)
      status = 1;
    else
      SDL_Log("wrote %s", path.c_str());
  }

  ImGui_ImplSDLRenderer2_Shutdown();
  SDL_DestroyRenderer(renderer);
  SDL_FreeSurface(surface);
  SDL_Quit();
  return status;
}
