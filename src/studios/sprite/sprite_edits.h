#pragma once
// Whole-picture edits of one sprite: shifts, flips and rotations of its
// top-left `side` x `side` (the project's sprite size; the rest of the record
// stays). Name and colour are never touched; set pixels are stored as 1.

#include "model/project.h"

// One pixel, without wrap-around: what leaves the grid is lost, the vacated line is cleared.
void ShiftSpriteUp(Sprite& sprite, int side);
void ShiftSpriteDown(Sprite& sprite, int side);
void ShiftSpriteLeft(Sprite& sprite, int side);
void ShiftSpriteRight(Sprite& sprite, int side);

void FlipSpriteHorizontal(Sprite& sprite, int side);
void FlipSpriteVertical(Sprite& sprite, int side);
// Clockwise as seen on screen, where rows grow downward.
void RotateSpriteClockwise90(Sprite& sprite, int side);
void RotateSpriteCounterClockwise90(Sprite& sprite, int side);
void RotateSprite180(Sprite& sprite, int side);
// Set pixels are mapped forward about the middle and rounded; holes and
// pixels that leave the grid are the price of 45 degrees.
void RotateSprite45(Sprite& sprite, int side, bool clockwise);
void ClearSpritePixels(Sprite& sprite);
