#include "chip/map_walk.h"

#include <gtest/gtest.h>

#include <functional>

#include "app/shell/project_commands.h"
#include "export/play_cartridge.h"
#include "support/project_fixtures.h"

namespace {
Map& WalkMap() { return project.maps[0]; }
void Resize(int width, int height) {
  WalkMap().width = width, WalkMap().height = height;
  WalkMap().cells.assign(static_cast<std::size_t>(width) * height, 0);
}
}  // namespace

TEST(MapWalk, WhatCannotBePlayedIsRefusedWithItsReasonAndNoCartridge) {
  const struct {
    const char* what;
    std::function<void()> spoil;
    const char* says;
  } cases[] = {
      {"no sprite", [] { sprites().clear(), WalkMap().play.walkStrip = -1; }, "no sprite to walk with"},
      {"an empty strip", [] { WalkMap().play.walkStrip = 3; }, "animation strip 4 has no frame"},
      {"too wide", [] { Resize(257, 20); }, "is 257 x 20 cells: a map plays up to 256 x 256"},
      {"smaller than a screen", [] { Resize(15, 40); }, "is 30 x 80 tiles, smaller than the 32 x 24"},
      {"a start in a wall", [] { WalkMap().play.startX = 60 * 8 - 8, WalkMap().play.startY = 0; },
       "(472, 0) is on a solid metatile"},
      {"a start off the map", [] { WalkMap().play.startY = 60 * 8 - 8; }, "is off the map"},
      {"33 sprites a frame", [] { project.metasprites[0].parts.resize(33); }, "33 sprites, more than the 32"},
      {"a sprite past the pattern table", [] { sprites().resize(70), project.strips.cells[0][0] = 64; },
       "is past the 64 the sprite pattern table holds"},
      {"no tile set", [] { tileSets.clear(); }, "no tile set to draw the map with"},
      {"a blank walker", [] { WalkMap().play.walkStrip = -1, sprites()[0] = Sprite{}; }, "the walker has no pixels"},
  };
  for (const auto& [what, spoil, says] : cases) {
    MakeWalkProject(2);
    spoil();
    const Cartridge cartridge = BuildPlayCartridge(project, 0, Machine::Msx1, 0, 0);
    EXPECT_EQ(cartridge.bytes, "") << what;
    EXPECT_NE(cartridge.error.find(says), std::string::npos) << what << ": " << cartridge.error;
  }
  // A map page too large: the SG-1000 has no megaROM for it.
  MakeWalkProject(2, true);
  EXPECT_EQ(BuildPlayCartridge(project, 0, Machine::Sg1000, 0, 0).error,
            "\"Held out\" needs 18130 bytes of map data, more than the 16384 a map page holds (the MSX1's megaROM "
            "holds more)");
  EXPECT_EQ(BuildPlayCartridge(project, 0, Machine::Msx1, 0, 0).bytes.size(), 0x10000u) << "a megaROM";
}

// The walk project: 80 x 60 tiles, the walker 32 x 16 at 2 pixels a frame
// from the first screen's middle, a wall from tile column 60, another along row 30.
TEST(MapWalk, TheWalkerStopsAtWallsAndEdgesAndTheViewFollowsIt) {
  MakeWalkProject(2);
  const WalkWorld world = MakeWalkWorld(project, 0, 0, 0);
  ASSERT_EQ(world.error, "");
  EXPECT_EQ(world.boxWidth, 32);
  EXPECT_EQ(world.boxHeight, 16);
  EXPECT_EQ(world.startX, 112);
  EXPECT_EQ(world.startY, 88);
  EXPECT_EQ(world.frameTicks, 9);
  const struct {
    std::vector<WalkInput> inputs;
    int x, y, column, row, frame;
  } walks[] = {
      {{{kWalkRight, 10}}, 132, 88, 0, 0, 1},              // 2 pixels a frame; a frame each 9
      {{{kWalkRight | kWalkLeft, 10}}, 112, 88, 0, 0, 0},  // both ways: no way
      {{{kWalkRight, 300}}, 480 - 32, 88, 36, 0, 0},       // against the wall, 64 pixels from the screen's edge
      {{{kWalkDown, 300}}, 112, 240 - 16, 0, 12, 1},       // on the other wall, 48 from the edge
      {{{kWalkRight, 300}, {kWalkDown, 300}}, 448, 464, 36, 36, 1},  // down the wall's far side; the view at the foot
      {{{kWalkLeft | kWalkUp, 300}}, 0, 0, 0, 0, 0},                 // into the corner
  };
  for (const auto& [inputs, x, y, column, row, frame] : walks) {
    const WalkOutcome outcome = PredictWalk(world, inputs);
    EXPECT_EQ(outcome.state.x, x) << x;
    EXPECT_EQ(outcome.state.y, y) << x;
    EXPECT_EQ(outcome.state.viewColumn, column) << x;
    EXPECT_EQ(outcome.state.viewRow, row) << x;
    EXPECT_EQ(outcome.state.frame, frame) << x;
  }
  // The second frame's two sprites, a line above the walker's place on the screen.
  const WalkOutcome second = PredictWalk(world, {{kWalkRight, 9}});
  EXPECT_EQ(second.attributes, (std::vector<uint8_t>{87, 130, 4, 4, 87, 146, 8, 6, 208}));
  EXPECT_EQ(second.names[0], WalkMap().Tile(WalkMap().At(0, 0), 0, 0));
}
