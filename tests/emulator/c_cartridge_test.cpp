// A game's own cartridge in C, as a programmer builds one from the exports:
// SDCC, the runtime's start code and unpackers into RAM (c_cartridge/, built
// by its Makefile), the export included as a C header, as a header and its .c file,
// or as sdas assembly with the header the export writes for it; unpacked, ZX0
// and Pletter; a picture nobody here drew imported with one tile set and with
// one a third. The program names only the documented labels and constants,
// links without glue, and the screen on openMSX is the editor's, every pixel.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "storage/project_file.h"
#include "support/openmsx_probe.h"
#include "support/project_fixtures.h"
#include "support/temp_dir.h"

namespace {
constexpr const char* kLinkings[] = {"header", "source", "sdas"};  // the Makefile's names
constexpr const char* kExports[] = {"--c gfx.h", "--c gfx.h --c-source gfx.c",
                                    "--asm gfx.s --asm-dialect sdas --c-extern gfx.h"};
constexpr const char* kPackings[] = {"", " --compress zx0", " --compress pletter"};

class CCartridge : public ::testing::TestWithParam<std::tuple<int, int, bool>> {
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
  TclReply reply;
  ASSERT_TRUE(AskTcl(link, "set throttle off", reply, 5000));
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (AskTcl(link, "debug read memory 0xE000", reply, 5000) && reply.text != "90" &&
         std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  ASSERT_EQ(reply.text, "90") << "the program never said the screen is in";
  ASSERT_TRUE(AskTcl(link, "set throttle on", reply, 5000));
  std::this_thread::sleep_for(std::chrono::milliseconds(100));  // a frame drawn since
  RgbaImage shot;
  ASSERT_TRUE(TakeScreenshot(link, dir.File("shot.png"), shot, error)) << error;
  ASSERT_EQ(LoadProject(dir.File("pic.krv")), FileResult::Ok);
  const NameTable& screen = nameTables.at(0);
  EXPECT_TRUE(SamePictureUpToPalette(
      shot, RenderScreen(screen, tileSets, sprites(), project.spriteSize, ScreenLook::Chip), screen.backdrop, error))
      << error;
}

INSTANTIATE_TEST_SUITE_P(Exports, CCartridge,
                         ::testing::Combine(::testing::Values(0, 1, 2), ::testing::Values(0, 1, 2), ::testing::Bool()),
                         [](const auto& info) {
                           return std::string(kLinkings[std::get<0>(info.param)]) + "_" +
                                  (kPackings[std::get<1>(info.param)][0] ? kPackings[std::get<1>(info.param)] + 12
                                                                         : "unpacked") +
                                  (std::get<2>(info.param) ? "_one_set" : "_three_sets");
                         });
