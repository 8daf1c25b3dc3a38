#include "app/shell/editor_frame.h"

#include <algorithm>

#include "app/emulator/emulator_commands.h"
#include "app/emulator/emulator_session.h"
#include "app/export/export_window.h"
#include "app/import/import_picture_window.h"
#include "app/import/import_sprite_sheet_window.h"
#include "app/shell/editor_tabs.h"
#include "app/shell/main_menu.h"
#include "app/shell/project_commands.h"
#include "imgui.h"
#include "studios/sprite/sprite_animation.h"
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

float SecondsUntilNextChange() {
  float seconds = 1e9f;
  if (spriteAnimation.animationPlaying)
    seconds = std::max(0.0f, ClampFrameSeconds(project.strips.frameSeconds) - spriteAnimation.animationTimer);
  // The emulator's link looks often while the cartridge starts, then now and then for it having gone.
  if (emulator.running) seconds = std::min(seconds, emulator.loaded ? 0.25f : 0.05f);
  if (!notice.text.empty()) seconds = std::min(seconds, notice.secondsLeft > 1 ? notice.secondsLeft - 1 : 1 / 30.0f);
  return seconds;
}

void DrawEditorFrame(bool& running) {
  HandleShortcuts();  // before drawing, so that this frame shows the result
  DrawMainMenu();
  DrawWorkspace();
  DrawExportWindow();
  DrawImportPictureWindow();
  DrawImportSheetWindow();
  DrawNotice();
  RecordFrameEdits();
  KeepEmulatorLive();
  if (session.quit) running = false;
}
