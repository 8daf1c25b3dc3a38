#include "app/editor_frame.h"

#include "app/editor_tabs.h"
#include "app/main_menu.h"
#include "app/project_commands.h"
#include "imgui.h"
#include "widgets/notice.h"

namespace {
void DrawWorkspace() {
  const ImGuiIO& io = ImGui::GetIO();
  const float menuHeight = ImGui::GetFrameHeight();
  ImGui::SetNextWindowPos(ImVec2(0, menuHeight));
  ImGui::SetNextWindowSize(ImVec2(io.DisplaySize.x, io.DisplaySize.y - menuHeight));
  const ImGuiWindowFlags flags = ImGuiWindowFlags_NoTitleBar | ImGuiWindowFlags_NoResize | ImGuiWindowFlags_NoMove |
                                 ImGuiWindowFlags_NoBringToFrontOnFocus;
  if (ImGui::Begin("Workspace", nullptr, flags)) DrawEditorTabs();
  ImGui::End();
}
}  // namespace

void DrawEditorFrame(bool& running) {
  HandleShortcuts();  // before drawing, so that this frame shows the result
  DrawMainMenu();
  DrawWorkspace();
  DrawNotice();
  RecordFrameEdits();
  if (session.quit) running = false;
}
