// The tile palette, the tool column with its popups, the screen view and the
// tile-set panel.
#include <algorithm>
#include <vector>

#include "chip/group_colours.h"
#include "model/history.h"
#include "studios/table/table_paint_actions.h"
#include "studios/table/table_screen_actions.h"
#include "studios/table/table_studio_panels.h"
#include "widgets/drag_payload.h"
#include "widgets/list_widgets.h"
#include "widgets/pixel_art.h"
#include "widgets/pixel_texture.h"
#include "widgets/toggle_button.h"
#include "widgets/palette_columns.h"

namespace {
constexpr float kPaletteTileSide = 40, kPalettePitchX = 46, kPalettePitchY = 62, kPalettePixel = 5;
constexpr const char* kClearPopup = "ConfirmClear";
constexpr const char* kRemoveSpritesPopup = "ConfirmRemoveSprites";

// The screen's tiles as the editor shows them, a texel a chip pixel: empty
// cells clear; colour 0 of a set pixel clear, of a clear pixel the backdrop; on
// a Graphics I screen every row in its group's colours.
void FillScreenPixels(const NameTable& table, uint32_t* pixels) {
  const bool groupColours = table.mode == ScreenMode::Graphics1;
  for (int row = 0; row < kTableRows; ++row) {
    const TileSet& set = RowTileSet(row);
    for (int column = 0; column < kTableColumns; ++column) {
      const int tile = table.cells[row * kTableColumns + column];
      const ColourPair group = GroupColours(set, tile / kGroupTiles);
      for (int y = 0; y < 8; ++y) {
        uint32_t* line = pixels + (row * 8 + y) * kChipWidth + column * 8;
        const ImU32 foreground = Palette[(groupColours ? group.foreground : set.foreground[tile][y]) & 15];
        const ImU32 background = ColourOverBackdrop(groupColours ? group.background : set.background[tile][y]);
        for (int x = 0; x < 8; ++x)
          line[x] = tile == EmptyCell ? 0 : set.pixels[tile][y][x] ? foreground : background;
      }
    }
  }
}

// Every cell's tile from one texture: a quad a cell, where a square a pixel
// left a renderer without a GPU tens of thousands to fill.
void DrawScreenTiles(ImDrawList* draw, const NameTable& table, ImVec2 screen, float extent) {
  static PixelTexture texture;
  static std::vector<uint32_t> shown(kChipWidth * kChipHeight);
  FillScreenPixels(table, shown.data());
  uint32_t* texels = TexturePixels(texture, kChipWidth, kChipHeight);
  if (!std::equal(shown.begin(), shown.end(), texels)) {
    std::copy(shown.begin(), shown.end(), texels);
    MarkChanged(texture);
  }
  for (int row = 0; row < kTableRows; ++row)
    for (int column = 0; column < kTableColumns; ++column) {
      if (table.cells[row * kTableColumns + column] == EmptyCell) continue;
      const ImVec2 corner(screen.x + kScreenPitch * column, screen.y + kScreenPitch * row);
      draw->AddImage(TextureRef(texture), corner, ImVec2(corner.x + extent, corner.y + extent),
                     ImVec2(8.0f * column / kChipWidth, 8.0f * row / kChipHeight),
                     ImVec2(8.0f * (column + 1) / kChipWidth, 8.0f * (row + 1) / kChipHeight));
    }
}

void DrawSpritesToggle() {
  TableStudioState& state = tableStudio;
  if (!state.tileEditorOpen) {
    if (ToggleButton("SPRITES", state.spritesMode, kTableToolButton)) ToggleSpritesMode(state);
    ImGui::SetItemTooltip("Place sprites: drag them from the sprite list onto the screen");
    return;
  }
  // Greyed out while the Tile Editor is open.
  const ImVec4 grey(0.5f, 0.5f, 0.5f, 1.0f);
  ImGui::PushStyleColor(ImGuiCol_Button, grey);
  ImGui::PushStyleColor(ImGuiCol_ButtonHovered, grey);
  ImGui::PushStyleColor(ImGuiCol_ButtonActive, grey);
  ImGui::PushStyleColor(ImGuiCol_Text, ImVec4(0.8f, 0.8f, 0.8f, 1.0f));
  ImGui::BeginDisabled();
  ImGui::Button("SPRITES", kTableToolButton);
  ImGui::EndDisabled();
  ImGui::PopStyleColor(4);
}

void DrawClearConfirmations() {
  if (ConfirmYesCancel(kClearPopup, "Are you sure you want to clear '%s'?", CurrentNameTable().name)) {
    ClearTableCells(CurrentNameTable());
    NameNextEdit("CLEAR TABLE");
  }
  if (ConfirmYesCancel(kRemoveSpritesPopup, "Remove every sprite placed on '%s'?", CurrentNameTable().name)) {
    RemovePlacements(CurrentNameTable());
    NameNextEdit("DEL SPRITES");
  }
}

void DrawCell(ImDrawList* draw, const NameTable& table, int column, int row, ImVec2 corner, float extent) {
  TableStudioState& state = tableStudio;
  ImGui::PushID(row * kTableColumns + column);
  ImGui::SetCursorScreenPos(corner);
  if (!state.spritesMode) {
    ImGui::InvisibleButton("##ntCell", ImVec2(extent, extent));
    if (int tile; TakeDropPayload(kTablePayloadTile, &tile, sizeof tile)) {
      DropTileOnCell(CurrentNameTable(), column, row, tile);
      NameNextEdit("tile drop");
    }
    if (ImGui::IsMouseClicked(ImGuiMouseButton_Left) && ImGui::IsItemHovered() && state.tool == ScreenTool::Select &&
        !ImGui::GetIO().KeyAlt)
      ClickCell(state, column, row);
    if (ImGui::IsItemHovered() && !ImGui::IsAnyMouseDown())
      ImGui::SetTooltip("Column %d, row %d: tile %03d", column, row, table.cells[row * kTableColumns + column]);
  }
  const ImVec2 far(corner.x + extent, corner.y + extent);
  if (state.showGrid) draw->AddRect(corner, far, IM_COL32(255, 255, 255, 255), 0, 0, 0.5f);
  if (!state.spritesMode && state.selectedCell == CellRef{column, row}) {
    draw->AddRectFilled(corner, far, IM_COL32(0, 120, 255, 100));
    draw->AddRect(corner, far, IM_COL32(0, 255, 255, 255), 0, 0, 2);
  }
  ImGui::PopID();
}
}  // namespace

void DrawTablePalette(ImVec2 origin) {
  TableStudioState& state = tableStudio;
  state.hoveredPaletteTile = -1;
  ImGui::SetCursorScreenPos(At(origin, 10, 40));
  const float width = ImGui::GetStyle().ScrollbarSize + 383;
  if (ImGui::BeginChild("ScrollingGrid", ImVec2(width, 600), ImGuiChildFlags_Borders)) {
    ImDrawList* draw = ImGui::GetWindowDrawList();
    const TileSet& set = tileSets[state.paletteTileSet];
    ImGui::Text("%s third's set: %s", SectionName(8 * state.paletteThird), set.name);
    ImGui::SetItemTooltip(
        "A tile painted in the %s third shows as here; the palette follows the third under the pointer",
        SectionName(8 * state.paletteThird));
    const ImVec2 o = ImGui::GetCursorScreenPos();
    const bool blockDrag = state.paletteDragFrom >= 0;
    const CellArea block = AreaBetween({state.paletteDragFrom / 8, state.paletteDragFrom % 8},
                                       {state.paletteDragTo / 8, state.paletteDragTo % 8});
    for (int tile = 0; tile < 256; ++tile) {
      const ImVec2 p(o.x + kPalettePitchX * (tile % 8), o.y + kPalettePitchY * (tile / 8));
      ImGui::PushID(60000 + tile);
      ImGui::SetCursorScreenPos(p);
      // A click makes the tile the brush of the painting tools; a drag still drops it on a cell.
      if (ImGui::InvisibleButton("##scrollCell", ImVec2(kPaletteTileSide, kPaletteTileSide)) &&
          state.tool != ScreenTool::Select)
        state.brush = SingleTile(static_cast<uint8_t>(tile));
      OfferDragPayload(kTablePayloadTile, &tile, sizeof tile, "Tile %03d", tile);
      if (ImGui::IsItemHovered(ImGuiHoveredFlags_AllowWhenBlockedByActiveItem)) {
        state.hoveredPaletteTile = tile;
        if (ImGui::IsMouseClicked(ImGuiMouseButton_Right)) state.paletteDragFrom = tile;
        if (blockDrag) state.paletteDragTo = tile;
      }
      // Rows scrolled out of the child draw nothing.
      if (ImGui::IsRectVisible(p, ImVec2(p.x + kPaletteTileSide, p.y + kPalettePitchY))) {
        DrawTileWithNumber(draw, set, tile, p, kPalettePixel);
        if (blockDrag && tile / 8 >= block.top && tile / 8 <= block.bottom && tile % 8 >= block.left &&
            tile % 8 <= block.right)
          draw->AddRect(p, ImVec2(p.x + kPaletteTileSide, p.y + kPaletteTileSide), IM_COL32(255, 230, 0, 255), 0, 0, 3);
      }
      ImGui::PopID();
    }
    ImGui::SetCursorScreenPos(o);
    ImGui::Dummy(ImVec2(width - 20, 32 * kPalettePitchY));
  }
  ImGui::EndChild();
  // A right-drag over palette tiles makes their rectangle the brush at the release.
  if (state.paletteDragFrom >= 0 && !ImGui::IsMouseDown(ImGuiMouseButton_Right)) {
    if (state.paletteDragTo >= 0) state.brush = PaletteBlock(state.paletteDragFrom, state.paletteDragTo);
    state.paletteDragFrom = state.paletteDragTo = -1;
  }
}

void DrawTableToolColumn(ImVec2 origin) {
  TableStudioState& state = tableStudio;
  ImGui::SetCursorScreenPos(At(origin, 40, 700));
  // Set close: the column and its warnings end above the layout's bottom.
  ImGui::PushStyleVar(ImGuiStyleVar_ItemSpacing, ImVec2(ImGui::GetStyle().ItemSpacing.x, 2));
  ImGui::BeginGroup();
  if (ToggleButton("ZOOM##zoom", state.tileEditorOpen, kTableToolButton)) ToggleTileEditor(state);
  ImGui::SetItemTooltip("Paint the selected cell's tile in the Tile Editor window");
  if (ToggleButton("GRID", state.showGrid, kTableToolButton)) state.showGrid = !state.showGrid;
  ImGui::SetItemTooltip("Show or hide the grid lines");
  DrawSpritesToggle();
  if (ImGui::Button("CLEAR TABLE", kTableToolButton)) ImGui::OpenPopup(kClearPopup);
  ImGui::SetItemTooltip("Empty every cell of this name table (asks first)");
  if (ImGui::Button("IMPORT", kTableToolButton)) ImGui::OpenPopup(kNameTableImportPopup);
  ImGui::SetItemTooltip("Read 768-byte name tables from the clipboard");
  if (ImGui::Button("DEL SPRITES", kTableToolButton)) ImGui::OpenPopup(kRemoveSpritesPopup);
  ImGui::SetItemTooltip("Remove every sprite placed on this name table (asks first)");
  DrawOverlayToggles();
  if (ToggleButton("CHIP VIEW", state.chipView, kTableToolButton)) state.chipView = !state.chipView;
  ImGui::SetItemTooltip("Show the screen as the chip would: tile 255 in empty cells, four sprites a line");
  ImGui::SetNextItemWidth(45);
  ImGui::SliderInt("Backdrop", &CurrentNameTable().backdrop, 0, 15, "%d", ImGuiSliderFlags_AlwaysClamp);
  if (ImGui::IsItemActive()) NameNextEdit("backdrop");
  ImGui::SetItemTooltip("Backdrop colour: %d %s", CurrentNameTable().backdrop & 15,
                        ColourNames[CurrentNameTable().backdrop & 15]);
  DrawModeChoice();
  DrawPaletteChoice("TablePalette");
  DrawSpriteLineCount();
  DrawClearConfirmations();
  DrawNameTableImportPopup();
  ImGui::EndGroup();
  ImGui::PopStyleVar();
}

void DrawScreenView(ImVec2 origin) {
  const TableStudioState& state = tableStudio;
  const ImVec2 s = At(origin, kScreenOrigin.x, kScreenOrigin.y);
  ImDrawList* draw = ImGui::GetWindowDrawList();
  draw->AddRectFilled(s, ImVec2(s.x + kScreenWidth, s.y + kScreenHeight), Palette[CurrentNameTable().backdrop & 15]);
  ImGui::SetCursorScreenPos(s);
  ImGui::BeginGroup();
  ImGui::Dummy(ImVec2(kScreenWidth, kScreenHeight));
  ImGui::EndGroup();
  const NameTable& table = CurrentNameTable();
  const bool tiled = table.mode == ScreenMode::Graphics2 || table.mode == ScreenMode::Graphics1;
  // The stroke lands before the screen is drawn: a click shows in its own frame.
  if (tiled) RoutePaintMouse(s);
  if (state.chipView || !tiled) DrawScreenPicture(s, state.chipView ? ScreenLook::Chip : ScreenLook::Editor);
  DrawSpriteLineMarks(s);
  if (!tiled) {
    DrawModeScreen(s);
    return;
  }

  const float extent = state.showGrid ? 35.0f : 38.0f;
  if (!state.chipView) DrawScreenTiles(draw, table, s, extent);
  for (int row = 0; row < kTableRows; ++row)
    for (int column = 0; column < kTableColumns; ++column)
      DrawCell(draw, table, column, row, ImVec2(s.x + kScreenPitch * column, s.y + kScreenPitch * row), extent);
  DrawPaintOverlays(s);
}

void DrawTileSetPanel(ImVec2 origin) {
  const char* captions[3] = {"Top", "Middle", "Bottom"};
  const char* lists[3] = {"##TopTileSet", "##MiddleTileSet", "##BottomTileSet"};
  ImGui::SetCursorScreenPos(At(origin, 1646, 545));
  ImGui::BeginGroup();
  ImGui::TextUnformatted("Tile Sets");
  for (int section = 0; section < 3; ++section) {
    ImGui::TextUnformatted(captions[section]);
    if (ImGui::BeginListBox(lists[section], ImVec2(150, 110))) {
      const int chosen = TileSetForRow(CurrentNameTable(), 8 * section, tileSets.size());
      for (int i = 0; i < static_cast<int>(tileSets.size()); ++i) {
        ImGui::PushID(i);
        if (ImGui::Selectable(tileSets[i].name, i == chosen)) {
          ChooseSectionTileSet(tableStudio, CurrentNameTable(), section, i);
          NameNextEdit("third's tile set");
        }
        ImGui::PopID();
      }
      ImGui::EndListBox();
    }
  }
  ImGui::EndGroup();
}
