// The Play Map cartridge on the machine: a scripted walk ends where the
// editor's prediction says, no frame shows a half-drawn screen and none is
// skipped while the view scrolls.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <thread>

#include "app/emulator/emulator_session.h"
#include "app/shell/project_commands.h"
#include "export/play_cartridge.h"
#include "studios/map/map_studio_state.h"
#include "support/openmsx_probe.h"
#include "support/project_fixtures.h"
#include "support/studio_gui.h"
#include "support/temp_dir.h"

namespace {
constexpr int kBootMs = 60000;
constexpr int kLegFrames = 600;  // longer than any leg takes to end against a wall or an edge

// The machine, the metatile size, and whether the map needs a megaROM.
class PlayMap : public ::testing::TestWithParam<std::tuple<Machine, int, bool>> {
 protected:
  void SetUp() override { MakeWalkProject(std::get<1>(GetParam()), std::get<2>(GetParam())); }
  Machine machine() const { return std::get<0>(GetParam()); }
  void TearDown() override { StopOpenMsx(link); }

  void Boot() {
    const Cartridge cartridge = BuildPlayCartridge(project, 0, machine(), 0, 0);
    ASSERT_EQ(cartridge.error, "");
    ASSERT_EQ(cartridge.bytes.size(), std::get<2>(GetParam()) ? 0x10000u : kCartridgeLimit);
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
  // The engine's frames and the chip's, read at one moment: one command, the machine not running between.
  std::pair<int, int> Frames() {
    Ask("list [expr {[debug read memory " + std::to_string(kPlayFrames) + "] + 256 * [debug read memory " +
        std::to_string(kPlayFrames + 1) + "]}] [machine_info VDP_frame_count]");
    int engine = 0, chip = 0;
    std::sscanf(reply.text.c_str(), "%d %d", &engine, &chip);
    return {engine, chip};
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
  // The view drawn again every frame, as while scrolling: no frame skipped.
  ASSERT_TRUE(Ask("set ::redrawing 1; proc redraw {} {if {$::redrawing} {debug write memory " +
                  std::to_string(kPlayRedraw) + " 1; after frame redraw}}; redraw"));
  const auto [engineFrom, chipFrom] = Frames();
  while (Frames().second < chipFrom + 300) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  const auto [engineTo, chipTo] = Frames();
  EXPECT_NEAR(engineTo - engineFrom, chipTo - chipFrom, 1) << "the engine skipped frames drawing the view";
  ASSERT_TRUE(Ask("set ::redrawing 0"));
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
                         ::testing::Values(std::tuple{Machine::Msx1, 1, false}, std::tuple{Machine::Msx1, 2, false},
                                           std::tuple{Machine::Msx1, 4, false}, std::tuple{Machine::Sg1000, 2, false},
                                           std::tuple{Machine::Msx1, 2, true}),
                         [](const auto& info) {
                           return std::string(kMachineNames[int(std::get<0>(info.param))]) + "_" +
                                  std::to_string(std::get<1>(info.param)) + (std::get<2>(info.param) ? "_mega" : "");
                         });

// A game's world made by a script with no window: ImageMagick draws a walled
// room and two frames, the command line makes the project, the map, its solid
// walls, walker and start, and the cartridge, which walks as predicted.
class ScriptedPlayMap : public PlayMap {
 protected:
  void SetUp() override {
    const std::string tool = TESSELLARY_EXPORT, project = " --into " + dir.File("p.krv");
    const std::string script =
        "cd " + dir.path().string() +
        " && (convert -size 256x192 xc:'#21C842' -fill black -draw 'rectangle 16,16 239,175' room.png"
        " && convert -size 32x16 xc:none -fill '#FFFFFF' -draw 'rectangle 2,2 12,14' -fill '#D4524D'"
        " -draw 'rectangle 18,2 28,14' walk.png && " +
        tool + " --import-png room.png" + project + " && " + tool + " --import-sprites walk.png" + project + " && " +
        tool + project + " --make-map room --map-name Room && " + tool + project +
        " --solid Room:1 --walker 'Room:walk 1' --start Room:40,40 --speed Room:2 && " + tool +
        " p.krv --play-rom script.rom --map Room) > script.log 2>&1";
    ASSERT_EQ(std::system(script.c_str()), 0) << ReadFile(dir.File("script.log"));
    ASSERT_EQ(LoadProject(dir.File("p.krv")), FileResult::Ok);
  }
};

TEST_P(ScriptedPlayMap, AWorldMadeByTheCommandLineWalksAsPredicted) {
  const WalkWorld world = MakeWalkWorld(project, 0, 0, 0);
  ASSERT_EQ(world.error, "");
  const Cartridge cartridge = BuildPlayCartridge(project, 0, machine(), 0, 0);
  ASSERT_TRUE(ReadFile(dir.File("script.rom")) == cartridge.bytes) << "the script's cartridge is Play Map's";
  Boot();
  const std::vector<WalkInput> inputs = {{kWalkRight, 200}, {kWalkDown, 200}};
  Hold(0x80, 200);
  Hold(0x40, 200);
  const WalkOutcome predicted = PredictWalk(world, inputs);
  EXPECT_EQ(Word(kPlayWalker), predicted.state.x);
  EXPECT_EQ(Word(kPlayWalker + 2), predicted.state.y);
  EXPECT_EQ(predicted.state.x + world.boxWidth, 240) << "stopped by the solid wall";
  Ask("binary encode hex [debug read_block VRAM 0x1B00 " + std::to_string(predicted.attributes.size()) + "]");
  EXPECT_EQ(BytesFromHex(reply.text), std::string(predicted.attributes.begin(), predicted.attributes.end()));
}

INSTANTIATE_TEST_SUITE_P(Msx1, ScriptedPlayMap, ::testing::Values(std::tuple{Machine::Msx1, 2, false}));

namespace {
// Play Map from the Map Studio, edits following it on the running game.
class LivePlay : public StudioGui {
 protected:
  void SetUp() override {
    MakeWalkProject(2);
    mapStudio = MapStudioState();
    Open("Map Studio");
    gui.PressKey(ImGuiMod_Shift | ImGuiKey_F5);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kBootMs);
    while (!emulator.loaded && emulator.running && std::chrono::steady_clock::now() < deadline) gui.Frame();
    ASSERT_TRUE(emulator.loaded) << session.errorMessage;
    ASSERT_EQ(emulator.playMap, 0);
    ASSERT_TRUE(emulator.mapPageLive) << "C-BIOS's MSX1 has RAM in page 2 to play the map from";
  }
  void TearDown() override { StopEmulator(emulator); }

  std::string Ask(const std::string& tcl) {
    TclReply reply;
    EXPECT_TRUE(AskTcl(emulator.link, tcl, reply, 5000) && reply.ok) << tcl << ": " << reply.text;
    return reply.text;
  }
  int Word(uint16_t address) {
    return std::stoi(Ask("expr {[debug read memory " + std::to_string(address) + "] + 256 * [debug read memory " +
                         std::to_string(address + 1) + "]}"));
  }

  // What `act` changed shows on the running game within 100 ms: the shown
  // name table is the view the engine says it shows, of the map as edited,
  // and video memory has the tile set's and sprites' tables.
  void ExpectOnTheGame(const char* what, const std::function<void()>& act) {
    const int x = Word(kPlayWalker), y = Word(kPlayWalker + 2);
    act();
    const auto madeAt = std::chrono::steady_clock::now();
    const WalkWorld world = MakeWalkWorld(project, 0, 0, 0);
    const std::vector<VideoBlock> blocks = PlayVideoBlocks(project, world);
    for (;;) {
      gui.Frame();
      const std::string memory = ReadVideoMemory(emulator.link);
      const int page = std::stoi(Ask("expr {[vdpreg 2] & 15}")) * 0x400;
      const auto names = WindowNames(world, Word(kPlayShownView), Word(kPlayShownView + 2));
      bool shown = memory.compare(page, kTableCells, std::string(names.begin(), names.end())) == 0;
      for (const VideoBlock& block : blocks)
        shown = shown && memory.compare(block.address, block.bytes.size(),
                                        std::string(block.bytes.begin(), block.bytes.end())) == 0;
      const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - madeAt).count();
      if (shown) {
        EXPECT_LT(ms, 100) << what;
        break;
      }
      ASSERT_LT(ms, 2000) << what << " never reached the game";
    }
    EXPECT_EQ(Word(kPlayWalker), x) << what << " moved the walker";
    EXPECT_EQ(Word(kPlayWalker + 2), y) << what << " moved the walker";
  }
};
}  // namespace

TEST_F(LivePlay, MapTileAndSpriteEditsReachTheRunningGameWithinATenthOfASecond) {
  ASSERT_NE(project.maps[0].At(3, 2), 0);
  ExpectOnTheGame("a cell painted", [&] { gui.Click(At(262 + 16 * 3 + 8, 64 + 16 * 2 + 8)); });
  EXPECT_EQ(project.maps[0].At(3, 2), 0) << "the brush's metatile 0 was painted";
  ExpectOnTheGame("a metatile changed", [&] { project.maps[0].metatiles[1].tiles[2] = 99, gui.Frame(); });
  ExpectOnTheGame("a tile drawn", [&] { tileSets[0].pixels[5][3][3] ^= 1, gui.Frame(); });
  sprites()[0].colour = 9, gui.Frame();
  const auto recoloured = std::chrono::steady_clock::now() + std::chrono::milliseconds(100);
  while (Ask("debug read VRAM 0x1B03") != "9" && std::chrono::steady_clock::now() < recoloured) gui.Frame();
  EXPECT_EQ(Ask("debug read VRAM 0x1B03"), "9") << "the walker's colour within 100 ms";
}

TEST_F(StudioGui, AMapThatCannotBePlayedIsRefusedWithItsReasonAndNothingStarts) {
  MakeWalkProject(2);
  project.maps[0].play.startX = 60 * 8;  // in the wall
  mapStudio = MapStudioState();
  Open("Map Studio");
  gui.PressKey(ImGuiMod_Shift | ImGuiKey_F5);
  gui.Frame(2);
  EXPECT_FALSE(emulator.running);
  EXPECT_NE(session.errorMessage.find("Could not play Held out:\nthe walker's start (480, 88) is on a solid metatile"),
            std::string::npos)
      << session.errorMessage;
}
