#pragma once

// One frame of the "Sprite Studio" tab: colour picker, 16x16 canvas with its
// edit buttons, animation bench with preview, and the sprite list.
void DrawSpriteStudio();
