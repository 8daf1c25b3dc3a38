#include "widgets/notice.h"

#include <algorithm>

#include "imgui.h"
#include "imgui_internal.h"

Notice notice;

void ShowNotice(const std::string& text) { notice = {text, kNoticeSeconds}; }

bool AgeNotice(Notice& shown, float elapsedSeconds) {
  if (shown.text.empty()) return false;
  shown.secondsLeft -= elapsedSeconds;
  if (shown.secondsLeft > 0) return true;
  shown = Notice{};
  return false;
}

void DrawNotice() {
  if (!AgeNotice(notice, ImGui::GetIO().DeltaTime)) return;
  const ImGuiViewport* viewport = ImGui::GetMainViewport();
  ImGui::SetNextWindowPos(ImVec2(viewport->GetCenter().x, viewport->Pos.y + viewport->Size.y - 40), ImGuiCond_Always,
                          ImVec2(0.5f, 1.0f));
  ImGui::SetNextWindowBgAlpha(0.9f);
  ImGui::PushStyleVar(ImGuiStyleVar_Alpha, std::min(1.0f, notice.secondsLeft));
  const ImGuiWindowFlags flags = ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_AlwaysAutoResize |
                                 ImGuiWindowFlags_NoSavedSettings | ImGuiWindowFlags_NoFocusOnAppearing |
                                 ImGuiWindowFlags_NoNav;
  if (ImGui::Begin("##Notice", nullptr, flags)) {
    // In front of any window the user brought forward (the Export window, say), without taking its focus.
    ImGui::BringWindowToDisplayFront(ImGui::GetCurrentWindow());
    ImGui::TextUnformatted(notice.text.c_str());
    if (ImGui::IsWindowHovered() && ImGui::IsMouseClicked(ImGuiMouseButton_Left)) notice = Notice{};
    if (ImGui::IsWindowHovered()) ImGui::SetTooltip("Click to dismiss");
  }
  ImGui::End();
  ImGui::PopStyleVar();
}
