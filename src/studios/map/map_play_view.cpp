// The map's play settings under its properties: the walker's speed and walk
// strip, its start put back at the screen frame's middle, and whether the map
// can be played as it is (Run > Play Map).
#include <string>

#include "chip/map_walk.h"
#include "model/history.h"
#include "studios/map/map_studio_panels.h"
#include "widgets/edit_button.h"

namespace {
std::string StripTitle(int strip) {
  return strip < 0 ? "walks as the first sprite" : "walks as strip " + std::to_string(strip + 1);
}
}  // namespace

void DrawPlayControls(Map& map) {
  ImGui::Spacing();
  ImGui::TextUnformatted("Play (Run > Play Map, Shift+F5)");
  ImGui::SetNextItemWidth(kMapColumnWidth);
  int speed = map.play.speed;
  if (ImGui::SliderInt("##walkspeed", &speed, 1, kMaxWalkSpeed, "%d pixels a frame") && speed != map.play.speed) {
    map.play.speed = speed;
    NameNextEdit("walk speed");
  }
  ImGui::SetItemTooltip("How fast the walker goes on the machine");
  ImGui::SetNextItemWidth(kMapColumnWidth);
  if (ImGui::BeginCombo("##walkstrip", StripTitle(map.play.walkStrip).c_str())) {
    for (int strip = -1; strip < kStrips; ++strip)
      if (ImGui::Selectable(StripTitle(strip).c_str(), strip == map.play.walkStrip) && strip != map.play.walkStrip) {
        map.play.walkStrip = strip;
        NameNextEdit("walk strip");
      }
    ImGui::EndCombo();
  }
  ImGui::SetItemTooltip(
      "The walker: the first sprite, or an animation strip of the Sprite Studio whose frames "
      "advance while it moves");
  ImGui::BeginDisabled(map.play.startX < 0 && map.play.startY < 0);
  if (EditButton("CENTRE START")) {
    map.play.startX = map.play.startY = -1;
    NameNextEdit("walk start");
  }
  ImGui::EndDisabled();
  ImGui::SetItemTooltip("Start the walker at the middle of the screen frame again (FRAME shows its START)");
  const WalkWorld world = MakeWalkWorld(project, mapStudio.currentMap, mapStudio.frameColumn, mapStudio.frameRow);
  if (!world.error.empty()) {
    ImGui::PushStyleColor(ImGuiCol_Text, IM_COL32(255, 90, 90, 255));
    ImGui::PushTextWrapPos(ImGui::GetCursorPosX() + kMapColumnWidth);
    ImGui::TextWrapped("Cannot play: %s.", world.error.c_str());
    ImGui::PopTextWrapPos();
    ImGui::PopStyleColor();
  } else {
    ImGui::Text("Starts at %d, %d", world.startX, world.startY);
  }
}
