// The set button column with the import buttons and popups, the set name
// field and the list of tile sets.
#include "chip/chip_render.h"
#include "chip/group_colours.h"
#include "model/history.h"
#include "studios/tile/tile_import.h"
#include "studios/tile/tile_set_actions.h"
#include "studios/tile/tile_sheet_actions.h"
#include "studios/tile/tile_studio_panels.h"
#include "widgets/list_widgets.h"
#include "widgets/notice.h"
#include "widgets/toggle_button.h"

namespace {
constexpr const char* kSetPayload = "TILESET_REORDER";
constexpr const char* kPatternPopup = "Import Patterns###ImpPat";
constexpr const char* kColourPopup = "Import Colours###ImpCol";
const ImVec4 kHintGrey(0.7f, 0.7f, 0.7f, 1.0f);

// The three buttons every import popup ends with; each closes the popup.
void DrawImportButtons(TileTable table) {
  TileStudioState& state = tileStudio;
  const char* name = table == TileTable::Patterns ? "import patterns" : "import colours";
  if (ImGui::Button("TOKEN (DB)", ImVec2(100, 25))) {
    ShowNotice(ImportTilesToken(state, tileSets, table, ImGui::GetClipboardText()));
    NameNextEdit(name);
    ImGui::CloseCurrentPopup();
  }
  ImGui::SameLine();
  if (ImGui::Button("RAW HEX", ImVec2(100, 25))) {
    ShowNotice(ImportTilesRawHex(state, tileSets, table, ImGui::GetClipboardText()));
    NameNextEdit(name);
    ImGui::CloseCurrentPopup();
  }
  ImGui::SameLine();
  if (ImGui::Button("CANCEL", ImVec2(80, 25))) ImGui::CloseCurrentPopup();
  CloseOnEscape();
}
}  // namespace

void DrawSetButtonColumn(ImVec2 origin) {
  TileStudioState& state = tileStudio;
  const ImVec2 button(100, 25), importButton(100, 42);
  ImGui::SetCursorScreenPos(At(origin, 1524, 56));
  ImGui::BeginGroup();
  if (ImGui::Button("ADD SET", button)) {
    AddTileSet(state, tileSets);
    NameNextEdit("ADD SET");
  }
  ImGui::SetItemTooltip("Add a blank tile set");
  if (ImGui::Button("DEL SET", button)) {
    DeleteTileSet(state, tileSets, nameTables, project.maps);
    NameNextEdit("DEL SET");
  }
  ImGui::SetItemTooltip("Delete the current tile set");
  if (ImGui::Button("CLEAR SETS", button)) {
    ClearTileSets(state, tileSets, nameTables, project.maps);
    NameNextEdit("CLEAR SETS");
  }
  ImGui::SetItemTooltip("Replace every tile set with one blank set");
  if (ImGui::Button("IMPORT\nPATTERN", importButton)) ImGui::OpenPopup(kPatternPopup);
  ImGui::SetItemTooltip("Read 8-byte tile patterns from the clipboard, from the current tile on");
  if (ImGui::Button("IMPORT\nCOLOR", importButton)) ImGui::OpenPopup(kColourPopup);
  ImGui::SetItemTooltip("Read 8-byte tile colours from the clipboard, from the current tile on");
  TileSet& set = tileSets[state.currentTileSet];
  if (ToggleButton("GRAPHICS I", set.graphics1, button)) {
    ShowNotice(SetGraphics1(set, !set.graphics1));
    NameNextEdit("Graphics I set");
  }
  ImGui::SetItemTooltip(
      "A Graphics I set: the 8 tiles of each group share one colour pair, and painting one "
      "row's colours colours the whole group");
  const bool grouped = SetShowsGroupColours(project, state.currentTileSet);
  const int unfit = grouped ? CountUnfitTiles(set) : 0;
  if (grouped) {
    if (ImGui::Button("GROUP TILES", button)) {
      ShowNotice(GroupTilesByColour(state, tileSets, nameTables));
      NameNextEdit("GROUP TILES");
    }
    ImGui::SetItemTooltip(
        "Move the tiles so that each group of 8 holds tiles whose colours suit one pair; the name "
        "tables follow");
  }
  if (unfit > 0 && !set.graphics1) {
    if (ImGui::Button("FIT GROUPS", button)) {
      ShowNotice(SetGraphics1(set, true, true));
      NameNextEdit("FIT GROUPS");
    }
    ImGui::SetItemTooltip(
        "Give each group of 8 tiles the colour pair most of its rows have, as a Graphics I "
        "screen shows them");
    ImGui::PushTextWrapPos(ImGui::GetCursorPosX() + button.x);
    ImGui::TextColored(ImVec4(1.0f, 0.3f, 0.3f, 1.0f), "%d marked %s in their group's colours on a Graphics I screen",
                       unfit, unfit == 1 ? "tile shows" : "tiles show");
    ImGui::PopTextWrapPos();
  }
  if (EmptyCellsShowTile255(nameTables, tileSets, state.currentTileSet)) {
    ImGui::PushTextWrapPos(ImGui::GetCursorPosX() + button.x);
    ImGui::TextColored(ImVec4(1.0f, 0.3f, 0.3f, 1.0f), "Tile 255 is not blank: empty cells show tile 255 on the chip");
    ImGui::PopTextWrapPos();
  }
  ImGui::EndGroup();
}

void DrawTileImportPopups() {
  if (ImGui::BeginPopupModal(kPatternPopup, nullptr, ImGuiWindowFlags_AlwaysAutoResize)) {
    ImGui::Text("Importing Patterns starting at Tile %03d...", tileStudio.currentTile);
    ImGui::TextColored(kHintGrey, "Token: Supports Labels & 'DB' lines");
    ImGui::TextColored(kHintGrey, "Raw Hex: Reads pure hex pairs (Binary style)");
    ImGui::Separator();
    DrawImportButtons(TileTable::Patterns);
    ImGui::EndPopup();
  }
  if (ImGui::BeginPopupModal(kColourPopup, nullptr, ImGuiWindowFlags_AlwaysAutoResize)) {
    ImGui::Text("Importing Colors starting at Tile %03d...", tileStudio.currentTile);
    ImGui::Separator();
    DrawImportButtons(TileTable::Colours);
    ImGui::EndPopup();
  }
}

void DrawTileSetList(ImVec2 origin) {
  TileStudioState& state = tileStudio;
  ImGui::SetCursorScreenPos(At(origin, 1634, 40));
  ImGui::BeginGroup();
  ImGui::TextUnformatted("Tile Set Name");
  ImGui::SetNextItemWidth(150);
  if (ImGui::InputText("##tilesetrename", CurrentTileSet().name, kNameSize)) NameNextEdit("rename");
  ImGui::Spacing();
  ImGui::SetNextItemWidth(150);
  if (ImGui::BeginListBox("##TileSetsList", ImVec2(150, 850))) {
    for (int i = 0; i < static_cast<int>(tileSets.size()); ++i) {
      const NamedRowEvents row = NamedListRow(i, tileSets[i].name, i == state.currentTileSet, kSetPayload);
      if (row.clicked) state.currentTileSet = i;
      if (row.droppedFrom >= 0) {
        MoveTileSet(state, tileSets, nameTables, project.maps, row.droppedFrom, i);
        NameNextEdit("tile set move");
      }
    }
    ImGui::EndListBox();
  }
  ImGui::EndGroup();
}
