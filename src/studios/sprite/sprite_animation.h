#pragma once
// The animation bench: the project's four strips of eight cells holding sprite
// indices, and the frame step that plays the columns with active cells.

#include <string>

#include "studios/sprite/sprite_studio_state.h"

// Empties every cell that is not active.
void ClearInactiveCells(AnimationStrips& strips);
// The cell shows sprite `index`, or metasprite `index` when `metasprite`, and is active.
void SetStripCell(AnimationStrips& strips, int strip, int cell, int index, bool metasprite);
// Exchanges what two cells show and their active flags.
void SwapStripCells(AnimationStrips& strips, int strip, int cell, int otherStrip, int otherCell);
// Play or Pause; with no active cell to play, the reason instead.
std::string TogglePlaying(SpriteAnimationState& animation, const AnimationStrips& strips);
constexpr float kMinFrameSeconds = 0.03f, kMaxFrameSeconds = 1.0f;
// A typed-in frame time is brought into the slider's range.
float ClampFrameSeconds(float seconds);
// Advances by `elapsedSeconds` while playing: after frameSeconds the next
// column with an active cell is shown (the excess time is dropped); with no
// active cell anywhere, playing stops.
void StepAnimation(SpriteAnimationState& animation, const AnimationStrips& strips, float elapsedSeconds);
