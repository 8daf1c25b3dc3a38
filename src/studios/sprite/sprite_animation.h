#pragma once
// The animation bench: four strips of eight cells holding sprite indices, and
// the frame step that plays the columns with active cells.

#include "studios/sprite/sprite_studio_state.h"

// Empties every cell that is not active.
void ClearInactiveCells(SpriteAnimationState& animation);
// Exchanges sprite and active flag of two cells.
void SwapStripCells(SpriteAnimationState& animation, int strip, int cell, int otherStrip, int otherCell);
// Advances by `elapsedSeconds` while playing: after frameSeconds the next
// column with an active cell is shown (the excess time is dropped); with no
// active cell anywhere, playing stops.
void StepAnimation(SpriteAnimationState& animation, float elapsedSeconds);
