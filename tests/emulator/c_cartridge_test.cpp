// A game's own cartridge in C, as a programmer builds one from the exports:
// SDCC, the runtime's start code and unpackers into RAM (c_cartridge/, built
// by its Makefile), the export included as a C header, as a header and its .c file,
// or as sdas assembly with the header the export writes for it; unpacked, ZX0
// and Pletter; a picture nobody here drew imported with one tile set and with
// one a third. The program names only the documented labels and constants,
// links without glue, and the screen on openMSX is the editor's, every pixel.
// And a game from the runtime and an export alone (c_cartridge/game.c): a
// screen in each of the four modes unpacked into video memory, and the walk
// strip's metasprite moving and animating over them. At each checkpoint it
// waits, and the screen is the chip view of that screen with the strip's
// frame placed there, every pixel, on MSX1 (ZX0) and SG-1000 (Pletter).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "chip/map_walk.h"
#include "storage/project_file.h"
#include "studios/table/table_placements.h"
#include "support/openmsx_probe.h"
#include "support/project_fixtures.h"
#include "support/temp_dir.h"

namespace {
constexpr const char* kLinkings[] = {"header", "source", "sdas"};  // the Makefile's names
constexpr const char* kExports[] = {"--c gfx.h", "--c gfx.h --c-source gfx.c",
                                    "--asm gfx.s --asm-dialect sdas --c-extern gfx.h"};
constexpr const char* kPackings[] = {"", " --compress zx0", " --compress pletter"};

template <typename Parameters>
class CartridgeInC : public ::testing::TestWithParam<Parameters> {
 protected:
  void TearDown() override { StopOpenMsx(link); }
  // "" when the commands succeed in the test's folder, else what they printed.
  std::string Run(const std::string& commands) const {
    const std::string log = dir.File("run.log");
    if (std::system(("cd " + dir.path().string() + " && (" + commands + ") > " + log + " 2>&1").c_str()) == 0)
      return "";
    return commands + ":\n" + ReadFile(log);
  }
  TempDir dir;
  OpenMsxLink link;
};
using CCartridge = CartridgeInC<std::tuple<int, int, bool>>;
using RuntimeGame = CartridgeInC<std::tuple<Machine, int>>;

constexpr const char* kGameScreens[] = {"g2", "g1", "text", "multi"};  // the names game.c's labels use
struct Checkpoint {
  int screen;  // index into kGameScreens
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
  tileSets.resize(3), nameTables[0].placements.clear(), nameTables.assign(4, nameTables[0]);
  const ScreenMode modes[] = {ScreenMode::Graphics2, ScreenMode::Graphics1, ScreenMode::Text, ScreenMode::Multicolor};
  for (int i = 0; i < 4; ++i) SetName(nameTables[i].name, kGameScreens[i]), nameTables[i].mode = modes[i];
  return ImportWalkSheet(MadeSpriteSheet(dir), project).ok;
}

// The metasprite strip 1 shows after `steps` frames of the chip, as the runtime steps it.
int StripMetasprite(int steps) {
  std::vector<int> frames;
  for (int cell = 0; cell < kStripCells; ++cell)
    if (project.strips.cells[0][cell] >= 0) frames.push_back(project.strips.cells[0][cell]);
  return frames[(steps / WalkFrameTicks(project.strips)) % frames.size()];
}
}  // namespace

TEST_P(CCartridge, ShowsTheEditorsPicture) {
  const auto [linking, packing, oneSet] = GetParam();
  const std::string tool = TESSELLARY_EXPORT;
  ASSERT_EQ(Run("convert -size 256x192 wizard: -resize '256x192!' -alpha off PNG24:pic.png && " + tool +
                " --import-png pic.png --into pic.krv --dither diffusion" + (oneSet ? " --one-set" : "") + " && " +
                tool + " pic.krv --tables patterns,colours,names " + kExports[linking] + kPackings[packing] + " && " +
                tool + " --runtime . && make -f " + C_CARTRIDGE_DIR +
                "/Makefile PROGRAM=show MACHINE=msx1 LINKING=" + kLinkings[linking] + " DEFINES='-DSCREEN=pic -DPACKING=" +
                std::to_string(packing) + (oneSet ? " -DTOP_SET=pic -DMIDDLE_SET=pic -DBOTTOM_SET=pic"
                                                  : " -DTOP_SET=pic_top -DMIDDLE_SET=pic_mid -DBOTTOM_SET=pic_bottom") +
                "'"),
            "");
  std::string error;
  ASSERT_TRUE(StartOpenMsx(link, dir.File("show.rom"), Machine::Msx1, error)) << error;
  ASSERT_TRUE(RunUntilByte(link, "0xE000", 0x5A)) << "the program never said the screen is in";
  ASSERT_EQ(LoadProject(dir.File("pic.krv")), FileResult::Ok);
  EXPECT_TRUE(ShowsChipView(link, dir.File("shot.png"), nameTables.at(0), error)) << error;
}

INSTANTIATE_TEST_SUITE_P(Exports, CCartridge,
                         ::testing::Combine(::testing::Values(0, 1, 2), ::testing::Values(0, 1, 2), ::testing::Bool()),
                         [](const auto& info) {
                           return std::string(kLinkings[std::get<0>(info.param)]) + "_" +
                                  (kPackings[std::get<1>(info.param)][0] ? kPackings[std::get<1>(info.param)] + 12
                                                                         : "unpacked") +
                                  (std::get<2>(info.param) ? "_one_set" : "_three_sets");
                         });

TEST_P(RuntimeGame, ShowsEachModeAndTheMovingMetaspriteAsTheChipViewDoes) {
  const auto [machine, linking] = GetParam();
  ASSERT_TRUE(MakeGameProject(dir)) << "ImageMagick made no sheet?";
  const bool msx = machine == Machine::Msx1;
  project.spriteSize.magnified = !msx;  // register 1 tells the runtime: twice as far above the top before it goes
  ASSERT_EQ(SaveProject(dir.File("game.krv")), FileResult::Ok);
  const std::string signal = msx ? "0xE000" : "0xC200", tool = TESSELLARY_EXPORT;
  std::string checkpoints = "#define CHECKPOINTS {";
  for (const Checkpoint& at : kCheckpoints)
    checkpoints += "{" + std::to_string(at.screen) + "," + std::to_string(at.x) + "," + std::to_string(at.y) + "},";
  WriteFile(dir.File("checkpoints.h"), checkpoints + "}\n");
  ASSERT_EQ(Run(tool + " game.krv --tables patterns,colours,names,sprites,metasprites " + kExports[linking] +
                kPackings[msx ? 1 : 2] + " --runtime . --machine " + kMachineNames[int(machine)] + " && make -f " +
                C_CARTRIDGE_DIR + "/Makefile PROGRAM=game MACHINE=" + kMachineNames[int(machine)] +
                " LINKING=" + kLinkings[linking] + " DEFINES='-DUNPACK=" + (msx ? "unzx0" : "unpletter") +
                " -DSIGNAL=" + signal + "'"),
            "");
  std::string error;
  ASSERT_TRUE(StartOpenMsx(link, dir.File("game.rom"), machine, error)) << error;
  TclReply reply;
  int steps = 0;
  for (std::size_t k = 0; k < std::size(kCheckpoints); ++k) {
    SCOPED_TRACE(k);
    const Checkpoint& at = kCheckpoints[k];
    if (k > 0) steps += std::max(std::abs(at.x - kCheckpoints[k - 1].x), std::abs(at.y - kCheckpoints[k - 1].y));
    ASSERT_TRUE(RunUntilByte(link, signal, k + 1)) << "the game never reached the checkpoint";
    NameTable expected = nameTables[at.screen];
    if (at.screen == 0) std::fill_n(expected.cells, kTableColumns, 0);  // the game fills the top row with tile 0
    AddMetaspritePlacements(expected, project.metasprites[StripMetasprite(steps)], project.spriteSize,
                            at.x * kViewUnitsPerChipPixel, at.y * kViewUnitsPerChipPixel);
    EXPECT_TRUE(ShowsChipView(link, dir.File("shot.png"), expected, error)) << error;
    ASSERT_TRUE(AskTcl(link, "debug write memory " + signal + " 0", reply, 5000));  // go on
  }
}

INSTANTIATE_TEST_SUITE_P(Machines, RuntimeGame,
                         ::testing::Combine(::testing::Values(Machine::Msx1, Machine::Sg1000),
                                            ::testing::Values(0, 1, 2)),
                         [](const auto& info) {
                           return std::string(kMachineNames[int(std::get<0>(info.param))]) + "_" +
                                  kLinkings[std::get<1>(info.param)];
                         });
