// The metatile palette (click: the brush; drag onto another: reorder; usage in
// the tooltip, unused ones marked) and the metatile editor (tiles dropped from
// the map's tile set onto the metatile's cells; add and delete).
#include <algorithm>
#include <string>

#include "model/history.h"
#include "studios/map/map_picture.h"
#include "studios/map/map_studio_panels.h"
#include "widgets/drag_payload.h"
#include "widgets/edit_button.h"
#include "widgets/notice.h"
#include "widgets/pixel_texture.h"
#include "widgets/toggle_button.h"

namespace {
constexpr int kPaletteColumns = 16;
constexpr float kEditorCells = 96;  // the metatile editor's side
constexpr float kSheetTile = 13;    // a tile of the tile sheet beside it

// A grid of metatiles (the palette, or the tile sheet as a grid of 1x1 ones)
// in a texture rendered again only when the grid or its tile set changed.
struct RenderedGrid {
  PixelTexture texture;
  Map grid;
  TileSet set;
  TileColours colours;
};
RenderedGrid paletteGrid, sheetGrid;

// `count` cells numbered 0 on, 16 to a row, of `metatiles`.
Map GridOf(const std::vector<Metatile>& metatiles, int size, int count) {
  Map grid;
  grid.metatileSize = size;
  grid.metatiles = metatiles;
  grid.width = kPaletteColumns, grid.height = kPaletteColumns;
  grid.cells.assign(kPaletteColumns * kPaletteColumns, 0);
  for (int i = 0; i < count; ++i) grid.cells[i] = static_cast<uint8_t>(i);
  return grid;
}

void DrawGrid(RenderedGrid& rendered, const Map& grid, const TileSet& set, ImVec2 corner, float side) {
  const int pixels = static_cast<int>(side);
  const bool fresh = NeedsMaking(rendered.texture);  // a new texture, blank
  uint32_t* out = TexturePixels(rendered.texture, pixels, pixels);
  if (fresh || !(rendered.grid == grid) || !(rendered.set == set)) {
    rendered.grid = grid, rendered.set = set;
    BuildTileColours(set, rendered.colours);
    RenderMapView(grid, rendered.colours, 0, 0, side / (grid.width * CellPixels(grid)), pixels, pixels, out);
    MarkChanged(rendered.texture);
  }
  ImGui::GetWindowDrawList()->AddImage(TextureRef(rendered.texture), corner, ImVec2(corner.x + side, corner.y + side));
}

// One metatile's tiles as squares of a pixel each.
void DrawMetatile(ImDrawList* draw, const Map& map, const TileSet& set, int metatile, ImVec2 corner, float pixel) {
  for (int y = 0; y < map.metatileSize; ++y)
    for (int x = 0; x < map.metatileSize; ++x) {
      const int tile = map.Tile(metatile, x, y);
      for (int py = 0; py < 8; ++py)
        for (int px = 0; px < 8; ++px) {
          const int colour = TilePixelColour(set, tile, py, px);
          const ImVec2 min(corner.x + (x * 8 + px) * pixel, corner.y + (y * 8 + py) * pixel);
          draw->AddRectFilled(min, ImVec2(min.x + pixel, min.y + pixel), Palette[colour ? colour : 1]);
        }
    }
}

std::vector<bool> TilesUsed(const Map& map) {
  std::vector<bool> used(kTilesPerSet, false);
  for (const Metatile& metatile : map.metatiles)
    for (int i = 0; i < map.metatileSize * map.metatileSize; ++i) used[metatile.tiles[i]] = true;
  return used;
}
}  // namespace

void DrawMetatilePalette(ImVec2 origin) {
  MapStudioState& state = mapStudio;
  Map& map = CurrentMap();
  const TileSet& set = MapTileSet(map);
  const std::vector<int> usage = MetatileUsage(map);
  ImDrawList* draw = ImGui::GetWindowDrawList();
  const ImVec2 corner = At(origin, kMetatilePaletteOrigin.x, kMetatilePaletteOrigin.y);
  const int count = static_cast<int>(map.metatiles.size());
  DrawGrid(paletteGrid, GridOf(map.metatiles, map.metatileSize, count), set, corner, kPaletteColumns * kPaletteCell);
  // The slots past the last metatile stay dark.
  for (int i = count; i < kPaletteColumns * kPaletteColumns; i += kPaletteColumns - i % kPaletteColumns) {
    const ImVec2 at(corner.x + (i % kPaletteColumns) * kPaletteCell, corner.y + (i / kPaletteColumns) * kPaletteCell);
    draw->AddRectFilled(at, ImVec2(corner.x + kPaletteColumns * kPaletteCell, at.y + kPaletteCell),
                        IM_COL32(20, 20, 20, 255));
  }
  for (int i = 0; i < count; ++i) {
    const ImVec2 at(corner.x + (i % kPaletteColumns) * kPaletteCell, corner.y + (i / kPaletteColumns) * kPaletteCell);
    ImGui::SetCursorScreenPos(at);
    ImGui::PushID(i);
    ImGui::InvisibleButton("##metatile", ImVec2(kPaletteCell - 1, kPaletteCell - 1));
    if (ImGui::IsItemClicked()) {
      state.brush = MapBlock{1, 1, {static_cast<uint8_t>(i)}};
      state.selectedMetatile = i;
      if (state.tool == MapTool::Pick || state.tool == MapTool::Select) state.tool = MapTool::Brush;
    }
    ImGui::SetItemTooltip("Metatile %d: %d cells use it%s", i, usage[i], usage[i] ? "" : " (unused)");
    OfferDragPayload(kMetatilePayload, &i, sizeof i, "Move metatile %d", i);
    if (int from; TakeDropPayload(kMetatilePayload, &from, sizeof from)) {
      MoveMetatile(map, from, i);
      state.selectedMetatile = i;
      NameNextEdit("metatile move");
    }
    ImGui::PopID();
    if (usage[i] == 0)
      draw->AddTriangleFilled(at, ImVec2(at.x + 8, at.y), ImVec2(at.x, at.y + 8), IM_COL32(255, 60, 60, 255));
    if (i == state.selectedMetatile)
      draw->AddRect(at, ImVec2(at.x + kPaletteCell, at.y + kPaletteCell), IM_COL32(255, 255, 255, 255), 0, 0, 2);
  }
}

void DrawMetatileEditor(ImVec2 origin) {
  MapStudioState& state = mapStudio;
  Map& map = CurrentMap();
  const TileSet& set = MapTileSet(map);
  ImDrawList* draw = ImGui::GetWindowDrawList();
  const ImVec2 corner = At(origin, kMetatileEditorOrigin.x, kMetatileEditorOrigin.y);
  const int size = map.metatileSize;
  const float cell = kEditorCells / size;
  DrawMetatile(draw, map, set, state.selectedMetatile, corner, kEditorCells / CellPixels(map));
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      ImGui::SetCursorScreenPos(ImVec2(corner.x + x * cell, corner.y + y * cell));
      ImGui::PushID(y * size + x);
      ImGui::InvisibleButton("##metacell", ImVec2(cell, cell));
      uint8_t& tile = map.metatiles[state.selectedMetatile].tiles[y * size + x];
      ImGui::SetItemTooltip("Tile %d here: drop a tile of the sheet to change it", tile);
      if (int dropped; TakeDropPayload(kMapTilePayload, &dropped, sizeof dropped)) {
        tile = static_cast<uint8_t>(dropped);
        NameNextEdit("metatile edit");
      }
      ImGui::PopID();
      draw->AddRect(ImVec2(corner.x + x * cell, corner.y + y * cell),
                    ImVec2(corner.x + (x + 1) * cell, corner.y + (y + 1) * cell), IM_COL32(255, 255, 255, 90));
    }
  // The map's tile set, each tile a drag source; tiles no metatile uses are marked.
  const ImVec2 sheet(corner.x + kEditorCells + 12, corner.y);
  const std::vector<bool> used = TilesUsed(map);
  std::vector<Metatile> tiles(kTilesPerSet);
  for (int tile = 0; tile < kTilesPerSet; ++tile) tiles[tile].tiles[0] = static_cast<uint8_t>(tile);
  DrawGrid(sheetGrid, GridOf(tiles, 1, kTilesPerSet), set, sheet, 16 * kSheetTile);
  for (int tile = 0; tile < kTilesPerSet; ++tile) {
    const ImVec2 at(sheet.x + (tile % 16) * kSheetTile, sheet.y + (tile / 16) * kSheetTile);
    ImGui::SetCursorScreenPos(at);
    ImGui::PushID(1000 + tile);
    ImGui::InvisibleButton("##maptile", ImVec2(kSheetTile, kSheetTile));
    ImGui::SetItemTooltip("Tile %d%s", tile, used[tile] ? "" : " (no metatile uses it)");
    OfferDragPayload(kMapTilePayload, &tile, sizeof tile, "Tile %d", tile);
    ImGui::PopID();
    if (!used[tile]) draw->AddLine(at, ImVec2(at.x + 4, at.y), IM_COL32(255, 60, 60, 255), 2);
  }
  ImGui::SetCursorScreenPos(ImVec2(corner.x, corner.y + kEditorCells + 8));
  ImGui::BeginGroup();
  ImGui::Text("Metatile %d", state.selectedMetatile);
  if (EditButton("ADD META")) {
    if (AddMetatile(map))
      state.selectedMetatile = static_cast<int>(map.metatiles.size()) - 1;
    else
      ShowNotice("A map has at most 256 metatiles");
  }
  ImGui::SetItemTooltip("Add a metatile, a copy of metatile 0");
  if (EditButton("DEL META")) {
    const int uses = MetatileUsage(map)[state.selectedMetatile];
    if (!DeleteMetatile(map, state.selectedMetatile))
      ShowNotice(map.metatiles.size() <= 1
                     ? "A map keeps at least one metatile"
                     : "Metatile " + std::to_string(state.selectedMetatile) + " is used by " + std::to_string(uses) +
                           " cells: REPLACE replaces them with the brush's");
  }
  ImGui::SetItemTooltip("Delete the metatile when no cell uses it");
  if (EditButton("REPLACE")) {
    const int with = state.brush.cells[0];
    if (!DeleteMetatile(map, state.selectedMetatile, with))
      ShowNotice("Choose another metatile as the brush to replace this one with");
  }
  ImGui::SetItemTooltip("Delete the metatile, its cells taking the brush's metatile");
  bool& solid = map.metatiles[state.selectedMetatile].solid;
  if (ToggleButton("SOLID", solid, ImVec2(0, 0))) {
    solid = !solid;
    NameNextEdit("solid metatile");
  }
  ImGui::SetItemTooltip(
      "A solid metatile is one a walker cannot enter; saved, and exported as the map's table of flags");
  ImGui::EndGroup();
}
