// The animation controls, the four strips of cells and the layered preview.
#include <algorithm>
#include <cstdio>

#include "model/history.h"
#include "studios/sprite/sprite_animation.h"
#include "studios/sprite/sprite_studio_panels.h"
#include "widgets/drag_payload.h"
#include "widgets/notice.h"
#include "widgets/pixel_art.h"

namespace {
constexpr const char* kStripPayload = "GLOBAL_STRIP_MOVE";
constexpr float kCellSide = 64, kCellPitch = 72, kCellPixel = 3.5f;
constexpr float kPreviewSide = 480;

// The metasprite a cell shows, or none.
const Metasprite* CellMetasprite(const AnimationStrips& strips, int strip, int cell) {
  const int index = strips.cells[strip][cell];
  if (!strips.metasprite[strip][cell] || index < 0 || index >= static_cast<int>(project.metasprites.size()))
    return nullptr;
  return &project.metasprites[index];
}
// The sprite a cell shows, or none.
const Sprite* CellSprite(const AnimationStrips& strips, int strip, int cell) {
  const int index = strips.cells[strip][cell];
  if (strips.metasprite[strip][cell] || index < 0 || index >= static_cast<int>(sprites().size())) return nullptr;
  return &sprites()[index];
}

// A cell's sprite or metasprite with its corner at `corner`, `side` pixels
// across for a sprite; a metasprite is scaled to fit the same square.
void DrawCellPicture(ImDrawList* draw, const AnimationStrips& strips, int strip, int cell, ImVec2 corner, float side) {
  if (const Sprite* sprite = CellSprite(strips, strip, cell))
    DrawSpritePixels(draw, *sprite, project.spriteSize.side, corner, side / project.spriteSize.side);
  else if (const Metasprite* metasprite = CellMetasprite(strips, strip, cell))
    DrawMetaspritePixels(draw, *metasprite, corner, side / std::max(metasprite->width, metasprite->height));
}

void DrawCell(AnimationStrips& strips, int strip, int cell) {
  ImDrawList* draw = ImGui::GetWindowDrawList();
  const ImVec2 p = ImGui::GetCursorScreenPos();
  const ImVec2 far(p.x + kCellSide, p.y + kCellSide);
  draw->AddRectFilled(p, far, IM_COL32(30, 30, 30, 255));
  DrawCellPicture(draw, strips, strip, cell, ImVec2(p.x + 4, p.y + 4), kCellPixel * kSpriteSize);
  if (strips.active[strip][cell]) FrameInside(draw, p, far, IM_COL32(255, 255, 0, 255), 3);

  ImGui::InvisibleButton("##slot", ImVec2(kCellSide, kCellSide));
  if (ImGui::IsItemHovered() && ImGui::IsMouseClicked(ImGuiMouseButton_Right)) {
    strips.active[strip][cell] = !strips.active[strip][cell];
    NameNextEdit("animation cell");
  }
  const int32_t here[2] = {strip, cell};
  OfferDragPayload(kStripPayload, here, sizeof here, "Moving Sprite...");
  if (int32_t other[2]; TakeDropPayload(kStripPayload, other, sizeof other)) {
    SwapStripCells(strips, strip, cell, other[0], other[1]);
    NameNextEdit("animation cell swap");
  }
  if (int32_t sprite; TakeDropPayload(kSpriteRowPayload, &sprite, sizeof sprite)) {
    SetStripCell(strips, strip, cell, sprite, false);
    NameNextEdit("animation cell");
  }
  if (int32_t metasprite; TakeDropPayload(kMetaspriteRowPayload, &metasprite, sizeof metasprite)) {
    SetStripCell(strips, strip, cell, metasprite, true);
    NameNextEdit("animation cell");
  }
}
}  // namespace

void DrawAnimationControls(ImVec2 origin) {
  SpriteAnimationState& animation = spriteAnimation;
  ImGui::SetCursorScreenPos(At(origin, 1270, 500));
  ImGui::BeginGroup();
  if (ImGui::Button("CLEAR CELLS", ImVec2(120, 25))) {
    ClearInactiveCells(project.strips);
    NameNextEdit("CLEAR CELLS");
  }
  ImGui::SetItemTooltip("Empty every animation cell that is not active");
  if (ImGui::Button(animation.animationPlaying ? "Pause" : "Play", ImVec2(120, 25)))
    if (const std::string why = TogglePlaying(animation, project.strips); !why.empty()) ShowNotice(why);
  ImGui::SetItemTooltip("Play or pause the animation of the active cells");
  ImGui::SetNextItemWidth(120);
  float& seconds = project.strips.frameSeconds;
  ImGui::SliderFloat("##speed", &seconds, kMinFrameSeconds, kMaxFrameSeconds, "%.2f s", ImGuiSliderFlags_AlwaysClamp);
  ImGui::SetItemTooltip("Seconds each animation frame is shown");
  seconds = ClampFrameSeconds(seconds);
  if (ImGui::IsItemActive()) NameNextEdit("animation speed");
  ImGui::EndGroup();
}

void DrawAnimationStrips(ImVec2 origin) {
  for (int s = 0; s < kStrips; ++s) {
    ImGui::SetCursorScreenPos(At(origin, 760, 40 + 95.0f * s));
    ImGui::Text("Sprite %d Animation", s + 1);
    for (int f = 0; f < kStripCells; ++f) {
      ImGui::SetCursorScreenPos(At(origin, 760 + kCellPitch * f, 60 + 95.0f * s));
      ImGui::PushID(s * 10000 + f);
      DrawCell(project.strips, s, f);
      ImGui::PopID();
    }
  }
}

void DrawAnimationPreview(ImVec2 origin) {
  const SpriteAnimationState& animation = spriteAnimation;
  ImGui::SetCursorScreenPos(At(origin, 760, 440));
  ImGui::TextUnformatted("Sprite Animation Preview");
  ImDrawList* draw = ImGui::GetWindowDrawList();
  const ImVec2 q = At(origin, 760, 460);
  const ImVec2 far(q.x + kPreviewSide, q.y + kPreviewSide);
  draw->AddRectFilled(q, far, IM_COL32(15, 15, 15, 255));
  FrameInside(draw, q, far, IM_COL32(100, 100, 100, 255), 2);
  // Layers share one scale: the largest metasprite of the frame fills the square.
  const int frame = animation.animationFrame;
  int side = project.spriteSize.side;
  for (int s = 0; s < kStrips; ++s)
    if (const Metasprite* metasprite = CellMetasprite(project.strips, s, frame);
        metasprite && project.strips.active[s][frame])
      side = std::max({side, metasprite->width, metasprite->height});
  const float pixel = kPreviewSide / side;
  for (int s = 0; s < kStrips; ++s) {
    if (!project.strips.active[s][frame]) continue;
    const Metasprite* metasprite = CellMetasprite(project.strips, s, frame);
    const float across = metasprite ? std::max(metasprite->width, metasprite->height) : project.spriteSize.side;
    DrawCellPicture(draw, project.strips, s, frame, q, pixel * across);
  }
}
