// The screen painting tools: their buttons and keys, the mouse routed to the
// tool's action, and what the screen view shows over the cells for them.
#include <cmath>
#include <cstdio>
#include <string>

#include "model/history.h"
#include "studios/table/table_paint_actions.h"
#include "studios/table/table_studio_panels.h"
#include "widgets/notice.h"
#include "widgets/toggle_button.h"

namespace {
constexpr GridCell kNoCell{-1, -1};

struct ToolButton {
  const char* label;
  ScreenTool tool;
  ImGuiKey key;
  float width;
  const char* tooltip;
};
const ToolButton kTools[] = {
    {"SELECT", ScreenTool::Select, ImGuiKey_S, 50, "Click a cell to select it, drag to select a region (S)"},
    {"BRUSH", ScreenTool::Brush, ImGuiKey_B, 45,
     "Paint the brush; right button paints empty cells; Shift+click "
     "draws a line from the last cell painted (B)"},
    {"FILL", ScreenTool::Fill, ImGuiKey_F, 40, "Fill the connected cells holding the clicked tile (F)"},
    {"RECT", ScreenTool::Rect, ImGuiKey_R, 40, "Drag a filled rectangle of the brush (R)"},
    {"PICK", ScreenTool::Pick, ImGuiKey_I, 40,
     "Click a cell to take its tile as the brush; Alt+click picks with "
     "any tool (I)"},
};

void ChooseTool(TableStudioState& state, ScreenTool tool) {
  if (tool == ScreenTool::Pick && state.tool != ScreenTool::Pick) state.toolBeforePick = state.tool;
  state.tool = tool;
  state.dragFrom = kNoCell;
}

std::string BrushName(const TileBlock& brush) {
  char text[32];
  if (brush.tiles.size() == 1)
    std::snprintf(text, sizeof text, "Brush %03d", brush.tiles[0]);
  else
    std::snprintf(text, sizeof text, "Brush %dx%d", brush.width, brush.height);
  return text;
}

// The cell under the mouse while it is over the screen view itself, with no
// window, popup or drag and drop in the way.
GridCell HoveredCell(ImVec2 screen) {
  const ImVec2 mouse = ImGui::GetIO().MousePos;
  if (!ImGui::IsWindowHovered(ImGuiHoveredFlags_AllowWhenBlockedByActiveItem) || ImGui::GetDragDropPayload())
    return kNoCell;
  const int column = static_cast<int>(std::floor((mouse.x - screen.x) / kScreenPitch));
  const int row = static_cast<int>(std::floor((mouse.y - screen.y) / kScreenPitch));
  if (column < 0 || column >= kTableColumns || row < 0 || row >= kTableRows) return kNoCell;
  return {row, column};
}

void PickBrush(TableStudioState& state, const NameTable& table, GridCell cell) {
  state.brush = SingleTile(TileAt(table, cell));
  if (state.tool == ScreenTool::Pick) state.tool = state.toolBeforePick;
}

void RouteBrush(TableStudioState& state, NameTable& table, GridCell cell) {
  const bool left = ImGui::IsMouseDown(ImGuiMouseButton_Left), right = ImGui::IsMouseDown(ImGuiMouseButton_Right);
  const bool pressed = ImGui::IsMouseClicked(ImGuiMouseButton_Left) || ImGui::IsMouseClicked(ImGuiMouseButton_Right);
  const bool over = cell.row >= 0;
  if (over && pressed && left && ImGui::GetIO().KeyShift && state.lastBrushed.row >= 0 &&
      state.lastBrushedTable == state.currentNameTable)
    state.brushStroke = {true, state.lastBrushed};  // the line from the last cell painted
  const bool painting = over && (left || right) && (pressed || state.brushStroke.active);
  FollowStroke(state.brushStroke, painting, cell, [&](GridCell at) { StampBlock(table, state.brush, at, right); });
  if (!painting) return;
  state.lastBrushed = cell;
  state.lastBrushedTable = state.currentNameTable;
  NameNextEdit(right ? "erase stroke" : "brush stroke");
}

// RECT and SELECT follow a drag from the press cell; RECT fills at the release.
void RouteDrag(TableStudioState& state, NameTable& table, GridCell cell) {
  if (state.draggedPlacement != -1) {  // SELECT moves a sprite grabbed by this press
    state.dragFrom = kNoCell;
    return;
  }
  if (cell.row >= 0 && ImGui::IsMouseClicked(ImGuiMouseButton_Left)) {
    state.dragFrom = state.dragTo = cell;
    if (state.tool == ScreenTool::Select) state.hasRegion = false;
  }
  if (state.dragFrom.row < 0) return;
  if (cell.row >= 0) state.dragTo = cell;
  const bool released = !ImGui::IsMouseDown(ImGuiMouseButton_Left);
  if (state.tool == ScreenTool::Select && !(state.dragTo == state.dragFrom)) {
    state.hasRegion = true;
    state.region = AreaBetween(state.dragFrom, state.dragTo);
    state.selectedCell = CellRef{};
  }
  if (state.tool == ScreenTool::Rect && released) {
    FillArea(table, AreaBetween(state.dragFrom, state.dragTo), state.brush);
    NameNextEdit("RECT");
  }
  if (released) state.dragFrom = kNoCell;
}

void HandleRegionKeys(TableStudioState& state, NameTable& table) {
  if (!state.hasRegion || state.tool != ScreenTool::Select || ImGui::GetIO().WantTextInput) return;
  const ImGuiInputFlags flags = ImGuiInputFlags_RouteGlobal;
  const bool copy = ImGui::Shortcut(ImGuiMod_Ctrl | ImGuiKey_C, flags);
  const bool cut = ImGui::Shortcut(ImGuiMod_Ctrl | ImGuiKey_X, flags);
  if (copy || cut) {
    state.brush = CopyArea(table, state.region);
    ShowNotice("The brush is now the " + std::to_string(state.brush.width) + " x " +
               std::to_string(state.brush.height) + " region");
  }
  if (cut || ImGui::Shortcut(ImGuiKey_Delete, flags)) {
    EraseArea(table, state.region);
    NameNextEdit(cut ? "CUT region" : "DEL region");
  }
}

void Outline(ImDrawList* draw, ImVec2 screen, CellArea area, ImU32 colour) {
  draw->AddRect(ImVec2(screen.x + kScreenPitch * area.left, screen.y + kScreenPitch * area.top),
                ImVec2(screen.x + kScreenPitch * (area.right + 1), screen.y + kScreenPitch * (area.bottom + 1)), colour,
                0, 0, 3);
}
}  // namespace

void DrawPaintTools(ImVec2 origin) {
  TableStudioState& state = tableStudio;
  ImGui::SetCursorScreenPos(At(origin, 10, 648));
  ImGui::BeginGroup();
  for (int i = 0; i < 5; ++i) {
    const ToolButton& button = kTools[i];
    if (i != 0 && i != 3) ImGui::SameLine(0, 4);
    if (ToggleButton(button.label, state.tool == button.tool, ImVec2(button.width, 20))) ChooseTool(state, button.tool);
    ImGui::SetItemTooltip("%s", button.tooltip);
  }
  ImGui::SameLine(0, 8);
  ImGui::TextUnformatted(BrushName(state.brush).c_str());
  ImGui::SetItemTooltip("Click a palette tile to make it the brush, or right-drag over palette tiles for a block");
  ImGui::EndGroup();
  if (ImGui::GetIO().WantTextInput || ImGui::GetIO().KeyCtrl || ImGui::GetIO().KeyAlt ||
      ImGui::IsPopupOpen("", ImGuiPopupFlags_AnyPopupId))
    return;
  for (const ToolButton& button : kTools)
    if (ImGui::IsKeyPressed(button.key, false)) ChooseTool(state, button.tool);
}

void DrawOverlayToggles() {
  TableStudioState& state = tableStudio;
  const char* numbers = state.numberBase == 10 ? "NUM: DEC" : state.numberBase == 16 ? "NUM: HEX" : "NUMBERS";
  if (ToggleButton(numbers, state.numberBase != 0, kTableToolButton))
    state.numberBase = state.numberBase == 0 ? 10 : state.numberBase == 10 ? 16 : 0;
  ImGui::SetItemTooltip("Tile numbers on the cells: off, decimal, hex");
  if (ToggleButton("SAME TILE", state.highlightSame, kTableToolButton)) state.highlightSame = !state.highlightSame;
  ImGui::SetItemTooltip("Mark every cell using the palette tile under the pointer");
}

void RoutePaintMouse(ImVec2 screen) {
  TableStudioState& state = tableStudio;
  const GridCell cell = HoveredCell(screen);
  if (cell.row >= 0) state.paletteThird = cell.row / 8;
  if (state.spritesMode) return;  // the mouse places and moves sprites
  NameTable& table = CurrentNameTable();
  HandleRegionKeys(state, table);
  if (cell.row >= 0 && ImGui::IsMouseClicked(ImGuiMouseButton_Left) &&
      (state.tool == ScreenTool::Pick || ImGui::GetIO().KeyAlt)) {
    PickBrush(state, table, cell);
    return;
  }
  switch (state.tool) {
    case ScreenTool::Brush:
      RouteBrush(state, table, cell);
      break;
    case ScreenTool::Fill:
      if (cell.row >= 0 && ImGui::IsMouseClicked(ImGuiMouseButton_Left) && FloodFill(table, cell, state.brush) > 0)
        NameNextEdit("FILL");
      break;
    case ScreenTool::Rect:
    case ScreenTool::Select:
      RouteDrag(state, table, cell);
      break;
    case ScreenTool::Pick:
      break;
  }
}

void DrawPaintOverlays(ImVec2 screen) {
  const TableStudioState& state = tableStudio;
  const NameTable& table = CurrentNameTable();
  ImDrawList* draw = ImGui::GetWindowDrawList();
  const bool marking = state.highlightSame && state.hoveredPaletteTile >= 0;
  for (int index = 0; index < kTableCells && (marking || state.numberBase != 0); ++index) {
    const ImVec2 corner(screen.x + kScreenPitch * (index % kTableColumns),
                        screen.y + kScreenPitch * (index / kTableColumns));
    if (marking && table.cells[index] == state.hoveredPaletteTile)
      draw->AddRect(ImVec2(corner.x + 2, corner.y + 2),
                    ImVec2(corner.x + kScreenPitch - 5, corner.y + kScreenPitch - 5), IM_COL32(255, 230, 0, 255), 0, 0,
                    3);
    if (state.numberBase == 0) continue;
    char number[8];
    std::snprintf(number, sizeof number, state.numberBase == 16 ? "%02X" : "%d", table.cells[index]);
    draw->AddRectFilled(corner, ImVec2(corner.x + ImGui::CalcTextSize(number).x + 2, corner.y + 13),
                        IM_COL32(0, 0, 0, 160));
    draw->AddText(ImVec2(corner.x + 1, corner.y), IM_COL32(255, 255, 255, 255), number);
  }
  if (state.tool == ScreenTool::Rect && state.dragFrom.row >= 0)
    Outline(draw, screen, AreaBetween(state.dragFrom, state.dragTo), IM_COL32(255, 230, 0, 255));
  if (state.hasRegion && state.tool == ScreenTool::Select)
    Outline(draw, screen, state.region, IM_COL32(0, 255, 255, 255));
}
