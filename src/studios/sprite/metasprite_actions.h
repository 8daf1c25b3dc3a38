#pragma once
// Commands on the project's metasprites: the list, their size, and painting
// one picture whose parts the editor keeps.

#include <string>

#include "model/metasprite_picture.h"
#include "studios/sprite/sprite_studio_state.h"

// Brings currentMetasprite back into the list (New, Load or undo may have shortened it).
void KeepCurrentMetaspriteInRange(SpriteStudioState& state, const Project& data);
// Appends a 32 x 32 "Metasprite <count + 1>" and makes it current; the result line.
std::string AddMetasprite(SpriteStudioState& state, Project& data);
// Removes the current metasprite; its sprites stay in the sprite list. The result line ("" = nothing done).
std::string DeleteMetasprite(SpriteStudioState& state, Project& data);
// Pixel (x, y) of the current metasprite takes `colour` (0 erases); false,
// with the reason in `error`, when its sprites would pass 256.
bool PaintMetasprite(SpriteStudioState& state, Project& data, int x, int y, int colour, std::string& error);
// The picture becomes width x height (up to 64, in steps of the sprite size); what falls outside goes.
bool ResizeMetasprite(SpriteStudioState& state, Project& data, int width, int height, std::string& error);
// The whole picture moved as the sprite edits move one sprite: mirrored,
// turned a quarter (a square picture only), or shifted a pixel with what
// leaves one edge coming in at the other.
enum class MetaspriteMove {
  FlipHorizontal,
  FlipVertical,
  RotateClockwise,
  RotateCounterClockwise,
  Left,
  Right,
  Up,
  Down
};
bool MoveMetaspritePicture(SpriteStudioState& state, Project& data, MetaspriteMove move, std::string& error);

// Parts of the current metasprite whose sprite another metasprite also draws from.
int SharedParts(const SpriteStudioState& state, const Project& data);
