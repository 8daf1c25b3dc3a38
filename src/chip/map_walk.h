#pragma once
// A walk through a map as the Play Map cartridge plays it, frame by frame: the
// walker and its animation, the solid metatiles it stops at, and the view that
// scrolls by whole tiles. The cartridge's engine runs these same rules on the
// machine, so what this predicts for a run of inputs is what the chip shows.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "model/project.h"

// The view scrolls a tile when the walker comes this close to the screen's edge.
constexpr int kWalkMarginX = 64, kWalkMarginY = 48;
constexpr int kMaxWalkMapSide = 256;  // cells across and down: a cell column or row is one byte
constexpr int kMaxWalkParts = 32;     // sprites a frame: the chip's sprite planes
constexpr int kWalkFramesPerSecond = 60;
// The machine's frames each strip frame shows, at least one.
int WalkFrameTicks(const AnimationStrips& strips);

// Directions held, as the engine keeps them.
enum WalkKeys : uint8_t { kWalkUp = 1, kWalkDown = 2, kWalkLeft = 4, kWalkRight = 8 };

struct WalkPart {
  uint8_t x, y;  // from the walker's top-left corner, in screen pixels
  uint8_t pattern, colour;
};

// What a map's walk needs, taken from the project once.
struct WalkWorld {
  const Map* map = nullptr;
  int shift = 0;                              // map pixels to cells: 3 + log2 of the metatile size
  int tilesWide = 0, tilesHigh = 0;           // the map in tiles
  std::vector<std::vector<WalkPart>> frames;  // the walk cycle, at least one frame
  int boxWidth = 0, boxHeight = 0;            // the walker: every frame's sprites fit in it
  int frameTicks = 1;                         // frames of the machine a walk frame shows while moving
  int speed = 1;
  int startX = 0, startY = 0;       // the walker's top-left corner, map pixels
  int viewColumn = 0, viewRow = 0;  // the first view's top-left tile
  std::string error;                // why the map cannot be played; the rest is then unset
};

// The world of map `index`, its first view the screen frame's position (in
// tiles) when the walker starts inside it, else centred on the walker.
WalkWorld MakeWalkWorld(const Project& data, std::size_t index, int frameColumn, int frameRow);

struct WalkState {
  int x = 0, y = 0;                 // the walker's top-left corner, map pixels
  int viewColumn = 0, viewRow = 0;  // the view's top-left tile
  int frame = 0, tick = 0;          // the walk frame shown and the machine frames it has been shown while moving
};
WalkState StartWalk(const WalkWorld& world);
// One frame of the machine with `keys` held.
void StepWalk(const WalkWorld& world, WalkState& state, uint8_t keys);
bool SolidAt(const WalkWorld& world, int x, int y);  // the map pixel is in a solid metatile

// The 32 x 24 names of the view whose top-left tile is given.
std::array<uint8_t, kTableCells> WindowNames(const WalkWorld& world, int viewColumn, int viewRow);
// The sprite attribute table the engine writes: the frame's parts at the
// walker's place on the screen, then 208.
std::vector<uint8_t> WalkerAttributes(const WalkWorld& world, const WalkState& state);

struct WalkInput {
  uint8_t keys;
  int frames;
};
struct WalkOutcome {
  WalkState state;
  std::array<uint8_t, kTableCells> names;
  std::vector<uint8_t> attributes;
};
// The screen after the inputs, each held for its frames, from the start.
WalkOutcome PredictWalk(const WalkWorld& world, const std::vector<WalkInput>& inputs);
