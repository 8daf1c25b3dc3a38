// The "Tile Editor" window: the whole screen enlarged from the selected cell's
// set, painted in place.
#include <algorithm>

#include "model/history.h"
#include "studios/table/table_screen_actions.h"
#include "studios/table/table_studio_panels.h"
#include "studios/table/table_tile_editor.h"

namespace {
constexpr float kEditorPixel = 26.6f;
constexpr float kEditorTile = 8 * kEditorPixel;  // 212.8
constexpr float kEditorPitch = kEditorTile + 2;  // 214.8

// Over the tile palette: it hides no cell of the screen and no tool, so the next
// cell can be picked while it is open. Where the user moves it, it stays.
constexpr ImVec2 kWindowCorner{10, 40}, kWindowSize{397, 600};

void PlaceNextWindow(ImGuiCond condition) {
  const ImVec2 origin = ImGui::GetWindowPos();
  ImGui::SetNextWindowPos(ImVec2(origin.x + kWindowCorner.x, origin.y + kWindowCorner.y), condition);
  ImGui::SetNextWindowBgAlpha(1.0f);
}

void DrawEmptyCellNotice(int row) {
  TableStudioState& state = tableStudio;
  PlaceNextWindow(ImGuiCond_Always);
  // Its own window, so that its small size never sticks to the editor's.
  if (ImGui::Begin("Tile Editor###TileEditorEmpty", &state.tileEditorOpen, ImGuiWindowFlags_AlwaysAutoResize)) {
    ImGui::Text("Position empty (tile 255) in %s section.", SectionName(row));
    ImGui::TextUnformatted("Drag a valid tile first.");
    if (ImGui::Button("Close")) state.tileEditorOpen = false;
  }
  ImGui::End();
}

void DrawPenPicker() {
  TableStudioState& state = tableStudio;
  ImGui::BeginGroup();
  ImGui::Text("Pen: %s", state.penMode == kTableForegroundPen ? "FG" : "BG");
  if (ImGui::BeginTable("PaletteTableEditor", 2, ImGuiTableFlags_SizingFixedFit)) {
    for (int i = 0; i < 16; ++i) {
      ImGui::TableNextRow();
      const char* labels[2] = {"##fg", "##bg"};
      int32_t* pens[2] = {&state.foregroundPen, &state.backgroundPen};
      for (int column = 0; column < 2; ++column) {
        ImGui::TableSetColumnIndex(column);
        ImGui::PushID(i + (column == 0 ? 11000 : 22000));
        if (ImGui::ColorButton(labels[column], ImGui::ColorConvertU32ToFloat4(Palette[i]), 0, ImVec2(28, 14))) {
          state.penMode = column == 0 ? kTableForegroundPen : kTableBackgroundPen;
          *pens[column] = i;
        }
        ImGui::SetItemTooltip("%d %s", i, ColourNames[i]);
        if (*pens[column] == i) OutlineLastItem(2);
        ImGui::PopID();
      }
    }
    ImGui::EndTable();
  }
  ImGui::EndGroup();
}

// The pixel under a stroke held in this tile, if any: {-1, -1} otherwise.
GridCell DrawEditorTile(ImDrawList* draw, const TileSet& set, int tile, bool paintable) {
  GridCell painted{-1, -1};
  const ImVec2 p = ImGui::GetCursorScreenPos();
  ImGui::InvisibleButton("##t_edit", ImVec2(kEditorTile, kEditorTile));
  // A stroke stays in the tile it began in: that tile's button holds the mouse.
  const bool armed = paintable && ImGui::IsItemHovered();
  if (!ImGui::IsRectVisible(p, ImVec2(p.x + kEditorTile, p.y + kEditorTile))) return painted;
  const ImVec2 clipMin = draw->GetClipRectMin(), clipMax = draw->GetClipRectMax();
  const ImVec2 pad = ImGui::GetStyle().TouchExtraPadding;
  const ImVec2 mouse = ImGui::GetIO().MousePos;
  const bool painting = armed && ImGui::IsMouseDown(ImGuiMouseButton_Left) && !ImGui::GetDragDropPayload();
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      const ImVec2 q0(p.x + kEditorPixel * x, p.y + kEditorPixel * y);
      const ImVec2 q1(p.x + kEditorPixel * (x + 1), p.y + kEditorPixel * (y + 1));
      if (painting && mouse.x >= std::max(q0.x, clipMin.x) - pad.x && mouse.x < std::min(q1.x, clipMax.x) + pad.x &&
          mouse.y >= std::max(q0.y, clipMin.y) - pad.y && mouse.y < std::min(q1.y, clipMax.y) + pad.y)
        painted = {y, x};
      const int colour = TilePixelColour(set, tile, y, x);
      draw->AddRectFilled(q0, q1, ColourOverBackdrop(colour));
      draw->AddRect(q0, q1, IM_COL32(255, 255, 255, 20), 0, 0, 1);
    }
  draw->AddRect(p, ImVec2(p.x + kEditorTile, p.y + kEditorTile), IM_COL32(255, 255, 0, 40), 0, 0, 1);
  return painted;
}

void DrawEditorGrid(CellRef cell, int editedSet) {
  TableStudioState& state = tableStudio;
  const ImGuiWindowFlags flags = ImGuiWindowFlags_HorizontalScrollbar | ImGuiWindowFlags_AlwaysVerticalScrollbar;
  if (ImGui::BeginChild("GridScroll", ImVec2(0, 0), ImGuiChildFlags_None, flags)) {
    if (state.scrollToCell) {
      const ImVec2 size = ImGui::GetWindowSize();
      ImGui::SetScrollX(cell.column * kEditorPitch + 106.4f - size.x / 2);
      ImGui::SetScrollY(cell.row * kEditorPitch + 106.4f - size.y / 2);
      state.scrollToCell = false;
    }
    ImDrawList* draw = ImGui::GetWindowDrawList();
    const TileSet& set = tileSets[editedSet];
    const NameTable& table = CurrentNameTable();
    int strokeTile = -1;
    GridCell strokePixel;
    for (int row = 0; row < kTableRows; ++row) {
      ImGui::BeginGroup();
      const bool paintable = CellPaintable(CurrentNameTable(), tileSets.size(), row, editedSet);
      for (int column = 0; column < kTableColumns; ++column) {
        ImGui::PushID(99000 + row * kTableColumns + column);
        const int tile = table.cells[row * kTableColumns + column];
        if (const GridCell pixel = DrawEditorTile(draw, set, tile, paintable); pixel.row >= 0)
          strokeTile = tile, strokePixel = pixel;
        ImGui::PopID();
        if (column < kTableColumns - 1) ImGui::SameLine(0, 2);
      }
      ImGui::EndGroup();
    }
    // A stroke stays in its tile, so the pixels between two samples are that tile's too.
    FollowStroke(state.editorStroke, strokeTile >= 0, strokePixel, [&](GridCell pixel) {
      PaintTilePixel(state, tileSets[editedSet], strokeTile, pixel.column, pixel.row);
    });
    if (strokeTile >= 0) NameNextEdit("paint stroke");
  }
  ImGui::EndChild();
}
}  // namespace

void DrawTileEditorWindow() {
  TableStudioState& state = tableStudio;
  if (!state.tileEditorOpen || state.selectedCell.IsNone() || state.spritesMode) return;
  const CellRef cell = state.selectedCell;
  const int editedSet = TileSetForRow(CurrentNameTable(), cell.row, tileSets.size());
  state.paletteThird = cell.row / 8;
  state.paletteTileSet = editedSet;
  if (CurrentNameTable().cells[cell.row * kTableColumns + cell.column] == EmptyCell) {
    DrawEmptyCellNotice(cell.row);
    return;
  }
  if (cell != state.editorCell) {
    state.scrollToCell = true;
    state.editorCell = cell;
  }
  PlaceNextWindow(ImGuiCond_FirstUseEver);
  ImGui::SetNextWindowSize(kWindowSize, ImGuiCond_FirstUseEver);
  if (!ImGui::Begin("Tile Editor", &state.tileEditorOpen)) {
    ImGui::End();
    return;
  }
  if (!state.tileEditorOpen) {  // closed with its close box in this frame
    state.selectedCell = CellRef{};
    state.scrollToCell = true;
    state.editorCell = CellRef{};
  }
  const ImGuiTableFlags flags = ImGuiTableFlags_Resizable | ImGuiTableFlags_ScrollY;
  if (ImGui::BeginTable("EditorLayout", 2, flags, ImVec2(0, 0))) {
    ImGui::TableSetupColumn("Picker", ImGuiTableColumnFlags_WidthFixed, 100);
    ImGui::TableSetupColumn("Grid", ImGuiTableColumnFlags_WidthStretch);
    ImGui::TableNextRow();
    ImGui::TableSetColumnIndex(0);
    DrawPenPicker();
    ImGui::TableSetColumnIndex(1);
    DrawEditorGrid(cell, editedSet);
    ImGui::EndTable();
  }
  ImGui::End();
}
