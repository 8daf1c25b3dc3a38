// The screen's mode under the backdrop, the colours Text and Multicolor
// screens are painted in, and those screens painted with the mouse.
#include "model/history.h"
#include "studios/table/table_mode_actions.h"
#include "studios/table/table_studio_panels.h"
#include "widgets/notice.h"

void DrawModeChoice() {
  NameTable& table = CurrentNameTable();
  // One line under the backdrop: the mode, then the colour its screen is painted in.
  ImGui::SetNextItemWidth(92);
  if (ImGui::BeginCombo("##Mode", kScreenModeNames[static_cast<int>(table.mode)], ImGuiComboFlags_NoArrowButton)) {
    for (int mode = 0; mode < kScreenModes; ++mode)
      if (ImGui::Selectable(kScreenModeNames[mode], mode == static_cast<int>(table.mode)) &&
          mode != static_cast<int>(table.mode)) {
        ShowNotice(SetScreenMode(project, table, static_cast<ScreenMode>(mode)));
        NameNextEdit("screen mode");
      }
    ImGui::EndCombo();
  }
  ImGui::SetItemTooltip(
      "How the chip shows this screen: Graphics II (a colour pair a tile row), Graphics I (a pair "
      "a group of 8 tiles), Text (40 columns, one pair, no sprites) or Multicolor (64 x 48 blocks)");
  if (table.mode == ScreenMode::Text) {
    ImGui::SameLine(0, 4);
    ImGui::SetNextItemWidth(24);
    ImGui::SliderInt("##Letters", &table.textColour, 0, 15, "%d", ImGuiSliderFlags_AlwaysClamp);
    if (ImGui::IsItemActive()) NameNextEdit("text colour");
    ImGui::SetItemTooltip("The letters' colour: %d %s (the backdrop is behind them)", table.textColour & 15,
                          ColourNames[table.textColour & 15]);
  }
  if (table.mode == ScreenMode::Multicolor) {
    ImGui::SameLine(0, 4);
    ImGui::SetNextItemWidth(24);
    ImGui::SliderInt("##Block", &tableStudio.blockColour, 0, 15, "%d", ImGuiSliderFlags_AlwaysClamp);
    ImGui::SetItemTooltip("The colour the left button paints blocks in: %d %s (the right button clears them)",
                          tableStudio.blockColour & 15, ColourNames[tableStudio.blockColour & 15]);
  }
}

// The left button paints (the brush's first tile into a Text cell, the block
// colour into a block), the right empties; a stroke is one undo step.
void DrawModeScreen(ImVec2 screen) {
  TableStudioState& state = tableStudio;
  NameTable& table = CurrentNameTable();
  ImGui::SetCursorScreenPos(screen);
  ImGui::InvisibleButton("##modeScreen", ImVec2(kScreenWidth, kScreenHeight),
                         ImGuiButtonFlags_MouseButtonLeft | ImGuiButtonFlags_MouseButtonRight);
  const bool hovered = ImGui::IsItemHovered(ImGuiHoveredFlags_AllowWhenBlockedByActiveItem);
  const ImVec2 mouse = ImGui::GetIO().MousePos;
  const GridCell at{static_cast<int>((mouse.y - screen.y) / kSpritePixel),
                    static_cast<int>((mouse.x - screen.x) / kSpritePixel)};
  const bool left = ImGui::IsMouseDown(ImGuiMouseButton_Left), right = ImGui::IsMouseDown(ImGuiMouseButton_Right);
  const bool painting = hovered && !ImGui::GetDragDropPayload() && !state.spritesMode && (left || right);
  const bool text = table.mode == ScreenMode::Text;
  const int paint = text ? (right ? EmptyCell : state.brush.tiles[0]) : (right ? 0 : state.blockColour);
  FollowStroke(state.modeStroke, painting, at,
               [&](GridCell pixel) { PaintModeScreen(table, pixel.column, pixel.row, paint); });
  if (painting) NameNextEdit(text ? "text stroke" : "block stroke");
  if (!hovered || left || right) return;
  if (text && TextCellAt(at.column, at.row) >= 0)
    ImGui::SetTooltip("Column %d, row %d: tile %03d", (at.column - kTextBorder) / kTextPixelWidth, at.row / 8,
                      table.textCells[TextCellAt(at.column, at.row)]);
  else if (!text && MulticolorBlockAt(at.column, at.row) >= 0)
    ImGui::SetTooltip("Block %d, %d: colour %d", at.column / kBlockSide, at.row / kBlockSide,
                      table.blocks[MulticolorBlockAt(at.column, at.row)]);
}
