#include "studios/sprite/sprite_animation.h"

#include <cmath>
#include <utility>

namespace {
bool ColumnHasActiveCell(const AnimationStrips& strips, int column) {
  for (int s = 0; s < kStrips; ++s)
    if (strips.active[s][column]) return true;
  return false;
}
}  // namespace

void ClearInactiveCells(AnimationStrips& strips) {
  for (int s = 0; s < kStrips; ++s)
    for (int f = 0; f < kStripCells; ++f)
      if (!strips.active[s][f]) {
        strips.cells[s][f] = -1;
        strips.metasprite[s][f] = false;
      }
}

void SetStripCell(AnimationStrips& strips, int strip, int cell, int index, bool metasprite) {
  strips.cells[strip][cell] = index;
  strips.metasprite[strip][cell] = metasprite;
  strips.active[strip][cell] = true;  // what was dropped in is meant to play
}

std::string TogglePlaying(SpriteAnimationState& animation, const AnimationStrips& strips) {
  bool any = false;
  for (int column = 0; column < kStripCells; ++column) any = any || ColumnHasActiveCell(strips, column);
  if (!animation.animationPlaying && !any)
    return "Nothing to play: drop sprites or metasprites into the cells (a right click turns a cell on or off)";
  animation.animationPlaying = !animation.animationPlaying;
  return "";
}

void SwapStripCells(AnimationStrips& strips, int strip, int cell, int otherStrip, int otherCell) {
  if (otherStrip < 0 || otherStrip >= kStrips || otherCell < 0 || otherCell >= kStripCells) return;
  std::swap(strips.cells[strip][cell], strips.cells[otherStrip][otherCell]);
  std::swap(strips.active[strip][cell], strips.active[otherStrip][otherCell]);
  std::swap(strips.metasprite[strip][cell], strips.metasprite[otherStrip][otherCell]);
}

float ClampFrameSeconds(float seconds) {
  if (!std::isfinite(seconds) || seconds < kMinFrameSeconds) return kMinFrameSeconds;
  return seconds > kMaxFrameSeconds ? kMaxFrameSeconds : seconds;
}

void StepAnimation(SpriteAnimationState& animation, const AnimationStrips& strips, float elapsedSeconds) {
  if (!animation.animationPlaying) return;
  animation.animationTimer += elapsedSeconds;
  if (animation.animationTimer < ClampFrameSeconds(strips.frameSeconds)) return;
  animation.animationTimer = 0;
  for (int k = 1; k <= kStripCells; ++k) {
    const int column = (animation.animationFrame + k) % kStripCells;
    if (ColumnHasActiveCell(strips, column)) {
      animation.animationFrame = column;
      return;
    }
  }
  animation.animationPlaying = false;
}
