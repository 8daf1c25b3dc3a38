// The animation controls, the four strips of cells and the layered preview.
#include <cstdio>

#include "widgets/drag_payload.h"
#include "model/history.h"
#include "widgets/pixel_art.h"
#include "studios/sprite/sprite_animation.h"
#include "studios/sprite/sprite_studio_panels.h"

namespace {
constexpr const char* kStripPayload = "GLOBAL_STRIP_MOVE";
constexpr float kCellSide = 64, kCellPitch = 72, kCellPixel = 3.5f;
constexpr float kPreviewSide = 480, kPreviewPixel = 30;

bool ValidSprite(int index) { return index >= 0 && index < static_cast<int>(sprites().size()); }

void DrawCell(AnimationStrips& strips, int strip, int cell) {
  ImDrawList* draw = ImGui::GetWindowDrawList();
  const ImVec2 p = ImGui::GetCursorScreenPos();
  const ImVec2 far(p.x + kCellSide, p.y + kCellSide);
  int32_t& index = strips.cells[strip][cell];
  draw->AddRectFilled(p, far, IM_COL32(30, 30, 30, 255));
  if (ValidSprite(index)) DrawSpritePixels(draw, sprites()[index], ImVec2(p.x + 4, p.y + 4), kCellPixel);
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
    index = sprite;
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
    animation.animationPlaying = !animation.animationPlaying;
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
  const int frame = animation.animationFrame;
  for (int s = 0; s < kStrips; ++s) {
    const int index = project.strips.cells[s][frame];
    if (project.strips.active[s][frame] && ValidSprite(index))
      DrawSpritePixels(draw, sprites()[index], q, kPreviewPixel);
  }
}
