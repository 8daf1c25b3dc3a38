// Sprite placements over the screen view, the drop zone that adds them, and
// the sprite list they are dragged from.
#include <algorithm>
#include <cfloat>

#include "model/history.h"
#include "studios/table/table_placements.h"
#include "studios/table/table_screen_actions.h"
#include "studios/table/table_studio_panels.h"
#include "widgets/drag_payload.h"
#include "widgets/notice.h"
#include "widgets/pixel_art.h"

namespace {
constexpr float kRowHeight = 52, kThumbPixel = 3;

bool Contains(ImVec2 min, ImVec2 max, ImVec2 point) {
  return point.x >= min.x && point.y >= min.y && point.x < max.x && point.y < max.y;
}

// Grabbing reads the raw mouse, so it works over the cell buttons too; only a
// press on the screen view itself grabs (not one on a list or window above it,
// nor one that starts a drag and drop).
void HandlePlacementMouse(NameTable& table, int index, ImVec2 screen, ImVec2 corner, float side) {
  TableStudioState& state = tableStudio;
  ImDrawList* draw = ImGui::GetWindowDrawList();
  const ImVec2 pad = ImGui::GetStyle().TouchExtraPadding;
  const ImVec2 min(std::max(corner.x, draw->GetClipRectMin().x) - pad.x,
                   std::max(corner.y, draw->GetClipRectMin().y) - pad.y);
  const ImVec2 max(std::min(corner.x + side, draw->GetClipRectMax().x) + pad.x,
                   std::min(corner.y + side, draw->GetClipRectMax().y) + pad.y);
  const ImVec2 mouse = ImGui::GetIO().MousePos;
  // The painting tools paint under the sprites; SELECT and sprite mode move them.
  const bool onScreenView = Contains(screen, ImVec2(screen.x + kScreenWidth, screen.y + kScreenHeight), mouse) &&
                            ImGui::IsWindowHovered(ImGuiHoveredFlags_AllowWhenBlockedByActiveItem) &&
                            !ImGui::GetDragDropPayload() && (state.spritesMode || state.tool == ScreenTool::Select);
  if (Contains(min, max, mouse) && onScreenView) {
    ImGui::SetMouseCursor(ImGuiMouseCursor_Hand);
    if (ImGui::IsMouseClicked(ImGuiMouseButton_Left))
      GrabPlacement(state, index, mouse.x - corner.x, mouse.y - corner.y);
  }
  if (state.draggedPlacement != index) return;
  // A release always ends the grab, whatever else the mouse was doing.
  if (!ImGui::IsMouseDown(ImGuiMouseButton_Left)) {
    state.draggedPlacement = -1;
    return;
  }
  if (ImGui::GetDragDropPayload()) return;
  MoveGrabbedPlacement(state, table, index, mouse.x - screen.x, mouse.y - screen.y);
  NameNextEdit("sprite move");
}

void DrawSpriteRow(TableStudioState& state, int k, int markedRows) {
  const Sprite& sprite = sprites()[k];
  const ImVec2 p = ImGui::GetCursorScreenPos();
  ImGui::PushID(k);
  if (ImGui::Selectable("##row", state.spriteMarks[k], 0, ImVec2(0, kRowHeight))) ClickSpriteRow(state, k, markedRows);
  OfferDragPayload(kTablePayloadSprite, &k, sizeof k, "Overlaying %s", sprite.name);
  if (ImGui::IsItemVisible()) {
    ImDrawList* draw = ImGui::GetWindowDrawList();
    DrawSpritePixels(draw, sprite, project.spriteSize.side, ImVec2(p.x + 5, p.y + 2), kThumbPixel);
    if (sprite.name[0])
      draw->AddText(ImVec2(p.x + 60, p.y + 26 - ImGui::GetFontSize() / 2), IM_COL32(255, 255, 255, 255), sprite.name);
  }
  ImGui::PopID();
}
// A metasprite after the sprites, dragged onto the screen as all its parts at once.
void DrawMetaspriteRow(int m) {
  const Metasprite& metasprite = project.metasprites[m];
  const ImVec2 p = ImGui::GetCursorScreenPos();
  ImGui::PushID(100000 + m);
  ImGui::Selectable("##metarow", false, 0, ImVec2(0, kRowHeight));
  OfferDragPayload(kTablePayloadMetasprite, &m, sizeof m, "Placing %s, %d sprites", metasprite.name,
                   static_cast<int>(metasprite.parts.size()));
  if (ImGui::IsItemVisible()) {
    ImDrawList* draw = ImGui::GetWindowDrawList();
    const float side = kRowHeight - 4;  // a 64-pixel metasprite shrinks to fit the row
    DrawMetaspritePixels(draw, metasprite, ImVec2(p.x + 5, p.y + 2),
                         std::min(1.0f, side / std::max(metasprite.width, metasprite.height)));
    draw->AddText(ImVec2(p.x + 60, p.y + 26 - ImGui::GetFontSize() / 2), IM_COL32(255, 220, 120, 255),
                  metasprite.name);
  }
  ImGui::PopID();
}
}  // namespace

void DrawPlacements(ImVec2 origin) {
  const ImVec2 s = At(origin, kScreenOrigin.x, kScreenOrigin.y);
  ImDrawList* draw = ImGui::GetWindowDrawList();
  NameTable& table = CurrentNameTable();
  if (table.mode == ScreenMode::Text) return;  // the chip shows no sprites there; the placements stay
  const int spriteCount = static_cast<int>(sprites().size());
  const SpriteSize size = project.spriteSize;
  const float side = size.ScreenSide() * kSpritePixel;  // 76 for 16 x 16: two cells
  for (int i = 0; i < static_cast<int>(table.placements.size()); ++i) {
    const SpritePlacement& placement = table.placements[i];
    if (placement.spriteIndex < 0 || placement.spriteIndex >= spriteCount) continue;
    const ImVec2 corner(s.x + placement.x, s.y + placement.y);
    if (!tableStudio.chipView)
      DrawSpritePixels(draw, sprites()[placement.spriteIndex], size.side, corner, kSpritePixel * size.Scale());
    draw->AddRect(corner, ImVec2(corner.x + side, corner.y + side), IM_COL32(255, 200, 100, 160), 0, 0, 1);
    HandlePlacementMouse(table, i, s, corner, side);
  }
  // Off, the screen takes sprites only while one is dragged there, and a drop turns SPRITES on.
  const ImGuiPayload* dragged = ImGui::GetDragDropPayload();
  const bool spriteDragged =
      dragged && (dragged->IsDataType(kTablePayloadSprite) || dragged->IsDataType(kTablePayloadMetasprite));
  if (!tableStudio.spritesMode && !spriteDragged) return;
  ImGui::SetCursorScreenPos(s);
  ImGui::InvisibleButton("##spritePlacementZone", ImVec2(kScreenWidth, kScreenHeight));
  if (ImGui::IsItemActivated() && tableStudio.draggedPlacement == -1 && tableStudio.tool != ScreenTool::Select &&
      tableStudio.tool != ScreenTool::Pick)
    ShowNotice("SPRITES is on: the mouse places and moves sprites. Turn SPRITES off to paint.");
  bool dropped = false;
  if (int sprite; TakeDropPayload(kTablePayloadSprite, &sprite, sizeof sprite)) {
    dropped = true;
    const ImVec2 mouse = ImGui::GetIO().MousePos;
    AddPlacement(CurrentNameTable(), sprite, mouse.x - s.x, mouse.y - s.y);
    NameNextEdit("sprite placement");
  }
  if (int metasprite; TakeDropPayload(kTablePayloadMetasprite, &metasprite, sizeof metasprite) &&
                      metasprite >= 0 && metasprite < static_cast<int>(project.metasprites.size())) {
    dropped = true;
    const ImVec2 mouse = ImGui::GetIO().MousePos;
    AddMetaspritePlacements(CurrentNameTable(), project.metasprites[metasprite], project.spriteSize, mouse.x - s.x,
                            mouse.y - s.y);
    NameNextEdit("metasprite placement");
  }
  if (dropped && !tableStudio.spritesMode) ToggleSpritesMode(tableStudio);
}

bool DrawTableSpriteList(ImVec2 origin) {
  TableStudioState& state = tableStudio;
  ImGui::SetCursorScreenPos(At(origin, 160, 650));
  ImGui::BeginGroup();
  const std::size_t count = sprites().size();
  if (count == 0) {
    ImGui::TextUnformatted("No sprites available");
    ImGui::EndGroup();
    return false;
  }
  SyncSpriteMarks(state, count);
  const int markedRows = CountSpriteMarks(state, count);
  ImGui::TextUnformatted("Sprite Names");
  if (ImGui::BeginChild("SpriteListChild", ImVec2(240, 282), ImGuiChildFlags_Borders)) {
    if (ImGui::BeginListBox("##SpriteNameList", ImVec2(-FLT_MIN, -FLT_MIN))) {
      for (int k = 0; k < static_cast<int>(std::min<std::size_t>(count, kListedSprites)); ++k)
        DrawSpriteRow(state, k, markedRows);
      for (int m = 0; m < static_cast<int>(project.metasprites.size()); ++m) DrawMetaspriteRow(m);
      ImGui::EndListBox();
    }
  }
  ImGui::EndChild();
  ImGui::EndGroup();
  return true;
}
