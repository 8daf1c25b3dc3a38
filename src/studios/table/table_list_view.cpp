// The name-table panel and the name-table import popup.
#include "model/history.h"
#include "studios/table/table_list_actions.h"
#include "studios/table/table_studio_panels.h"
#include "widgets/edit_button.h"
#include "widgets/list_widgets.h"
#include "widgets/notice.h"

namespace {
constexpr const char* kScreenPayload = "SCREEN_REORDER";
}  // namespace

void DrawNameTableImportPopup() {
  if (!ImGui::BeginPopupModal(kNameTableImportPopup, nullptr, ImGuiWindowFlags_AlwaysAutoResize)) return;
  ImGui::TextUnformatted("Bulk Import Name Tables");
  ImGui::TextUnformatted("What Format, Token or Raw HEX?");
  ImGui::Separator();
  const ImVec2 button(100, 25);
  if (ImGui::Button("TOKEN (DB)", button)) {
    ShowNotice(ImportNameTablesToken(tableStudio, nameTables, ImGui::GetClipboardText()));
    NameNextEdit("IMPORT");
    ImGui::CloseCurrentPopup();
  }
  ImGui::SameLine();
  if (ImGui::Button("RAW HEX", button)) {
    ShowNotice(ImportNameTablesRawHex(tableStudio, nameTables, ImGui::GetClipboardText()));
    NameNextEdit("IMPORT");
    ImGui::CloseCurrentPopup();
  }
  ImGui::SameLine();
  if (ImGui::Button("CANCEL", button)) ImGui::CloseCurrentPopup();
  CloseOnEscape();
  ImGui::EndPopup();
}

namespace {
// The screen as another machine's palette shows it, beside the project's own.
void DrawPaletteComparison(TableStudioState& state) {
  ImGui::TextUnformatted("Compare in");
  ImGui::SetNextItemWidth(150);
  const char* shown = state.shownAs >= 0 ? kChipPalettes[state.shownAs % kPalettes].title : "off";
  if (ImGui::BeginCombo("##compare", shown)) {
    if (ImGui::Selectable("off", state.shownAs < 0)) state.shownAs = -1;
    for (int i = 0; i < kPalettes; ++i)
      if (i != PaletteIndex(project.palette) && ImGui::Selectable(kChipPalettes[i].title, state.shownAs == i))
        state.shownAs = i;
    ImGui::EndCombo();
  }
  ImGui::SetItemTooltip("Show the screen as another machine's colours would, the project unchanged");
  if (state.shownAs == PaletteIndex(project.palette)) state.shownAs = -1;  // the project's own is no comparison
}
}  // namespace

void DrawNameTablePanel(ImVec2 origin) {
  TableStudioState& state = tableStudio;
  ImGui::SetCursorScreenPos(At(origin, 1646, 37));
  ImGui::BeginGroup();
  ImGui::TextUnformatted("Name Table Name");
  ImGui::SetNextItemWidth(150);
  if (ImGui::InputText("##rename", CurrentNameTable().name, kNameSize)) NameNextEdit("rename");
  if (EditButton("ADD")) AddNameTable(state, nameTables);
  ImGui::SetItemTooltip("Add a blank name table");
  ImGui::SameLine();
  if (EditButton("DEL")) DeleteNameTable(state, nameTables);
  ImGui::SetItemTooltip("Delete the current name table");
  ImGui::SameLine();
  if (EditButton("CLEAR")) ClearNameTables(state, nameTables);
  ImGui::SetItemTooltip("Replace every name table with one blank table");
  ImGui::TextUnformatted("Name Tables");
  if (ImGui::BeginListBox("##NameTablesList", ImVec2(150, 360))) {
    for (int i = 0; i < static_cast<int>(nameTables.size()); ++i) {
      const NamedRowEvents row = NamedListRow(i, nameTables[i].name, i == state.currentNameTable, kScreenPayload);
      if (row.clicked) state.currentNameTable = i;
      if (row.droppedFrom >= 0) {
        MoveNameTable(state, nameTables, row.droppedFrom, i);
        NameNextEdit("name table move");
      }
    }
    ImGui::EndListBox();
  }
  DrawPaletteComparison(state);
  ImGui::EndGroup();
}
