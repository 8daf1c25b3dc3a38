// The tile tool column and the sheet of all 256 tiles of the current set.

#include "chip/group_colours.h"
#include "model/history.h"
#include "studios/tile/tile_sheet_actions.h"
#include "studios/tile/tile_studio_panels.h"
#include "widgets/drag_payload.h"
#include "widgets/edit_button.h"
#include "widgets/pixel_art.h"
#include "widgets/toggle_button.h"

namespace {
constexpr float kSheetLeft = 140, kSheetTop = 458;
constexpr float kSheetPitchX = 46, kSheetPitchY = 62;
constexpr float kTileSide = 40, kTilePixel = 5;
constexpr int kTilesPerRow = 32;
// Match groups take these palette colours in turn: dark red, medium red, magenta, dark blue, dark yellow.
constexpr int kMatchColours[5] = {6, 8, 13, 4, 10};

ImVec2 SheetCorner(ImVec2 origin, int tile) {
  return At(origin, kSheetLeft + kSheetPitchX * (tile % kTilesPerRow),
            kSheetTop + kSheetPitchY * (tile / kTilesPerRow));
}

void HandleTileInput(TileStudioState& state, int tile) {
  const bool hovered = ImGui::IsItemHovered();
  if (hovered && ImGui::IsMouseClicked(ImGuiMouseButton_Left)) ClickSheetTile(state, tile);
  if (hovered && ImGui::IsMouseClicked(ImGuiMouseButton_Right)) {
    state.rangeDragging = true;
    state.selectionStart = state.selectionEnd = tile;
  }
  if (state.rangeDragging) {
    if (ImGui::IsMouseDown(ImGuiMouseButton_Right)) {
      if (hovered) state.selectionEnd = tile;
    } else {
      state.rangeDragging = false;
      if (state.selectionStart > state.selectionEnd) std::swap(state.selectionStart, state.selectionEnd);
    }
  }
  OfferDragPayload(kTilePayload, &tile, sizeof tile, "Tile %03d", tile);
  if (int source; TakeDropPayload(kTilePayload, &source, sizeof source) && source >= 0 && source <= 255) {
    SwapTiles(state, tileSets, source, tile, nameTables);
    NameNextEdit("tile swap");
  }
}

void DrawTile(ImDrawList* draw, const TileStudioState& state, const TileSet& set, int tile, ImVec2 p) {
  const ImVec2 far(p.x + kTileSide, p.y + kTileSide);
  if (InSelection(state, tile))
    draw->AddRect(ImVec2(p.x - 1, p.y - 1), ImVec2(far.x + 1, far.y + 1), IM_COL32(255, 255, 255, 255), 0, 0, 3);
  for (int b = 0; b < kBlocks; ++b)
    if (state.blockTiles[b] == tile) draw->AddRect(p, far, IM_COL32(255, 255, 0, 255), 0, 0, 3);
  if (state.currentTile == tile)
    draw->AddRect(ImVec2(p.x - 2, p.y - 2), ImVec2(far.x + 2, far.y + 2), IM_COL32(0, 255, 255, 255), 0, 0, 1.5f);
  if (const int group = state.matchGroups[tile]; group > 0)
    draw->AddRect(p, far, Palette[kMatchColours[(group - 1) % 5]], 0, 0, 4);

  DrawTileWithNumber(draw, set, tile, p, kTilePixel);
}

// Graphics I: a line before each group of 8 tiles, and a red corner on each
// tile a Graphics I screen shows in other colours than it has.
void DrawGroupMarks(ImDrawList* draw, ImVec2 origin, const TileSet& set) {
  const ImU32 line = IM_COL32(255, 160, 0, 255), red = IM_COL32(255, 40, 40, 255);
  for (int tile = 0; tile < kTilesPerSet; ++tile) {
    const ImVec2 p = SheetCorner(origin, tile);
    if (tile % kGroupTiles == 0)
      draw->AddLine(ImVec2(p.x - 3, p.y - 2), ImVec2(p.x - 3, p.y + kTileSide + 14), line, 2);
    if (!TileKeepsItsColours(set, tile)) draw->AddTriangleFilled(p, ImVec2(p.x + 12, p.y), ImVec2(p.x, p.y + 12), red);
  }
}
}  // namespace

void DrawTileToolColumn(ImVec2 origin) {
  TileStudioState& state = tileStudio;
  const ImVec2 tall(100, 25);
  ImGui::SetCursorScreenPos(At(origin, 20, 460));
  ImGui::BeginGroup();
  if (ToggleButton("TRACK TILE", state.trackTiles, ImVec2(100, 20))) state.trackTiles = !state.trackTiles;
  ImGui::SetItemTooltip("Renumber the name tables when tiles move");
  if (ToggleButton("MATCH TILES", HasMatchMarks(state), tall)) MatchTiles(state, CurrentTileSet());
  ImGui::SetItemTooltip("Mark groups of identical tiles");
  if (EditButton("CUT", tall)) CutTiles(state, CurrentTileSet());
  ImGui::SetItemTooltip("Copy the selected tiles and blank them");
  if (ImGui::Button("COPY", tall)) CopyTiles(state, CurrentTileSet());
  ImGui::SetItemTooltip("Copy the selected tiles");
  if (EditButton("PASTE", tall)) PasteTiles(state, tileSets, nameTables);
  ImGui::SetItemTooltip("Write the copied tiles from the current tile on");
  ImGui::EndGroup();
}

void DrawTileSheet(ImVec2 origin) {
  TileStudioState& state = tileStudio;
  ImDrawList* draw = ImGui::GetWindowDrawList();
  for (int tile = 0; tile < 256; ++tile) {
    const ImVec2 corner = SheetCorner(origin, tile);
    ImGui::PushID(40000 + tile);
    ImGui::SetCursorScreenPos(corner);
    ImGui::InvisibleButton("##select", ImVec2(kTileSide, kTileSide));
    HandleTileInput(state, tile);
    DrawTile(draw, state, CurrentTileSet(), tile, corner);
    ImGui::PopID();
  }
  if (SetShowsGroupColours(project, state.currentTileSet)) DrawGroupMarks(draw, origin, CurrentTileSet());
}
