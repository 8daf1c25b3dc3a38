// The Map Studio's left column: the list of maps, the current map's name, tile
// set, metatile size and size, and the ways between maps and name tables.
#include <algorithm>
#include <string>

#include "model/history.h"
#include "model/list_order.h"
#include "studios/map/map_studio_panels.h"
#include "widgets/edit_button.h"
#include "widgets/list_widgets.h"
#include "widgets/notice.h"

namespace {
constexpr const char* kMapPayload = "MAP_REORDER";
constexpr const char* kResizePopup = "Resize Map###ConfirmMapResize";
constexpr std::size_t kMostNameTables = 256;

void AddMap() {
  Map map = DefaultMap();
  FormatName(map.name, "Map %d", static_cast<int>(project.maps.size()) + 1);
  project.maps.push_back(map);
  mapStudio.currentMap = static_cast<int>(project.maps.size()) - 1;
}

void DrawSizeControls(Map& map) {
  MapStudioState& state = mapStudio;
  ImGui::Text("Size %d x %d cells", map.width, map.height);
  ImGui::SetNextItemWidth(100);
  ImGui::InputInt("##width", &state.newWidth);
  ImGui::SetItemTooltip("New width in cells (1-1024)");
  ImGui::SameLine();
  ImGui::SetNextItemWidth(100);
  ImGui::InputInt("##height", &state.newHeight);
  ImGui::SetItemTooltip("New height in cells (1-1024)");
  const char* corners[] = {"Top left", "Top right", "Bottom left", "Bottom right"};
  for (int i = 0; i < 4; ++i) {
    if (ImGui::RadioButton(corners[i], state.anchor == static_cast<MapAnchor>(i)))
      state.anchor = static_cast<MapAnchor>(i);
    if (i % 2 == 0) ImGui::SameLine(120);
  }
  const int lost = CellsLostByResize(map, state.newWidth, state.newHeight, state.anchor);
  bool resize = false;
  if (ImGui::Button("RESIZE")) {
    if (lost > 0)
      ImGui::OpenPopup(kResizePopup);
    else
      resize = true;
  }
  ImGui::SetItemTooltip("Resize the map, keeping its cells against the chosen corner");
  if (ConfirmYesCancel(kResizePopup, "The new size drops %d cells that hold metatiles. Resize '%s'?", lost, map.name))
    resize = true;
  if (resize) {
    ResizeMap(map, state.newWidth, state.newHeight, state.anchor);
    NameNextEdit("RESIZE");
    ShowNotice("The map is " + std::to_string(map.width) + " x " + std::to_string(map.height) + " cells");
  }
}

// Screen from Map writes the framed window; Make Metatiles cuts a name table.
void DrawScreenControls(Map& map) {
  MapStudioState& state = mapStudio;
  ImGui::Spacing();
  ImGui::TextUnformatted("Screens");
  state.screenInto = std::clamp(state.screenInto, -1, static_cast<int>(nameTables.size()) - 1);
  state.sourceTable = std::clamp(state.sourceTable, 0, std::max(0, static_cast<int>(nameTables.size()) - 1));
  if (ImGui::BeginListBox("##nametables", ImVec2(kMapColumnWidth, 110))) {
    if (ImGui::Selectable("(a new name table)", state.screenInto == -1)) state.screenInto = -1;
    for (int i = 0; i < static_cast<int>(nameTables.size()); ++i) {
      ImGui::PushID(i);
      if (ImGui::Selectable(nameTables[i].name, state.screenInto == i)) state.screenInto = state.sourceTable = i;
      ImGui::PopID();
    }
    ImGui::EndListBox();
  }
  if (EditButton("SCREEN FROM MAP")) {
    if (state.screenInto < 0 && nameTables.size() >= kMostNameTables) {
      ShowNotice("There are 256 name tables already");
    } else {
      if (state.screenInto < 0) {
        nameTables.push_back(NameTable());
        FormatName(nameTables.back().name, "%s", map.name);
        state.screenInto = static_cast<int>(nameTables.size()) - 1;
      }
      ScreenFromMap(map, state.frameColumn, state.frameRow, nameTables[state.screenInto]);
      ShowNotice(std::string("The framed screen is in name table ") + nameTables[state.screenInto].name);
    }
  }
  ImGui::SetItemTooltip("Write the screen frame's 32 x 24 tiles into the chosen name table (or a new one)");
  ImGui::TextUnformatted("Tiles: left, top, width, height");
  ImGui::SetNextItemWidth(kMapColumnWidth);
  ImGui::InputInt4("##region", &state.sourceTiles.column);  // column, row, width, height lie in that order
  ImGui::SetItemTooltip("The part of the chosen name table that MAKE METATILES cuts");
  if (EditButton("MAKE METATILES") && !nameTables.empty()) {
    MapRect& tiles = state.sourceTiles;
    tiles.column = std::clamp(tiles.column, 0, kTableColumns - 1), tiles.row = std::clamp(tiles.row, 0, kTableRows - 1);
    tiles.width = std::clamp(tiles.width, 1, kTableColumns - tiles.column);
    tiles.height = std::clamp(tiles.height, 1, kTableRows - tiles.row);
    std::string message;
    MapBlock block;
    if (MakeMetatilesFromScreen(project, state.currentMap, state.sourceTable, tiles, block, message)) {
      state.brush = block;  // ready to paint as one block
      state.tool = MapTool::Brush;
    }
    ShowNotice(message);
  }
  ImGui::SetItemTooltip(
      "Cut the chosen name table's region into metatiles (identical blocks share one); "
      "the result becomes the brush");
}
}  // namespace

void DrawMapList(ImVec2 origin) {
  MapStudioState& state = mapStudio;
  ImGui::SetCursorScreenPos(At(origin, 12, 36));
  ImGui::BeginGroup();
  ImGui::TextUnformatted("Maps");
  if (ImGui::BeginListBox("##maps", ImVec2(kMapColumnWidth, 120))) {
    for (int i = 0; i < static_cast<int>(project.maps.size()); ++i) {
      const NamedRowEvents row = NamedListRow(i, project.maps[i].name, i == state.currentMap, kMapPayload);
      if (row.clicked) state.currentMap = i;
      if (row.droppedFrom >= 0 && MoveRecord(project.maps, row.droppedFrom, i)) {
        state.currentMap = i;
        NameNextEdit("map move");
      }
    }
    ImGui::EndListBox();
  }
  if (EditButton("ADD MAP")) AddMap();
  ImGui::SetItemTooltip("Add a map of 64 x 48 cells of 2 x 2 tiles");
  ImGui::SameLine();
  if (EditButton("DEL MAP") && !project.maps.empty()) project.maps.erase(project.maps.begin() + state.currentMap);
  ImGui::SetItemTooltip("Delete the current map");
  if (project.maps.empty()) ImGui::TextWrapped("No maps yet: ADD MAP starts one.");
  ImGui::EndGroup();
}

void DrawMapProperties(ImVec2 origin) {
  Map& map = CurrentMap();
  ImGui::SetCursorScreenPos(At(origin, 12, 222));
  ImGui::BeginGroup();
  ImGui::PushItemWidth(kMapColumnWidth);
  if (ImGui::InputText("##mapname", map.name, kNameSize)) NameNextEdit("rename");
  ImGui::SetItemTooltip("The map's name");
  ImGui::TextUnformatted("Tile set");
  if (ImGui::BeginListBox("##mapset", ImVec2(kMapColumnWidth, 90))) {
    for (int i = 0; i < static_cast<int>(tileSets.size()); ++i) {
      ImGui::PushID(i);
      if (ImGui::Selectable(tileSets[i].name, map.tileSet == i)) {
        map.tileSet = i;
        NameNextEdit("map tile set");
      }
      ImGui::PopID();
    }
    ImGui::EndListBox();
  }
  ImGui::PopItemWidth();
  // The size of a map's metatiles is chosen while it has only metatile 0.
  ImGui::BeginDisabled(map.metatiles.size() > 1);
  for (const int size : {1, 2, 4}) {
    const std::string label = std::to_string(size) + "x" + std::to_string(size);
    if (ImGui::RadioButton(label.c_str(), map.metatileSize == size) && map.metatileSize != size) {
      map.metatileSize = size;
      Metatile empty;
      std::fill(empty.tiles, empty.tiles + size * size, EmptyCell);
      map.metatiles[0] = empty;
      NameNextEdit("metatile size");
    }
    ImGui::SameLine();
  }
  ImGui::TextUnformatted("metatiles");
  ImGui::EndDisabled();
  DrawSizeControls(map);
  DrawScreenControls(map);
  DrawPlayControls(map);
  ImGui::EndGroup();
}
