// A game built from the runtime (--runtime) and an export alone, as a game's
// programmer builds one with SDCC: a screen in each of the four modes
// unpacked into video memory, and the walk strip's metasprite moving and
// animating over them (c_cartridge/game.c). At each checkpoint it waits, and
// the screen on openMSX is the chip view of that screen with the strip's
// frame placed there, every pixel, on MSX1 (ZX0) and SG-1000 (Pletter).
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "chip/map_walk.h"
#include "storage/project_file.h"
#include "studios/table/table_placements.h"
#include "support/openmsx_probe.h"
#include "support/project_fixtures.h"
#include "support/temp_dir.h"

namespace {
struct Checkpoint {
  int screen;  // index into the name tables: g2, g1, text, multi
  int x, y;    // the metasprite's top-left corner, screen pixels
};
constexpr Checkpoint kCheckpoints[] = {
    {0, 100, 70},   // in the open
    {0, -12, 30},   // left of the screen: the early clock
    {0, -40, 100},  // parts past the early clock's reach left out
    {1, 236, 178},  // past the right and bottom edges
    {3, 60, -20},   // above the top: Y from 224
    {2, 60, -20},   // Text shows no sprites
};

// The project: the machine project's first screen in each mode, and the walk sheet's strip.
bool MakeGameProject(const TempDir& dir) {
  MakeMachineProject();
  nameTables.resize(1), tileSets.resize(3);
  NameTable& g2 = nameTables[0];
  g2.placements.clear();
  g2.textCells.resize(kTextColumns * kTableRows), g2.blocks.resize(kBlockColumns * kBlockRows);
  for (std::size_t i = 0; i < g2.textCells.size(); ++i) g2.textCells[i] = static_cast<uint8_t>(i * 7 + i / 40);
  for (std::size_t i = 0; i < g2.blocks.size(); ++i) g2.blocks[i] = static_cast<uint8_t>((i * 5 + i / 64) % 16);
  g2.textColour = 11;
  for (const char* name : {"g1", "text", "multi"}) {
    nameTables.push_back(nameTables[0]);
    SetName(nameTables.back().name, name);
  }
  SetName(nameTables[0].name, "g2");
  nameTables[1].mode = ScreenMode::Graphics1, nameTables[2].mode = ScreenMode::Text;
  nameTables[3].mode = ScreenMode::Multicolor;
  return ImportWalkSheet(MadeSpriteSheet(dir), project).ok;
}

// The metasprite strip 1 shows after `steps` frames of the chip, as the runtime steps it.
int StripMetasprite(int steps) {
  std::vector<int> frames;
  for (int cell = 0; cell < kStripCells; ++cell)
    if (project.strips.cells[0][cell] >= 0) frames.push_back(project.strips.cells[0][cell]);
  return frames[(steps / WalkFrameTicks(project.strips)) % frames.size()];
}

class RuntimeGame : public ::testing::TestWithParam<Machine> {
 protected:
  void TearDown() override { StopOpenMsx(link); }
  TempDir dir;
  OpenMsxLink link;
};
}  // namespace

TEST_P(RuntimeGame, ShowsEachModeAndTheMovingMetaspriteAsTheChipViewDoes) {
  SKIP_UNDER_WINDOWS("SDCC and openMSX run on Linux");
  ASSERT_TRUE(MakeGameProject(dir)) << "ImageMagick made no sheet?";
  ASSERT_EQ(SaveProject(dir.File("game.krv")), FileResult::Ok);
  const bool msx = GetParam() == Machine::Msx1;
  std::string checkpoints = "#define CHECKPOINTS {";
  for (const Checkpoint& at : kCheckpoints)
    checkpoints += "{" + std::to_string(at.screen) + "," + std::to_string(at.x) + "," + std::to_string(at.y) + "},";
  WriteFile(dir.File("checkpoints.h"), checkpoints + "}\n");
  const std::string tool = TESSELLARY_EXPORT, machine = msx ? "msx1" : "sg1000";
  const std::string command = "cd " + dir.path().string() + " && " + tool + " game.krv --c gfx.h --compress " +
                              (msx ? "zx0" : "pletter") + " --tables patterns,colours,names,sprites,metasprites && " +
                              tool + " --runtime . --machine " + machine + " && make -f " + C_CARTRIDGE_DIR +
                              "/Makefile PROGRAM=game LINKING=header MACHINE=" + machine +
                              " DEFINES='-DUNPACK=" + (msx ? "unzx0" : "unpletter") +
                              " -DSIGNAL=" + (msx ? "0xE000" : "0xC200") + "' > build.log 2>&1";
  ASSERT_EQ(std::system(command.c_str()), 0) << ReadFile(dir.File("build.log"));

  std::string error;
  ASSERT_TRUE(StartOpenMsx(link, dir.File("game.rom"), GetParam(), error)) << error;
  const std::string signal = msx ? "0xE000" : "0xC200";
  TclReply reply;
  int steps = 0;
  for (std::size_t k = 0; k < std::size(kCheckpoints); ++k) {
    SCOPED_TRACE(k);
    const Checkpoint& at = kCheckpoints[k];
    if (k > 0) steps += std::max(std::abs(at.x - kCheckpoints[k - 1].x), std::abs(at.y - kCheckpoints[k - 1].y));
    ASSERT_TRUE(AskTcl(link, "set throttle off", reply, 5000));
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (AskTcl(link, "debug read memory " + signal, reply, 5000) && reply.text != std::to_string(k + 1) &&
           std::chrono::steady_clock::now() < deadline)
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ASSERT_EQ(reply.text, std::to_string(k + 1)) << "the game never reached the checkpoint";
    ASSERT_TRUE(AskTcl(link, "set throttle on", reply, 5000));
    std::this_thread::sleep_for(std::chrono::milliseconds(150));  // a frame drawn since
    RgbaImage shot;
    ASSERT_TRUE(TakeScreenshot(link, dir.File("shot.png"), shot, error)) << error;
    NameTable expected = nameTables[at.screen];
    AddMetaspritePlacements(expected, project.metasprites[StripMetasprite(steps)], project.spriteSize,
                            at.x * kViewUnitsPerChipPixel, at.y * kViewUnitsPerChipPixel);
    EXPECT_TRUE(
        SamePictureUpToPalette(shot, RenderScreen(expected, tileSets, sprites(), project.spriteSize, ScreenLook::Chip),
                               expected.backdrop, error))
        << error;
    ASSERT_TRUE(AskTcl(link, "debug write memory " + signal + " 0", reply, 5000));  // go on
  }
}

INSTANTIATE_TEST_SUITE_P(Machines, RuntimeGame, ::testing::Values(Machine::Msx1, Machine::Sg1000),
                         [](const auto& info) { return kMachineNames[int(info.param)]; });
