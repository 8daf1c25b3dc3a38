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
  if (ImGui::BeginListBox("##NameTablesList", ImVec2(150, 400))) {
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
  ImGui::EndGroup();
}
