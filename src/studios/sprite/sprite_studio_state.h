#pragma once
// The Sprite Studio's own state: the selected sprite, the canvas colours and
// toggles, and the animation playback. Not part of the project: never saved, and
// kept through New and Load.

#include <cstdint>

#include "model/project.h"
#include "widgets/stroke.h"

constexpr int kMaxSpritesByAdd = 256;

struct SpriteStudioState {
  int32_t selectedSprite = 0;    // index into sprites()
  int32_t currentColour = 0;     // palette index set pixels show in on the canvas
  int32_t canvasBackground = 1;  // palette index clear pixels show in (display only)
  bool showGrid = true;
  bool showBoundary = true;  // the centre cross
  Stroke stroke;             // the paint stroke held on the canvas
  // The metasprite editor: the metasprite painted, its colour, its stroke.
  int32_t currentMetasprite = -1;  // index into the project's metasprites; -1 while there is none
  int32_t metaspriteColour = 15;
  Stroke metaspriteStroke;
};

// Playback of the project's animation strips.
struct SpriteAnimationState {
  bool animationPlaying = false;
  int32_t animationFrame = 0;  // cell column shown, 0-7
  float animationTimer = 0;    // seconds since the last frame step
};

extern SpriteStudioState spriteStudio;
extern SpriteAnimationState spriteAnimation;
