#pragma once
// Whole-picture edits of one sprite: shifts, flips and rotations. Name and
// colour are never touched.

#include "model/project.h"

// One pixel, without wrap-around: what leaves the grid is lost, the vacated line is cleared.
void ShiftSpriteUp(Sprite& sprite);
void ShiftSpriteDown(Sprite& sprite);
void ShiftSpriteLeft(Sprite& sprite);
void ShiftSpriteRight(Sprite& sprite);

void FlipSpriteHorizontal(Sprite& sprite);
void FlipSpriteVertical(Sprite& sprite);
// Clockwise as seen on screen, where rows grow downward.
void RotateSpriteClockwise90(Sprite& sprite);
void RotateSpriteCounterClockwise90(Sprite& sprite);
void RotateSprite180(Sprite& sprite);
// Set pixels are mapped forward about (7.5, 7.5) and rounded; holes and
// pixels that leave the grid are the price of 45 degrees.
void RotateSprite45(Sprite& sprite, bool clockwise);
void ClearSpritePixels(Sprite& sprite);
