#include "studios/sprite/sprite_animation.h"

#include <utility>

SpriteAnimationState::SpriteAnimationState() {
  for (int s = 0; s < kStrips; ++s)
    for (int f = 0; f < kStripCells; ++f) {
      stripCells[s][f] = -1;
      stripActive[s][f] = false;
    }
}

namespace {
bool ColumnHasActiveCell(const SpriteAnimationState& animation, int column) {
  for (int s = 0; s < kStrips; ++s)
    if (animation.stripActive[s][column]) return true;
  return false;
}
}  // namespace

void ClearInactiveCells(SpriteAnimationState& animation) {
  for (int s = 0; s < kStrips; ++s)
    for (int f = 0; f < kStripCells; ++f)
      if (!animation.stripActive[s][f]) animation.stripCells[s][f] = -1;
}

void SwapStripCells(SpriteAnimationState& animation, int strip, int cell, int otherStrip, int otherCell) {
  if (otherStrip < 0 || otherStrip >= kStrips || otherCell < 0 || otherCell >= kStripCells) return;
  std::swap(animation.stripCells[strip][cell], animation.stripCells[otherStrip][otherCell]);
  std::swap(animation.stripActive[strip][cell], animation.stripActive[otherStrip][otherCell]);
}

void StepAnimation(SpriteAnimationState& animation, float elapsedSeconds) {
  if (!animation.animationPlaying) return;
  animation.animationTimer += elapsedSeconds;
  if (animation.animationTimer < animation.frameSeconds) return;
  animation.animationTimer = 0;
  for (int k = 1; k <= kStripCells; ++k) {
    const int column = (animation.animationFrame + k) % kStripCells;
    if (ColumnHasActiveCell(animation, column)) {
      animation.animationFrame = column;
      return;
    }
  }
  animation.animationPlaying = false;
}
