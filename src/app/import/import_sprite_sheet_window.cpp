#include "app/import/import_sprite_sheet_window.h"

#include <cmath>
#include <string>

#include "app/import/import_sprite_sheet.h"
#include "app/import/picture_preview.h"
#include "imgui.h"

namespace {
// The multiples of the sprite side up to 64.
bool DrawCellSide(const char* label, int& side) {
  bool changed = false;
  ImGui::SetNextItemWidth(80);
  if (ImGui::BeginCombo(label, std::to_string(side).c_str())) {
    const int step = project.spriteSize.side;
    for (int choice = step; choice <= kMaxMetaspriteSide; choice += step)
      if (ImGui::Selectable(std::to_string(choice).c_str(), choice == side)) side = choice, changed = true;
    ImGui::EndCombo();
  }
  return changed;
}

bool DrawOptions(SpriteSheetOptions& options) {
  bool changed = DrawCellSide("Cell width", options.cellWidth);
  ImGui::SameLine();
  changed |= DrawCellSide("Cell height", options.cellHeight);
  changed |= ImGui::Checkbox("Transparent colour", &options.keyed);
  ImGui::SetItemTooltip("Pixels of this colour are transparent too, as pixels of no alpha always are");
  ImGui::SameLine();
  float rgb[3] = {(options.key >> 16 & 255) / 255.0f, (options.key >> 8 & 255) / 255.0f, (options.key & 255) / 255.0f};
  if (ImGui::ColorEdit3("##key", rgb, ImGuiColorEditFlags_NoInputs)) {
    options.key = static_cast<uint32_t>(rgb[0] * 255 + 0.5f) << 16 | static_cast<uint32_t>(rgb[1] * 255 + 0.5f) << 8 |
                  static_cast<uint32_t>(rgb[2] * 255 + 0.5f);
    changed = true;
  }
  ImGui::SetNextItemWidth(200);
  changed |=
      ImGui::SliderInt("Most sprites on a line", &options.maxPerLine, 0, 16, options.maxPerLine ? "%d" : "no limit");
  ImGui::SetItemTooltip("A frame that needs more is refused by name (the chip shows 4 on a line)");
  return changed;
}
}  // namespace

void DrawImportSheetWindow() {
  ImportSheetState& state = importSheet;
  if (!state.open) return;
  ImGui::SetNextWindowSize(ImVec2(1120, 640), ImGuiCond_FirstUseEver);
  ImGui::SetNextWindowPos(ImGui::GetMainViewport()->GetCenter(), ImGuiCond_FirstUseEver, ImVec2(0.5f, 0.5f));
  ImGui::SetNextWindowBgAlpha(1.0f);
  if (!ImGui::Begin("Import Sprite Sheet", &state.open)) {
    ImGui::End();
    return;
  }
  ImGui::TextUnformatted(state.path.c_str());
  if (!state.sheet.rgba.empty()) {
    if (state.zoom == 0) state.zoom = DefaultPreviewZoom(state.sheet);
    ImGui::SetNextItemWidth(200);
    ImGui::SliderFloat("Zoom##sheet", &state.zoom, 1, 8, "%.0fx", ImGuiSliderFlags_AlwaysClamp);
    state.zoom = std::round(state.zoom);
    ImGui::SameLine();
    ImGui::TextDisabled("A click on the sheet makes its colour transparent");
    const ImVec2 clicked = DrawSourceBesideResult(state.sheet, state.usable ? &state.result : nullptr, state.zoom);
    if (clicked.x >= 0) PickSheetKey(state, static_cast<int>(clicked.x), static_cast<int>(clicked.y));
    for (const std::string& frame : state.crowded) ImGui::TextColored(ImVec4(1, 0.35f, 0.35f, 1), "%s", frame.c_str());
    ImGui::EndGroup();
  }
  if (DrawOptions(state.options)) UpdateSheetPreview(state);
  if (!state.guessed.empty()) ImGui::TextWrapped("%s", state.guessed.c_str());
  ImGui::TextWrapped("%s", state.figures.c_str());
  ImGui::BeginDisabled(!state.usable);
  if (ImGui::Button("Import##sheet")) ConfirmImportSheet(state);
  ImGui::EndDisabled();
  ImGui::SameLine();
  if (ImGui::Button("Cancel##sheet")) state.open = false;
  ImGui::End();
}
