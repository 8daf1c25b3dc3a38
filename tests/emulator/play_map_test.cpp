// The Play Map cartridge on the machine: a scripted walk ends where the
// editor's prediction says, no frame shows a half-drawn screen and none is
// skipped while the view scrolls.
#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <thread>

#include "app/emulator/emulator_session.h"
#include "app/shell/project_commands.h"
#include "export/play_cartridge.h"
#include "support/openmsx_probe.h"
#include "support/project_fixtures.h"
#include "support/temp_dir.h"

namespace {
constexpr int kBootMs = 60000;
constexpr int kLegFrames = 300;  // longer than any leg takes to end against a wall or an edge

// 80 x 60 tiles of metatiles `size` tiles across: six plain ones in a
// pattern no two views share, a wall at tile column 60 down to row 41 and one
// along tile row 30 up to column 51.
void MakeWalkProject(int size) {
  MakeMachineProject();
  Map map = DefaultMap();
  std::snprintf(map.name, sizeof map.name, "Held out");
  map.metatileSize = size;
  map.metatiles.resize(8);
  for (int m = 0; m < 8; ++m)
    for (int t = 0; t < size * size; ++t) map.metatiles[m].tiles[t] = static_cast<uint8_t>(m * 16 + t + 1);
  map.metatiles[6].solid = map.metatiles[7].solid = true;
  map.width = 80 / size, map.height = 60 / size;
  map.cells.resize(map.width * map.height);
  for (int row = 0; row < map.height; ++row)
    for (int column = 0; column < map.width; ++column)
      map.At(column, row) = static_cast<uint8_t>((column * column + row * 7 + column * row) % 6);
  for (int row = 0; row <= 41 / size; ++row) map.At(60 / size, row) = 6;
  for (int column = 0; column <= 51 / size; ++column) map.At(column, 30 / size) = 7;
  map.play.speed = 2;
  map.play.walkStrip = 0;
  project.maps = {map};
  // The walk: a sprite, then a metasprite of two sprites side by side.
  project.metasprites.resize(1);
  project.metasprites[0].width = 32, project.metasprites[0].height = 16;
  project.metasprites[0].parts = {{1, 0, 0}, {2, 16, 0}};
  project.strips.cells[0][0] = 0;
  project.strips.cells[0][1] = 0, project.strips.metasprite[0][1] = true;
}

class PlayMap : public ::testing::TestWithParam<std::tuple<Machine, int>> {
 protected:
  void SetUp() override { MakeWalkProject(std::get<1>(GetParam())); }
  Machine machine() const { return std::get<0>(GetParam()); }
  void TearDown() override { StopOpenMsx(link); }

  void Boot() {
    const Cartridge cartridge = BuildPlayCartridge(project, 0, machine(), 0, 0);
    ASSERT_EQ(cartridge.error, "");
    WriteFile(dir.File("play.rom"), cartridge.bytes);
    std::string error;
    ASSERT_TRUE(StartOpenMsx(link, dir.File("play.rom"), machine(), error)) << error;
    ASSERT_TRUE(Ask("set throttle off"));
    ASSERT_TRUE(WaitForScreens(link, 1, kBootMs)) << "the engine never started";
  }

  bool Ask(const std::string& tcl) { return AskTcl(link, tcl, reply, 10000) && reply.ok; }
  int Word(uint16_t address) {
    Ask("expr {[debug read memory " + std::to_string(address) + "] + 256 * [debug read memory " +
        std::to_string(address + 1) + "]}");
    return std::stoi(reply.text);
  }
  // The engine's frames and the chip's, read at one moment.
  std::pair<int, int> Frames() {
    Ask("expr {[debug read memory " + std::to_string(kPlayFrames) + "] + 256 * [debug read memory " +
        std::to_string(kPlayFrames + 1) + "]}");
    const int engine = std::stoi(reply.text);
    Ask("machine_info VDP_frame_count");
    return {engine, std::stoi(reply.text)};
  }
  void Hold(int matrixBits, int frames) {
    const int start = Frames().first;
    ASSERT_TRUE(Ask("keymatrixdown 8 " + std::to_string(matrixBits)));
    while (Frames().first < start + frames) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    ASSERT_TRUE(Ask("keymatrixup 8 " + std::to_string(matrixBits)));
  }
  std::string ShownNames() {
    Ask("binary encode hex [debug read_block VRAM [expr {([vdpreg 2] & 15) * 0x400}] 768]");
    return BytesFromHex(reply.text);
  }

  TempDir dir;
  OpenMsxLink link;
  TclReply reply;
};

std::string AsString(const std::array<uint8_t, kTableCells>& names) { return std::string(names.begin(), names.end()); }
}  // namespace

TEST_P(PlayMap, AScriptedWalkEndsAsPredictedWithNoTornOrSkippedFrame) {
  const WalkWorld world = MakeWalkWorld(project, 0, 0, 0);
  ASSERT_EQ(world.error, "");
  Boot();
  const WalkState start = StartWalk(world);
  EXPECT_EQ(ShownNames(), AsString(WindowNames(world, start.viewColumn, start.viewRow)));
  const std::vector<uint8_t> first = WalkerAttributes(world, start);
  Ask("binary encode hex [debug read_block VRAM 0x1B00 " + std::to_string(first.size()) + "]");
  EXPECT_EQ(BytesFromHex(reply.text), std::string(first.begin(), first.end()));
  if (machine() == Machine::Sg1000) return;  // openMSX has no way to press the SG-1000's pad from here

  // Every view of the map, to tell a whole one from a torn one.
  std::map<std::string, std::pair<int, int>> views;
  for (int row = 0; row <= world.tilesHigh - kTableRows; ++row)
    for (int column = 0; column <= world.tilesWide - kTableColumns; ++column)
      views.emplace(AsString(WindowNames(world, column, row)), std::pair{column, row});
  ASSERT_TRUE(
      Ask("set ::seen {}; set ::watching 1; proc watch {} {if {$::watching} {lappend ::seen [binary encode "
          "hex [debug read_block VRAM [expr {([vdpreg 2] & 15) * 0x400}] 768]]; after frame watch}}; "
          "after frame watch"));

  // Right into the wall, down to the map's foot, left to its edge, up under the other wall.
  const int keys[] = {kWalkRight, kWalkDown, kWalkLeft, kWalkUp}, matrix[] = {0x80, 0x40, 0x10, 0x20};
  std::vector<WalkInput> inputs;
  const auto [engineBefore, chipBefore] = Frames();
  for (int leg = 0; leg < 4; ++leg) {
    Hold(matrix[leg], kLegFrames);
    inputs.push_back({static_cast<uint8_t>(keys[leg]), kLegFrames});
  }
  const auto [engineAfter, chipAfter] = Frames();
  EXPECT_NEAR(engineAfter - engineBefore, chipAfter - chipBefore, 1) << "the engine skipped frames";

  const WalkOutcome predicted = PredictWalk(world, inputs);
  EXPECT_EQ(Word(kPlayWalker), predicted.state.x);
  EXPECT_EQ(Word(kPlayWalker + 2), predicted.state.y);
  EXPECT_EQ(ShownNames(), AsString(predicted.names));
  Ask("binary encode hex [debug read_block VRAM 0x1B00 " + std::to_string(predicted.attributes.size()) + "]");
  EXPECT_EQ(BytesFromHex(reply.text), std::string(predicted.attributes.begin(), predicted.attributes.end()));
  EXPECT_EQ(predicted.state.x, 0);
  EXPECT_EQ(predicted.state.y, (30 / std::get<1>(GetParam()) + 1) * 8 * std::get<1>(GetParam()))
      << "the walk was meant to end under the row-30 wall";

  ASSERT_TRUE(Ask("set ::watching 0; join $::seen { }"));
  std::size_t torn = 0, frames = 0;
  std::map<std::pair<int, int>, int> shown;
  for (std::size_t at = 0; at + 2 * kTableCells <= reply.text.size(); at += 2 * kTableCells + 1, ++frames) {
    const auto found = views.find(BytesFromHex(reply.text.substr(at, 2 * kTableCells)));
    if (found == views.end())
      ++torn;
    else
      ++shown[found->second];
  }
  EXPECT_GT(frames, 4u * kLegFrames) << "a frame's screen was read each frame";
  EXPECT_EQ(torn, 0u) << "of " << frames << " frames";
  EXPECT_GT(shown.size(), 40u) << "the view scrolled";
}

INSTANTIATE_TEST_SUITE_P(MachinesAndMetatileSizes, PlayMap,
                         ::testing::Values(std::tuple{Machine::Msx1, 1}, std::tuple{Machine::Msx1, 2},
                                           std::tuple{Machine::Msx1, 4}, std::tuple{Machine::Sg1000, 2}),
                         [](const auto& info) {
                           return std::string(kMachineNames[int(std::get<0>(info.param))]) + "_" +
                                  std::to_string(std::get<1>(info.param));
                         });
