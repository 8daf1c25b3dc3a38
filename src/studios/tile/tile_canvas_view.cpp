// The palette with the two pens, the edit canvas with its tools, the shift
// arrows and the block captions.
#include <cstdio>

#include "model/history.h"
#include "studios/tile/tile_canvas.h"
#include "studios/tile/tile_studio_panels.h"
#include "widgets/drag_payload.h"
#include "widgets/edit_button.h"
#include "widgets/palette_columns.h"
#include "widgets/toggle_button.h"

namespace {
constexpr ImU32 kUnstoredMark = IM_COL32(255, 200, 60, 255);  // PUT TILES while the canvas is not stored
constexpr ImVec2 kCanvasOrigin{140, 55};
constexpr float kCellPitch = 22.8f;
constexpr ImVec2 kToolButton{100, 20};

ImVec2 CellCorner(ImVec2 origin, int row, int column) {
  return At(origin, kCanvasOrigin.x + kCellPitch * column, kCanvasOrigin.y + kCellPitch * row);
}

void PaintCanvas(ImVec2 origin) {
  ImDrawList* draw = ImGui::GetWindowDrawList();
  const TileStudioState& state = tileStudio;
  const float side = state.showGrid ? 21.0f : kCellPitch;
  for (int r = 0; r < kCanvasRows; ++r)
    for (int c = 0; c < kCanvasColumns; ++c) {
      const int colour = state.canvas.pixels[r][c] ? state.canvas.foreground[r][c] : state.canvas.background[r][c];
      const ImVec2 corner = CellCorner(origin, r, c);
      const ImVec2 far(corner.x + side, corner.y + side);
      draw->AddRectFilled(corner, far, Palette[colour & 15]);
      if (state.showGrid) draw->AddRect(corner, far, 0x14FFFFFF, 0, 0, 1.0f);
    }
}

void DrawBoundaryMarks(ImVec2 origin) {
  ImDrawList* draw = ImGui::GetWindowDrawList();
  const ImU32 red = IM_COL32(255, 0, 0, 255);
  for (float x : {181.4f, 363.8f}) {
    const ImVec2 centre = At(origin, kCanvasOrigin.x + x, kCanvasOrigin.y + 182.4f);
    draw->AddLine(ImVec2(centre.x, centre.y - 18.24f), ImVec2(centre.x, centre.y + 18.24f), red, 1.5f);
    draw->AddLine(ImVec2(centre.x - 26.86f, centre.y), ImVec2(centre.x + 26.86f, centre.y), red, 1.5f);
  }
}
}  // namespace

void DrawTilePalette(ImVec2 origin) {
  TileStudioState& state = tileStudio;
  // The column last clicked is the pen that paints.
  const PaletteClick click = DrawPaletteColumns(origin, "TilePaletteTableM2", {"##fgM2", 5500, &state.foregroundPen},
                                                {"##bgM2", 6500, &state.backgroundPen});
  if (click.column == 0) state.penMode = kForegroundPen;
  if (click.column == 1) state.penMode = kBackgroundPen;
}

void DrawCanvasPanel(ImVec2 origin) {
  TileStudioState& state = tileStudio;
  // Below the shift arrows, clear of the canvas and of the sheet.
  ImGui::SetCursorScreenPos(At(origin, 720, 340));
  ImGui::BeginGroup();
  ImGui::Checkbox("Show grid", &state.showGrid);
  ImGui::SameLine();
  if (EditButton("Clear All")) ClearCanvasPixels(state);
  ImGui::SetItemTooltip("Clear the canvas pixels, keeping the colours");
  ImGui::EndGroup();

  ImGui::BeginGroup();
  GridCell hovered{-1, -1};
  for (int r = 0; r < kCanvasRows; ++r)
    for (int c = 0; c < kCanvasColumns; ++c) {
      ImGui::PushID(25000 + 24 * r + c);
      ImGui::SetCursorScreenPos(CellCorner(origin, r, c));
      ImGui::InvisibleButton("##hit", ImVec2(kCellPitch, kCellPitch));
      if (int tile; TakeDropPayload(kTilePayload, &tile, sizeof tile)) {
        const int block = BlockAt(r, c);
        state.blockTiles[block] = tile & 0xFF;
        LoadBlock(state, CurrentTileSet(), block, state.blockTiles[block]);
        NameNextEdit("tile drop");
      }
      if (ImGui::IsItemHovered(ImGuiHoveredFlags_AllowWhenBlockedByActiveItem)) hovered = {r, c};
      ImGui::PopID();
    }
  ImGui::EndGroup();
  // Held down and moved, the mouse paints every cell it passes; a dragged tile
  // or colour paints nothing.
  const bool painting = hovered.row >= 0 && !ImGui::GetDragDropPayload() && ImGui::IsMouseDown(ImGuiMouseButton_Left);
  FollowStroke(state.stroke, painting, hovered, [&](GridCell cell) { PaintCell(state, cell.row, cell.column); });
  if (painting) NameNextEdit("paint stroke");
  if (hovered.row >= 0 && !ImGui::IsAnyMouseDown())
    ImGui::SetTooltip("Tile %03d, row %d, column %d", state.blockTiles[BlockAt(hovered.row, hovered.column)],
                      hovered.row % 8, hovered.column % 8);
}

void DrawShiftArrows(ImVec2 origin) {
  TileStudioState& state = tileStudio;
  ImGui::SetCursorScreenPos(At(origin, 740, 255));
  ImGui::BeginGroup();
  ImGui::SetCursorScreenPos(At(origin, 764, 257));
  if (ShiftButton("##up", ImGuiDir_Up)) ShiftCanvasUp(state);
  ImGui::SetItemTooltip("Shift the canvas up one pixel");
  ImGui::SetCursorScreenPos(At(origin, 740, 279));
  if (ShiftButton("##left", ImGuiDir_Left)) ShiftCanvasLeft(state);
  ImGui::SetItemTooltip("Shift the canvas left one pixel");
  ImGui::SameLine(0, 2);
  ImGui::Button("##center", ImVec2(22, 22));
  ImGui::SameLine(0, 2);
  if (ShiftButton("##right", ImGuiDir_Right)) ShiftCanvasRight(state);
  ImGui::SetItemTooltip("Shift the canvas right one pixel");
  ImGui::SetCursorScreenPos(At(origin, 764, 303));
  if (ShiftButton("##down", ImGuiDir_Down)) ShiftCanvasDown(state);
  ImGui::SetItemTooltip("Shift the canvas down one pixel");
  ImGui::EndGroup();
}

void DrawBlockCaptions(ImVec2 origin) {
  const ImGuiStyle& style = ImGui::GetStyle();
  ImDrawList* draw = ImGui::GetWindowDrawList();
  const float middles[3] = {91.2f, 273.6f, 456.0f};
  for (int b = 0; b < kBlocks; ++b) {
    char text[8];
    std::snprintf(text, sizeof text, "%03d", tileStudio.blockTiles[b]);
    const ImVec2 size = ImGui::CalcTextSize(text);
    const int w = static_cast<int>(size.x + 0.99999f);
    const float y = b < 3 ? kCanvasOrigin.y - 18 : kCanvasOrigin.y + 370.8f;
    const ImVec2 textCorner = At(origin, kCanvasOrigin.x + middles[b % 3] - w / 2, y);
    ImGui::PushID(b < 3 ? 15000 + b : 15003 + (b - 3));
    ImGui::SetCursorScreenPos(ImVec2(textCorner.x - style.FramePadding.x, textCorner.y - style.FramePadding.y));
    ImGui::InvisibleButton(b < 3 ? "##labelTop" : "##labelBot",
                           ImVec2(w + 2 * style.FramePadding.x, size.y + 2 * style.FramePadding.y));
    draw->AddRectFilled(ImGui::GetItemRectMin(), ImGui::GetItemRectMax(), ImGui::GetColorU32(ImGuiCol_Button),
                        style.FrameRounding);
    draw->AddText(textCorner, ImGui::GetColorU32(ImGuiCol_Text), text);
    ImGui::PopID();
  }
}

void DrawCanvasToolColumn(ImVec2 origin) {
  TileStudioState& state = tileStudio;
  ImGui::SetCursorScreenPos(At(origin, 720, 100));
  ImGui::BeginGroup();
  ImGui::SetCursorScreenPos(At(origin, 720, 100));
  if (ToggleButton("GRID", state.showGrid, kToolButton)) state.showGrid = !state.showGrid;
  ImGui::SetItemTooltip("Show or hide the grid lines");
  PaintCanvas(origin);
  ImGui::SetCursorScreenPos(At(origin, 720, 125));
  if (ToggleButton("BOUNDARY", state.showBoundary, kToolButton)) state.showBoundary = !state.showBoundary;
  ImGui::SetItemTooltip("Show or hide the marks where the tiles meet");
  if (state.showBoundary) OutlineLastItem(2);
  ImGui::SetCursorScreenPos(At(origin, 720, 150));
  if (EditButton("GET TILES", kToolButton)) GetTiles(state, CurrentTileSet());
  ImGui::SetItemTooltip("Load the six linked tiles into the canvas");
  ImGui::SetCursorScreenPos(At(origin, 720, 175));
  const bool unstored = CanvasHasUnstoredEdits(state, CurrentTileSet());
  if (EditButton("PUT TILES", kToolButton)) PutTiles(state, CurrentTileSet());
  ImGui::SetItemTooltip("Store the canvas into the six linked tiles");
  if (unstored) {
    ImGui::GetWindowDrawList()->AddRect(ImGui::GetItemRectMin(), ImGui::GetItemRectMax(), kUnstoredMark, 0, 0, 2);
    ImGui::SetCursorScreenPos(At(origin, 720, 366));
    ImGui::PushTextWrapPos(ImGui::GetCursorPosX() + 260);
    ImGui::TextColored(ImGui::ColorConvertU32ToFloat4(kUnstoredMark),
                       "The canvas is not in the tile set yet: the screens and the emulator show the tiles as they "
                       "were until PUT TILES.");
    ImGui::PopTextWrapPos();
  }
  ImGui::SetCursorScreenPos(At(origin, 720, 200));
  if (EditButton("CLEAR GRID", kToolButton)) ClearCanvas(state);
  ImGui::SetItemTooltip("Clear the canvas, pixels and colours");
  if (state.showBoundary) DrawBoundaryMarks(origin);
  ImGui::EndGroup();
}
