#include "widgets/palette_columns.h"

#include "model/history.h"
#include "model/project.h"
#include "widgets/layout.h"

namespace {
void DrawSwatch(const PaletteColumn& column, int colour, int columnIndex, PaletteClick& click) {
  ImGui::PushID(column.idBase + colour);
  if (ImGui::ColorButton(column.swatchLabel, ImGui::ColorConvertU32ToFloat4(Palette[colour]),
                         ImGuiColorEditFlags_NoTooltip, ImVec2(30, 15))) {
    *column.chosen = colour;
    click = {columnIndex, colour};
  }
  ImGui::SetItemTooltip("%d %s", colour, ColourNames[colour]);
  ImGui::PopID();
  if (*column.chosen == colour) OutlineLastItem(2);
}
}  // namespace

PaletteClick DrawPaletteColumns(ImVec2 origin, const char* tableId, PaletteColumn left, PaletteColumn right) {
  PaletteClick click;
  ImGui::SetCursorScreenPos(At(origin, 40, 70));
  ImGui::BeginGroup();
  ImGui::SetCursorScreenPos(At(origin, 49, 70));
  ImGui::TextUnformatted("FG");
  ImGui::SameLine();
  ImGui::SetCursorScreenPos(At(origin, 88, 70));
  ImGui::TextUnformatted("BG");
  if (ImGui::BeginTable(tableId, 2, ImGuiTableFlags_SizingFixedFit)) {
    ImGui::TableSetupColumn("C1", ImGuiTableColumnFlags_WidthFixed, 34);
    ImGui::TableSetupColumn("C2", ImGuiTableColumnFlags_WidthFixed, 34);
    for (int i = 0; i < 16; ++i) {
      ImGui::TableNextRow();
      ImGui::TableSetColumnIndex(0);
      DrawSwatch(left, i, 0, click);
      ImGui::TableSetColumnIndex(1);
      DrawSwatch(right, i, 1, click);
    }
    ImGui::EndTable();
  }
  DrawPaletteChoice(tableId);
  ImGui::EndGroup();
  return click;
}

void DrawPaletteChoice(const char* id) {
  ImGui::PushID(id);
  ImGui::SetNextItemWidth(72);
  if (ImGui::BeginCombo("##palette", PaletteOf(project.palette).name, ImGuiComboFlags_HeightLarge)) {
    for (int i = 0; i < kPalettes; ++i)
      if (ImGui::Selectable(kChipPalettes[i].title, PaletteIndex(project.palette) == i) &&
          ChoosePalette(project, static_cast<PaletteId>(i)))
        NameNextEdit("palette");
    ImGui::EndCombo();
  }
  ImGui::SetItemTooltip("The machine whose colours the project shows, imports and exports: %s",
                        PaletteOf(project.palette).title);
  ImGui::PopID();
}
