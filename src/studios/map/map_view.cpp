// The map view: the map rendered into a texture only when it or the view
// changed, the tools' mouse, the region, the floating block and the screen
// frame over it; the minimap; the tool bar and the studio's keys.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "chip/map_walk.h"
#include "chip/sprite_attributes.h"
#include "imgui_internal.h"
#include "model/history.h"
#include "studios/map/map_picture.h"
#include "studios/map/map_studio_panels.h"
#include "widgets/edit_button.h"
#include "widgets/pixel_texture.h"
#include "widgets/palette_columns.h"
#include "widgets/toggle_button.h"

namespace {
// What the textures last showed: a frame renders only when this differs.
struct RenderedView {
  PixelTexture view, mini;
  Map map;
  TileSet set;
  float left = -1, top = -1, zoom = -1;
  TileColours colours;
  bool miniDirty = true;
};
RenderedView rendered;

float Zoom() { return kMapZooms[mapStudio.zoom]; }

// The view's corner may not leave the map's far side past the view's middle.
void KeepViewOnMap(const Map& map) {
  MapStudioState& state = mapStudio;
  const float width = static_cast<float>(map.width * CellPixels(map)),
              height = static_cast<float>(map.height * CellPixels(map));
  const float spanX = kMapViewSize.x / Zoom(), spanY = kMapViewSize.y / Zoom();
  state.viewLeft = std::clamp(state.viewLeft, std::min(0.0f, (width - spanX) / 2), std::max(0.0f, width - spanX / 2));
  state.viewTop = std::clamp(state.viewTop, std::min(0.0f, (height - spanY) / 2), std::max(0.0f, height - spanY / 2));
}

// Zooms to `step`, keeping the map point under view position `anchor` where it is.
void ZoomTo(int step, ImVec2 anchor) {
  MapStudioState& state = mapStudio;
  step = std::clamp(step, 0, kMapZoomSteps - 1);
  const float before = Zoom(), after = kMapZooms[step];
  state.viewLeft += anchor.x / before - anchor.x / after;
  state.viewTop += anchor.y / before - anchor.y / after;
  state.zoom = step;
}

void FitWholeMap(const Map& map) {
  MapStudioState& state = mapStudio;
  int step = 0;
  while (step + 1 < kMapZoomSteps && map.width * CellPixels(map) * kMapZooms[step + 1] <= kMapViewSize.x &&
         map.height * CellPixels(map) * kMapZooms[step + 1] <= kMapViewSize.y)
    ++step;
  state.zoom = step;
  state.viewLeft = (map.width * CellPixels(map) - kMapViewSize.x / Zoom()) / 2;
  state.viewTop = (map.height * CellPixels(map) - kMapViewSize.y / Zoom()) / 2;
}

void RenderIfChanged(const Map& map, const TileSet& set) {
  MapStudioState& state = mapStudio;
  const bool fresh = NeedsMaking(rendered.view);  // a new texture, blank
  uint32_t* pixels = TexturePixels(rendered.view, static_cast<int>(kMapViewSize.x), static_cast<int>(kMapViewSize.y));
  const bool setChanged = !(rendered.set == set), mapChanged = !(rendered.map == map);
  const bool viewChanged = rendered.left != state.viewLeft || rendered.top != state.viewTop || rendered.zoom != Zoom();
  if (!setChanged && !mapChanged && !viewChanged && !fresh) return;
  if (setChanged || fresh) BuildTileColours(set, rendered.colours), rendered.set = set;
  if (mapChanged) rendered.map = map;
  rendered.left = state.viewLeft, rendered.top = state.viewTop, rendered.zoom = Zoom();
  RenderMapView(map, rendered.colours, state.viewLeft, state.viewTop, Zoom(), static_cast<int>(kMapViewSize.x),
                static_cast<int>(kMapViewSize.y), pixels);
  MarkChanged(rendered.view);
  rendered.miniDirty |= setChanged || mapChanged;
}

GridCell CellAt(const Map& map, ImVec2 corner, ImVec2 point) {
  const float x = mapStudio.viewLeft + (point.x - corner.x) / Zoom(),
              y = mapStudio.viewTop + (point.y - corner.y) / Zoom();
  return {static_cast<int>(std::floor(y / CellPixels(map))), static_cast<int>(std::floor(x / CellPixels(map)))};
}

ImVec2 CellCorner(const Map& map, ImVec2 corner, GridCell cell) {
  return ImVec2(corner.x + (cell.column * CellPixels(map) - mapStudio.viewLeft) * Zoom(),
                corner.y + (cell.row * CellPixels(map) - mapStudio.viewTop) * Zoom());
}

bool InsideMap(const Map& map, GridCell cell) {
  return cell.row >= 0 && cell.column >= 0 && cell.row < map.height && cell.column < map.width;
}

bool InsideRegion(const MapRect& rect, GridCell cell) {
  return cell.column >= rect.column && cell.row >= rect.row && cell.column < rect.column + rect.width &&
         cell.row < rect.row + rect.height;
}

void FrameCells(ImDrawList* draw, const Map& map, ImVec2 corner, const MapRect& rect, ImU32 colour) {
  const ImVec2 min = CellCorner(map, corner, {rect.row, rect.column});
  const ImVec2 max = CellCorner(map, corner, {rect.row + rect.height, rect.column + rect.width});
  draw->AddRect(min, max, colour, 0, 0, 2);
}

void PickFrom(const Map& map, GridCell cell) {
  MapStudioState& state = mapStudio;
  if (!InsideMap(map, cell)) return;
  state.brush = MapBlock{1, 1, {map.At(cell.column, cell.row)}};
  state.selectedMetatile = state.brush.cells[0];
  state.tool = state.toolBeforePick;
}

// The tools' share of a frame's mouse over the view, given the hovered cell.
void RouteMapMouse(Map& map, GridCell cell, bool hovered) {
  MapStudioState& state = mapStudio;
  const bool pressed[2] = {hovered && ImGui::IsMouseClicked(0), hovered && ImGui::IsMouseClicked(1)};
  const bool down[2] = {ImGui::IsMouseDown(0), ImGui::IsMouseDown(1)};
  if (state.floating) {
    const GridCell at{cell.row - state.floatingGrab.row, cell.column - state.floatingGrab.column};
    // A moved region lands where the button goes up; a paste at the click.
    if (state.floatingMoves ? ImGui::IsMouseReleased(0) : pressed[0]) {
      PaintBlock(map, state.floatingBlock, at);
      NameNextEdit(state.floatingMoves ? "map move" : "map paste");
      state.floating = false;
      state.hasRegion = true;
      state.region =
          RectBetween(map, at, {at.row + state.floatingBlock.height - 1, at.column + state.floatingBlock.width - 1});
    }
    return;
  }
  switch (state.tool) {
    case MapTool::Brush: {
      if (pressed[0] || pressed[1]) {
        state.strokeButton = pressed[1] ? 1 : 0;
        if (ImGui::GetIO().KeyShift && state.lastPainted.row >= 0) state.stroke = {true, state.lastPainted};
      }
      const MapBlock eraser{1, 1, {0}};
      const MapBlock& paint = state.strokeButton == 1 ? eraser : state.brush;
      const bool held = (state.stroke.active || pressed[0] || pressed[1]) && down[state.strokeButton];
      if (held) NameNextEdit(state.strokeButton == 1 ? "map erase" : "map paint");
      FollowStroke(state.stroke, held, cell, [&](GridCell at) { PaintBlock(map, paint, at); });
      if (held) state.lastPainted = cell;
      break;
    }
    case MapTool::Fill:
      if (pressed[0] && InsideMap(map, cell) && FillArea(map, cell, state.brush.cells[0]) > 0) NameNextEdit("map fill");
      break;
    case MapTool::Pick:
      if (pressed[0]) PickFrom(map, cell);
      break;
    case MapTool::Rect:
    case MapTool::Select:
      if (pressed[0] && state.tool == MapTool::Select && state.hasRegion && InsideRegion(state.region, cell)) {
        // A press inside the region lifts it: it follows the pointer until the button goes up.
        state.floatingBlock = CopyRegion(map, state.region);
        state.floatingGrab = {cell.row - state.region.row, cell.column - state.region.column};
        ClearRegion(map, state.region);
        state.floating = state.floatingMoves = true;
        state.hasRegion = false;
        break;
      }
      if (pressed[0]) state.dragFrom = cell, state.hasRegion = false;
      if (state.dragFrom.row == -1 && state.dragFrom.column == -1) break;
      state.dragTo = cell;
      if (!down[0]) {
        const MapRect rect = RectBetween(map, state.dragFrom, state.dragTo);
        if (state.tool == MapTool::Rect) {
          FillRect(map, rect, state.brush.cells[0]);
          NameNextEdit("map rectangle");
        } else {
          state.region = rect, state.hasRegion = true;
        }
        state.dragFrom = state.dragTo = {-1, -1};
      }
      break;
  }
}

// Wheel scrolls (Shift: across), Ctrl+wheel zooms at the pointer, the middle button drags.
void RouteViewMouse(const Map& map, ImVec2 corner, bool hovered) {
  MapStudioState& state = mapStudio;
  const ImGuiIO& io = ImGui::GetIO();
  if (hovered && io.MouseWheel != 0) {
    if (io.KeyCtrl) {
      ZoomTo(state.zoom + (io.MouseWheel > 0 ? 1 : -1), ImVec2(io.MousePos.x - corner.x, io.MousePos.y - corner.y));
    } else {
      float& axis = io.KeyShift ? state.viewLeft : state.viewTop;
      axis -= io.MouseWheel * 4 * CellPixels(map);
    }
  }
  if (hovered && ImGui::IsMouseClicked(ImGuiMouseButton_Middle)) state.middleDragging = true;
  if (state.middleDragging) {
    state.viewLeft -= io.MouseDelta.x / Zoom();
    state.viewTop -= io.MouseDelta.y / Zoom();
    if (!ImGui::IsMouseDown(ImGuiMouseButton_Middle)) state.middleDragging = false;
  }
}

// The frame's tag drags it, snapping to whole tiles.
void DrawScreenFrame(const Map& map, ImVec2 corner, ImDrawList* draw) {
  MapStudioState& state = mapStudio;
  if (!state.showFrame) return;
  const ImVec2 min(corner.x + (state.frameColumn * 8 - state.viewLeft) * Zoom(),
                   corner.y + (state.frameRow * 8 - state.viewTop) * Zoom());
  const ImVec2 max(min.x + kChipWidth * Zoom(), min.y + kChipHeight * Zoom());
  draw->AddRect(min, max, IM_COL32(255, 220, 0, 255), 0, 0, 3);
  // The tag sits on the frame's top edge; where that is not within the view, it
  // hangs under the view rather than over the map's cells, which it would take the clicks of.
  float tagY = min.y - 18;
  if (tagY < corner.y || tagY > corner.y + kMapViewSize.y - 18) tagY = corner.y + kMapViewSize.y + 2;
  ImGui::SetCursorScreenPos(ImVec2(std::clamp(min.x, corner.x, corner.x + kMapViewSize.x - 70), tagY));
  ImGui::Button("SCREEN##frame", ImVec2(70, 18));
  ImGui::SetItemTooltip("Drag to move the screen frame: 32 x 24 tiles, what one screen of the game shows");
  if (ImGui::IsItemActivated()) state.draggingFrame = true;
  if (state.draggingFrame) {
    const ImVec2 delta = ImGui::GetMouseDragDelta(0, 0);
    const int columns = static_cast<int>(std::lround(delta.x / (8 * Zoom()))),
              rows = static_cast<int>(std::lround(delta.y / (8 * Zoom())));
    if (columns || rows) {
      state.frameColumn =
          std::clamp(state.frameColumn + columns, 0, std::max(0, map.width * map.metatileSize - kTableColumns));
      state.frameRow = std::clamp(state.frameRow + rows, 0, std::max(0, map.height * map.metatileSize - kTableRows));
      ImGui::ResetMouseDragDelta(0);
    }
    if (!ImGui::IsMouseDown(0)) state.draggingFrame = false;
  }
}

// With the frame, the walker's start for Play Map: its box, dragged by its tag
// a chip pixel at a time; red when the map cannot be played from there.
void DrawWalkStart(Map& map, ImVec2 corner, ImDrawList* draw) {
  MapStudioState& state = mapStudio;
  if (!state.showFrame) return;
  const WalkWorld world = MakeWalkWorld(project, state.currentMap, state.frameColumn, state.frameRow);
  if (world.boxWidth == 0) return;  // nothing to walk with: the play controls say why
  const ImVec2 min(corner.x + (world.startX - state.viewLeft) * Zoom(),
                   corner.y + (world.startY - state.viewTop) * Zoom());
  const ImU32 colour = world.error.empty() ? IM_COL32(0, 255, 128, 255) : IM_COL32(255, 60, 60, 255);
  draw->AddRect(min, ImVec2(min.x + world.boxWidth * Zoom(), min.y + world.boxHeight * Zoom()), colour, 0, 0, 2);
  ImGui::SetCursorScreenPos(ImVec2(min.x, min.y - 18));
  ImGui::Button("START##walker", ImVec2(54, 18));
  ImGui::SetItemTooltip("%s", world.error.empty() ? "Drag to move where the walker starts when the map plays"
                                                  : ("Drag elsewhere: " + world.error).c_str());
  if (ImGui::IsItemActivated()) state.draggingStart = true, state.startGrab = {world.startY, world.startX};
  if (state.draggingStart) {
    const ImVec2 delta = ImGui::GetMouseDragDelta(0, 0);
    const int x = state.startGrab.column + static_cast<int>(std::lround(delta.x / Zoom())),
              y = state.startGrab.row + static_cast<int>(std::lround(delta.y / Zoom()));
    if (x != world.startX || y != world.startY) {
      MoveWalkStart(map, x, y, world.boxWidth, world.boxHeight);
      NameNextEdit("walk start");
    }
    if (!ImGui::IsMouseDown(0)) state.draggingStart = false;
  }
}

// SOLID: a hatch over the visible cells of solid metatiles.
void DrawSolidHatch(const Map& map, ImVec2 corner, ImDrawList* draw) {
  if (!mapStudio.showSolid) return;
  const float side = CellPixels(map) * Zoom();
  const int left = std::max(0, static_cast<int>(mapStudio.viewLeft / CellPixels(map))),
            top = std::max(0, static_cast<int>(mapStudio.viewTop / CellPixels(map)));
  const int right = std::min(map.width, left + static_cast<int>(kMapViewSize.x / side) + 2),
            bottom = std::min(map.height, top + static_cast<int>(kMapViewSize.y / side) + 2);
  draw->PushClipRect(corner, ImVec2(corner.x + kMapViewSize.x, corner.y + kMapViewSize.y), true);
  for (int row = top; row < bottom; ++row)
    for (int column = left; column < right; ++column) {
      if (!map.metatiles[map.At(column, row)].solid) continue;
      const ImVec2 p = CellCorner(map, corner, {row, column});
      for (float d = 0; d < 2 * side; d += std::max(4.0f, side / 4))
        draw->AddLine(ImVec2(p.x + std::max(0.0f, d - side), p.y + std::min(d, side)),
                      ImVec2(p.x + std::min(d, side), p.y + std::max(0.0f, d - side)), IM_COL32(255, 60, 60, 200),
                      1.5f);
    }
  draw->PopClipRect();
}

void DrawOverlays(const Map& map, ImVec2 corner, GridCell cell, bool hovered, ImDrawList* draw) {
  const MapStudioState& state = mapStudio;
  DrawSolidHatch(map, corner, draw);
  if (state.hasRegion) FrameCells(draw, map, corner, state.region, IM_COL32(255, 255, 255, 255));
  if (state.dragFrom.row != -1 || state.dragFrom.column != -1)
    FrameCells(draw, map, corner, RectBetween(map, state.dragFrom, state.dragTo), IM_COL32(0, 255, 255, 255));
  if (state.floating) {
    const MapBlock& block = state.floatingBlock;
    FrameCells(draw, map, corner,
               {cell.column - state.floatingGrab.column, cell.row - state.floatingGrab.row, block.width, block.height},
               IM_COL32(255, 128, 0, 255));
  } else if (hovered && InsideMap(map, cell)) {
    FrameCells(draw, map, corner, {cell.column, cell.row, state.brush.width, state.brush.height},
               IM_COL32(255, 255, 255, 120));
    ImGui::SetTooltip("Cell %d, %d: metatile %d", cell.column, cell.row, map.At(cell.column, cell.row));
  }
}
}  // namespace

void DrawMapView(ImVec2 origin) {
  MapStudioState& state = mapStudio;
  Map& map = CurrentMap();
  KeepViewOnMap(map);
  RenderIfChanged(map, MapTileSet(map));
  const ImVec2 corner = At(origin, kMapViewOrigin.x, kMapViewOrigin.y);
  ImGui::SetCursorScreenPos(corner);
  ImGui::SetNextItemAllowOverlap();
  ImGui::InvisibleButton(
      "##mapview", kMapViewSize,
      ImGuiButtonFlags_MouseButtonLeft | ImGuiButtonFlags_MouseButtonRight | ImGuiButtonFlags_MouseButtonMiddle);
  const bool hovered = ImGui::IsItemHovered() && !state.draggingFrame && !state.draggingStart;
  ImDrawList* draw = ImGui::GetWindowDrawList();
  draw->PushClipRect(corner, ImVec2(corner.x + kMapViewSize.x, corner.y + kMapViewSize.y), true);
  draw->AddImage(TextureRef(rendered.view), corner, ImVec2(corner.x + kMapViewSize.x, corner.y + kMapViewSize.y));
  const GridCell cell = CellAt(map, corner, ImGui::GetIO().MousePos);
  DrawOverlays(map, corner, cell, hovered, draw);
  if (!state.draggingFrame && !state.draggingStart) RouteMapMouse(map, cell, hovered || ImGui::IsItemActive());
  RouteViewMouse(map, corner, hovered);
  DrawScreenFrame(map, corner, draw);
  DrawWalkStart(map, corner, draw);
  draw->PopClipRect();
}

void DrawMiniMap(ImVec2 origin) {
  MapStudioState& state = mapStudio;
  const Map& map = CurrentMap();
  const int size = static_cast<int>(kMiniMapSize);
  rendered.miniDirty |= NeedsMaking(rendered.mini);
  uint32_t* pixels = TexturePixels(rendered.mini, size, size);
  const float pixelsWide = static_cast<float>(map.width * CellPixels(map)),
              pixelsHigh = static_cast<float>(map.height * CellPixels(map));
  const float scale = kMiniMapSize / std::max(pixelsWide, pixelsHigh);
  if (rendered.miniDirty) {
    RenderMapView(map, rendered.colours, 0, 0, scale, size, size, pixels);
    MarkChanged(rendered.mini);
    rendered.miniDirty = false;
  }
  const ImVec2 corner = At(origin, kMiniMapOrigin.x, kMiniMapOrigin.y);
  ImDrawList* draw = ImGui::GetWindowDrawList();
  draw->AddImage(TextureRef(rendered.mini), corner, ImVec2(corner.x + kMiniMapSize, corner.y + kMiniMapSize));
  const ImVec2 min(corner.x + state.viewLeft * scale, corner.y + state.viewTop * scale);
  draw->PushClipRect(corner, ImVec2(corner.x + kMiniMapSize, corner.y + kMiniMapSize), true);
  draw->AddRect(min, ImVec2(min.x + kMapViewSize.x / Zoom() * scale, min.y + kMapViewSize.y / Zoom() * scale),
                IM_COL32(255, 255, 255, 255), 0, 0, 2);
  draw->PopClipRect();
  ImGui::SetCursorScreenPos(corner);
  ImGui::InvisibleButton("##minimap", ImVec2(kMiniMapSize, kMiniMapSize));
  ImGui::SetItemTooltip("The whole map: click or drag to look there");
  if (ImGui::IsItemActive()) {
    const ImVec2 mouse = ImGui::GetIO().MousePos;
    state.viewLeft = (mouse.x - corner.x) / scale - kMapViewSize.x / Zoom() / 2;
    state.viewTop = (mouse.y - corner.y) / scale - kMapViewSize.y / Zoom() / 2;
  }
}

void DrawMapToolBar(ImVec2 origin) {
  MapStudioState& state = mapStudio;
  Map& map = CurrentMap();
  ImGui::SetCursorScreenPos(At(origin, kMapViewOrigin.x, 36));
  const ImVec2 button(64, 22);
  const struct {
    const char* label;
    MapTool tool;
    const char* tip;
  } tools[] = {
      {"BRUSH", MapTool::Brush, "Paint with the brush, erase with the right button; Shift+click draws a line (B)"},
      {"FILL", MapTool::Fill, "Fill the area of one metatile with the brush's (F)"},
      {"RECT", MapTool::Rect, "Drag a rectangle of the brush's metatile (R)"},
      {"PICK", MapTool::Pick, "Take a cell's metatile as the brush (I)"},
      {"SELECT", MapTool::Select, "Drag a region; drag inside it to move it (S)"}};
  for (const auto& tool : tools) {
    if (ToggleButton(tool.label, state.tool == tool.tool, button)) {
      if (tool.tool == MapTool::Pick && state.tool != MapTool::Pick) state.toolBeforePick = state.tool;
      state.tool = tool.tool;
    }
    ImGui::SetItemTooltip("%s", tool.tip);
    ImGui::SameLine();
  }
  if (ImGui::Button("-##zoom", ImVec2(24, 22))) ZoomTo(state.zoom - 1, ImVec2(kMapViewSize.x / 2, kMapViewSize.y / 2));
  ImGui::SetItemTooltip("Zoom out (-)");
  ImGui::SameLine();
  if (ImGui::Button("+##zoom", ImVec2(24, 22))) ZoomTo(state.zoom + 1, ImVec2(kMapViewSize.x / 2, kMapViewSize.y / 2));
  ImGui::SetItemTooltip("Zoom in (+)");
  ImGui::SameLine();
  if (ImGui::Button("FIT", button)) FitWholeMap(map);
  ImGui::SetItemTooltip("The whole map in the view");
  ImGui::SameLine();
  if (ToggleButton("FRAME", state.showFrame, button)) state.showFrame = !state.showFrame;
  ImGui::SetItemTooltip(
      "A screen-sized frame (32 x 24 tiles) to drag over the map, and the walker's START for Play Map (Shift+F5)");
  ImGui::SameLine();
  if (ToggleButton("SOLID##show", state.showSolid, button)) state.showSolid = !state.showSolid;
  ImGui::SetItemTooltip("Hatch the cells of solid metatiles, which a walker cannot enter");
  ImGui::SameLine();
  DrawPaletteChoice("MapPalette");
  ImGui::SameLine();
  ImGui::Text("%s  %d%%", state.floating ? "Click to place" : "", static_cast<int>(Zoom() * 100));
}

void HandleMapKeys() {
  MapStudioState& state = mapStudio;
  Map& map = CurrentMap();
  if (ImGui::GetIO().WantTextInput || ImGui::IsPopupOpen("", ImGuiPopupFlags_AnyPopupId)) return;
  const bool ctrl = ImGui::GetIO().KeyCtrl;
  const struct {
    ImGuiKey key;
    MapTool tool;
  } toolKeys[] = {{ImGuiKey_B, MapTool::Brush},
                  {ImGuiKey_F, MapTool::Fill},
                  {ImGuiKey_R, MapTool::Rect},
                  {ImGuiKey_I, MapTool::Pick},
                  {ImGuiKey_S, MapTool::Select}};
  for (const auto& toolKey : toolKeys)
    if (!ctrl && ImGui::IsKeyPressed(toolKey.key, false)) {
      if (toolKey.tool == MapTool::Pick && state.tool != MapTool::Pick) state.toolBeforePick = state.tool;
      state.tool = toolKey.tool;
    }
  if (ctrl && ImGui::IsKeyPressed(ImGuiKey_C, false) && state.hasRegion)
    state.clipboard = CopyRegion(map, state.region);
  if (ctrl && ImGui::IsKeyPressed(ImGuiKey_X, false) && state.hasRegion) {
    state.clipboard = CopyRegion(map, state.region);
    ClearRegion(map, state.region);
    NameNextEdit("map cut");
  }
  if (ctrl && ImGui::IsKeyPressed(ImGuiKey_V, false) && !state.clipboard.cells.empty()) {
    state.floating = true;
    state.floatingBlock = state.clipboard;
    state.floatingGrab = {0, 0};
    state.floatingMoves = false;
  }
  if (ImGui::IsKeyPressed(ImGuiKey_Delete, false) && state.hasRegion) {
    ClearRegion(map, state.region);
    NameNextEdit("map delete");
  }
  if (ImGui::IsKeyPressed(ImGuiKey_Escape, false)) state.floating = false, state.hasRegion = false;
  const float step = 4.0f * CellPixels(map);
  if (ImGui::IsKeyPressed(ImGuiKey_LeftArrow)) state.viewLeft -= step;
  if (ImGui::IsKeyPressed(ImGuiKey_RightArrow)) state.viewLeft += step;
  if (ImGui::IsKeyPressed(ImGuiKey_UpArrow)) state.viewTop -= step;
  if (ImGui::IsKeyPressed(ImGuiKey_DownArrow)) state.viewTop += step;
  const ImVec2 middle(kMapViewSize.x / 2, kMapViewSize.y / 2);
  if (ImGui::IsKeyPressed(ImGuiKey_Equal) || ImGui::IsKeyPressed(ImGuiKey_KeypadAdd)) ZoomTo(state.zoom + 1, middle);
  if (ImGui::IsKeyPressed(ImGuiKey_Minus) || ImGui::IsKeyPressed(ImGuiKey_KeypadSubtract))
    ZoomTo(state.zoom - 1, middle);
}
