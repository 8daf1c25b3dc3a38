#include "app/main_menu.h"

#include "imgui.h"

void DrawMainMenu(bool& running) {
  if (!ImGui::BeginMainMenuBar()) return;
  if (ImGui::BeginMenu("File")) {
    if (ImGui::MenuItem("Exit", "Alt+F4")) running = false;
    ImGui::EndMenu();
  }
  ImGui::EndMainMenuBar();
}
