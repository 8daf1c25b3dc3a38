// Maps made and set up by name, as a build script makes them: the map drawn
// as a screen is the screen it was cut from, it plays, and whatever cannot be
// done is refused with the reason and the project as it was.
#include "export/map_setup.h"

#include <gtest/gtest.h>

#include <functional>

#include "chip/chip_render.h"
#include "chip/map_walk.h"
#include "model/map_screens.h"
#include "storage/project_file.h"
#include "support/project_fixtures.h"

namespace {
// A screen of 40 different tiles in repeating blocks, a wall of tile 40 along
// the bottom, and a sprite and a metasprite to walk as.
Project LevelProject() {
  Project data = DefaultProject();
  for (int tile = 0; tile <= 40; ++tile) FillTile(data.tileSets[0], tile, tile * 13);
  NameTable& screen = data.nameTables[0];
  SetName(screen.name, "Level");
  for (int c = 0; c < kTableCells; ++c) screen.cells[c] = c >= 22 * 32 ? 40 : c % 11 == 0 ? EmptyCell : c % 40;
  data.sprites[0].pixels[2][2] = 1;
  SetName(data.sprites[0].name, "hero");
  data.metasprites.push_back(Metasprite{"blank", 16, 16, {}, {}});
  return data;
}

ScreenLook Look() { return ScreenLook{}; }
}  // namespace

TEST(MapSetup, AScreenBecomesAMapThatDrawsItAndPlays) {
  Project data = LevelProject();
  std::string message;
  for (int size : {1, 2, 4}) {
    Project made = data;
    ASSERT_TRUE(MakeMapFromScreen(made, "Level", size, "", message)) << message;
    const Map& map = made.maps.back();
    EXPECT_EQ(map.width * size * 1000 + map.height * size, 32024) << size;
    NameTable drawn;
    ScreenFromMap(map, 0, 0, drawn);
    EXPECT_EQ(RenderScreen(drawn, made.tileSets, {}, made.spriteSize, Look()).pixels,
              RenderScreen(data.nameTables[0], data.tileSets, {}, data.spriteSize, Look()).pixels)
        << "metatiles of " << size;
  }
  ASSERT_TRUE(MakeMapFromScreen(data, "Level", 2, "Cave", message)) << message;
  ASSERT_TRUE(MarkSolid(data, "Cave", "tiles:40", message)) << message;
  EXPECT_EQ(message, "map Cave: 1 metatile solid") << "the wall's";
  ASSERT_TRUE(SetWalker(data, "Cave", "hero", message)) << message;
  EXPECT_EQ(data.maps[0].play.walkStrip, 0);
  EXPECT_TRUE(SetWalker(data, "Cave", "hero", message) && data.strips.cells[1][0] < 0) << "the same strip again";
  ASSERT_TRUE(SetWalkStart(data, "Cave", 8, 8, message)) << message;
  ASSERT_TRUE(SetWalkSpeed(data, "Cave", 3, message)) << message;
  const WalkWorld world = MakeWalkWorld(data, 0, 0, 0);
  EXPECT_EQ(world.error, "");
  EXPECT_EQ(world.startX * 1000 + world.startY * 10 + world.speed, 8083);
}

TEST(MapSetup, WhatCannotBeDoneIsRefusedWithTheReasonAndChangesNothing) {
  Project data = LevelProject();
  std::string message;
  ASSERT_TRUE(MakeMapFromScreen(data, "Level", 2, "Cave", message) && MarkSolid(data, "Cave", "tiles:40", message));
  Project crowded = data;
  for (int strip = 0; strip < kStrips; ++strip)
    crowded.strips.cells[strip][0] = 0, crowded.strips.metasprite[strip][0] = true;
  const std::pair<std::function<bool(Project&)>, const char*> cases[] = {
      {[&](Project& p) { return MakeMapFromScreen(p, "Nowhere", 2, "", message); }, "no screen named \"Nowhere\""},
      {[&](Project& p) { return MakeMapFromScreen(p, "Level", 3, "", message); }, "1, 2 or 4 tiles across, not 3"},
      {[&](Project& p) { return MakeMapFromScreen(p, "Level", 2, "Cave", message); }, "\"Cave\" is there already"},
      {[&](Project& p) { return MarkSolid(p, "Nowhere", "1", message); }, "no map named \"Nowhere\""},
      {[&](Project& p) { return MarkSolid(p, "Cave", "3,x", message); }, "not a list such as 3,7-9"},
      {[&](Project& p) { return MarkSolid(p, "Cave", "9-2", message); }, "not a list"},
      {[&](Project& p) { return MarkSolid(p, "Cave", "0-999", message); }, "of metatiles from 0 to"},
      {[&](Project& p) { return MarkSolid(p, "Cave", "tiles:200", message); }, "no metatile of Cave holds tiles 200"},
      {[&](Project& p) { return SetWalker(p, "Cave", "strip 3", message); }, "animation strip 3 is empty"},
      {[&](Project& p) { return SetWalker(p, "Cave", "blank", message); }, "metasprite blank has no pixels"},
      {[&](Project& p) { return SetWalker(p, "Cave", "nobody", message); }, "is no strip (strip 1 to strip 4)"},
      {[&](Project& p) { return SetWalker(p = crowded, "Cave", "hero", message); }, "every animation strip is in use"},
      {[&](Project& p) { return SetWalkStart(p, "Cave", 256, 0, message); }, "256,0 is off the 256 x 192-pixel map"},
      {[&](Project& p) { return SetWalkStart(p, "Cave", 0, 170, message); }, "is on a solid metatile"},
      {[&](Project& p) { return SetWalkSpeed(p, "Cave", 9, message); }, "1 to 8 pixels a frame"},
  };
  const std::string before = SerializeProject(data);
  for (const auto& [action, reason] : cases) {
    Project tried = data;
    EXPECT_FALSE(action(tried)) << reason;
    EXPECT_NE(message.find(reason), std::string::npos) << message;
    if (std::string(reason) != "every animation strip is in use") EXPECT_EQ(SerializeProject(tried), before) << reason;
  }
}
