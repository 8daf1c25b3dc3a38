// Cartridges and the live link against the real emulator (openMSX with
// C-BIOS, and its SG-1000), on the virtual display the test command gives.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <thread>

#include "app/emulator/emulator_session.h"
#include "app/shell/project_commands.h"
#include "chip/chip_render.h"
#include "export/build_outputs.h"
#include "export/cartridge.h"
#include "export/export_labels.h"
#include "chip/video_memory.h"
#include "import/sprite_sheet.h"
#include "storage/png_file.h"
#include "studios/table/table_placements.h"
#include "studios/table/table_studio_state.h"
#include "support/openmsx_probe.h"
#include "support/project_fixtures.h"
#include "support/studio_gui.h"
#include "support/temp_dir.h"
#include "widgets/notice.h"

namespace {
constexpr int kBootMs = 60000;

class Cartridge_ : public ::testing::TestWithParam<Machine> {
 protected:
  void SetUp() override { MakeMachineProject(); }
  void TearDown() override { StopOpenMsx(link); }

  void Boot(const std::vector<std::size_t>& screens) {
    const Cartridge cartridge = BuildCartridge(project, screens, GetParam());
    ASSERT_EQ(cartridge.error, "");
    ASSERT_TRUE(screens.size() == 1 || cartridge.bytes.size() == kCartridgeLimit) << "both halves of the largest";
    WriteFile(dir.File("screen.rom"), cartridge.bytes);
    std::string error;
    ASSERT_TRUE(StartOpenMsx(link, dir.File("screen.rom"), GetParam(), error)) << error;
    TclReply reply;
    ASSERT_TRUE(AskTcl(link, "set throttle off", reply, 5000));  // through C-BIOS's logo at full speed
    ASSERT_TRUE(WaitForScreens(link, 1, kBootMs));
    ASSERT_TRUE(AskTcl(link, "set throttle on", reply, 5000));
  }

  // A few frames after the cartridge showed it, the emulated screen is the chip view of `table`.
  void ExpectChipView(const NameTable& table) {
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    std::string why;
    EXPECT_TRUE(ShowsChipView(link, dir.File("shot.png"), table, why)) << why;
  }

  TempDir dir;
  OpenMsxLink link;
};

}  // namespace

TEST_P(Cartridge_, ShowsTheScreensAsTheBinaryExportsAndTheChipViewDo) {
  Boot({0, 1});
  std::map<std::string, std::string> files;
  for (const OutputFile& file : BinaryTableFiles(project, SelectAll(project, kAllTables))) files[file.name] = file.bytes;
  const ExportLabels labels = LabelExportedRecords(project);
  // What the chip holds for name table `shown`, table by table, as the binary tables give it.
  const auto expectScreen = [&](const std::string& memory, int shown) {
    ASSERT_EQ(memory.size(), kVideoMemorySize);
    for (int third = 0; third < kThirds; ++third) {
      const std::string& set = labels.tileSets[nameTables[shown].thirdTileSets[third]];
      EXPECT_EQ(memory.substr(kPatternBase + kThirdTableSize * third, kThirdTableSize), files.at(set + ".pat")) << third;
      EXPECT_EQ(memory.substr(kColourBase + kThirdTableSize * third, kThirdTableSize), files.at(set + ".col")) << third;
    }
    const std::string& sat = files.at(labels.nameTables[shown] + ".sat");
    EXPECT_EQ(memory.substr(kNameBase, kTableCells), files.at(labels.nameTables[shown] + ".nam"));
    EXPECT_EQ(memory.substr(kAttributeBase, sat.size()), sat);
    EXPECT_EQ(memory.substr(kSpritePatternBase, files.at("sprites.spr").size()), files.at("sprites.spr"));
  };
  expectScreen(ReadVideoMemory(link), 0);
  ExpectChipView(nameTables[0]);

  // Space shows the next, from the cartridge's second 16 KB (openMSX has no way to press the SG-1000's pad from here).
  if (GetParam() == Machine::Sg1000) return;
  TclReply reply;
  ASSERT_TRUE(AskTcl(link, "keymatrixdown 8 1", reply, 5000));
  ASSERT_TRUE(WaitForScreens(link, 2, kBootMs));
  expectScreen(ReadVideoMemory(link), 1);
  ASSERT_TRUE(AskTcl(link, "vdpreg 7", reply, 5000));
  EXPECT_EQ(reply.text, "13") << "the second screen's backdrop";
}

// Metasprites from a sheet nobody here drew: two side by side (the fifth-sprite rule bites), one below.
TEST_P(Cartridge_, ShowsPlacedMetaspritesAsTheChipViewDoes) {
  const std::string sheet = MadeSpriteSheet(dir);
  sprites().clear();
  SpriteSheetOptions options;
  options.cellWidth = options.cellHeight = 32;
  const auto png = reinterpret_cast<const uint8_t*>(sheet.data());
  ASSERT_TRUE(ImportSpriteSheet(png, sheet.size(), "walk", project, options).ok) << "ImageMagick made no sheet?";
  NameTable& table = nameTables[0];
  table.placements.clear();
  for (auto [m, x, y] : {std::tuple{0, 40.0f, 60.0f}, {1, 76.0f, 66.0f}, {3, 150.0f, 120.0f}})
    AddMetaspritePlacements(table, project.metasprites[m], {}, x * kViewUnitsPerChipPixel, y * kViewUnitsPerChipPixel);
  Boot({0});
  ExpectChipView(table);
}

TEST_P(Cartridge_, ShowsEverySpriteSizeAsTheChipViewDoes) {
  for (const SpriteSize size : {SpriteSize{16, true}, SpriteSize{8, false}, SpriteSize{8, true}}) {
    SCOPED_TRACE(size.side * 10 + size.magnified);
    project.spriteSize = size;
    Boot({0});
    ExpectChipView(nameTables[0]);
    StopOpenMsx(link);
  }
}

TEST_P(Cartridge_, ShowsEveryScreenModeAsTheChipViewDoes) {
  NameTable& table = nameTables[0];
  for (ScreenMode mode : {ScreenMode::Graphics1, ScreenMode::Text, ScreenMode::Multicolor}) {
    SCOPED_TRACE(kScreenModeNames[static_cast<int>(mode)]);
    table.mode = mode;
    Boot({0});
    ExpectChipView(table);
    StopOpenMsx(link);
  }
}

INSTANTIATE_TEST_SUITE_P(Machines, Cartridge_, ::testing::Values(Machine::Msx1, Machine::Sg1000),
                         [](const auto& info) { return std::string(kMachineNames[int(info.param)]); });

namespace {
class LiveLink : public StudioGui {
 protected:
  void SetUp() override {
    MakeMachineProject();
    Open("Table Studio");
    Start();
    // Each frame's changes, as the chip should get them.
    lastFrame = Expected();
    gui.draw = [this, editor = gui.draw] {
      editor();
      const std::string now = Expected();
      for (std::size_t i = 0; i < now.size(); ++i) changedBytes += now[i] != lastFrame[i];
      lastFrame = now;
    };
  }

  void Start() {
    gui.PressKey(ImGuiKey_F5);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kBootMs);
    while (!emulator.loaded && emulator.running && std::chrono::steady_clock::now() < deadline) gui.Frame();
    ASSERT_TRUE(emulator.loaded) << session.errorMessage;
  }

  static std::vector<VideoBlock> Blocks() {
    const NameTable& shown = nameTables[tableStudio.currentNameTable];
    return ScreenVideoBlocks(project, BuildChipTables(project), shown, ThirdsLayout::PerThird);
  }
  static std::string Expected() { return VideoMemoryImage(Blocks()); }

  // What `act` changed reaches the chip within 100 ms of its last frame, by
  // exactly the bytes that changed.
  void ExpectOnTheChip(const char* what, const std::function<void()>& act) {
    const std::size_t sentBefore = emulator.bytesSent, changedBefore = changedBytes;
    act();
    const auto madeAt = std::chrono::steady_clock::now();
    ASSERT_GT(changedBytes, changedBefore) << what << " changed nothing";
    EXPECT_EQ(emulator.bytesSent - sentBefore, changedBytes - changedBefore) << what;
    ExpectShownWithin(what, madeAt, 100);
  }

  // Every table of the screen holds what a fresh start of it writes.
  void ExpectShownWithin(const char* what, std::chrono::steady_clock::time_point madeAt, double limitMs) {
    const std::vector<VideoBlock> blocks = Blocks();
    for (;;) {
      const std::string memory = ReadVideoMemory(emulator.link);
      const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - madeAt).count();
      bool shown = memory.size() == kVideoMemorySize;
      for (const VideoBlock& block : blocks)
        shown = shown && memory.compare(block.address, block.bytes.size(),
                                        std::string(block.bytes.begin(), block.bytes.end())) == 0;
      if (shown) {
        EXPECT_LT(ms, limitMs) << what;
        return;
      }
      ASSERT_LT(ms, 2000) << what << " never reached the chip";
    }
  }

  ImVec2 Screen(float x, float y) const { return gui.At(418 + x, 39 + y); }
  ImVec2 Cell(int column, int row) const { return Screen(38 * column + 17, 38 * row + 17); }

  std::string lastFrame;
  std::size_t changedBytes = 0;
};
}  // namespace

TEST_F(LiveLink, StrokesDropsAndMovesReachTheChipWithinATenthOfASecond) {
  const std::vector<ImVec2> palette = gui.ItemCentres("##scrollCell");
  gui.PressKey(ImGuiKey_B);
  gui.Click(palette[9]);
  ExpectOnTheChip("a brush stroke", [&] { gui.Drag(Cell(2, 5), Cell(12, 5), 3); });
  ExpectOnTheChip("a tile drop", [&] { gui.Drag(palette[40], Cell(20, 20), 8); });
  Choose({"SPRITES"});
  const SpritePlacement& moved = nameTables[0].placements[2];
  const ImVec2 grab = Screen(moved.x + 20, moved.y + 20);
  ExpectOnTheChip("a placement move", [&] { gui.Drag(grab, ImVec2(grab.x + 40, grab.y + 30), 6); });
  ExpectOnTheChip("another screen chosen", [&] { tableStudio.currentNameTable = 1, gui.Frame(); });
  ExpectOnTheChip("another sprite size", [&] { project.spriteSize = {8, true}, gui.Frame(); });
  TclReply reply;
  ASSERT_TRUE(AskTcl(emulator.link, "vdpreg 1", reply, 5000));
  EXPECT_EQ(std::stoi(reply.text) & 0xE3, 0xE1) << "8 x 8 magnified, the machine's other bits kept";

  // Closed by the user: the link ends quietly, with a notice.
  kill(static_cast<pid_t>(emulator.link.process.pid), SIGKILL);
  siginfo_t gone;
  waitid(P_PID, static_cast<id_t>(emulator.link.process.pid), &gone, WEXITED | WNOWAIT);  // not reaped
  EXPECT_FALSE(WriteToChild(emulator.link.process, "<command>x</command>\n")) << "a write to it fails";
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (emulator.running && std::chrono::steady_clock::now() < deadline) gui.Frame();
  EXPECT_FALSE(emulator.running);
  EXPECT_EQ(notice.text, "The emulator has closed: the live link to it has ended");
  EXPECT_FALSE(AskTcl(emulator.link, "machine", reply, 100)) << "nothing is answered on an ended link";
}

// The live link wrote only the bytes that differed from the last mode's tables,
// so where the new mode's tables met the BIOS's leavings they stayed.
TEST_F(LiveLink, RegressionAChangeOfModeWritesEveryTableTheNewModeReads) {
  NameTable& table = nameTables[0];
  table.textCells.assign(kTextColumns * kTableRows, 0), table.blocks.assign(kBlockColumns * kBlockRows, 0);
  for (std::size_t i = 0; i < 99; ++i) table.textCells[i * 9] = 65, table.blocks[i * 31] = 6;
  table.mode = ScreenMode::Text;
  Start();
  for (ScreenMode mode : {ScreenMode::Multicolor, ScreenMode::Graphics1, ScreenMode::Text, ScreenMode::Graphics2}) {
    table.mode = mode;
    gui.Frame();
    ExpectShownWithin(kScreenModeNames[static_cast<int>(mode)], std::chrono::steady_clock::now(), 2000);
  }
}

TEST_F(StudioGui, RunOnEmulatorSaysWhatToInstallAndStopEmulatorEndsIt) {
  const std::string path = std::getenv("PATH");
  TempDir empty;
  setenv("PATH", empty.path().c_str(), 1);
  gui.Frame(2);
  gui.PressKey(ImGuiKey_F5);
  setenv("PATH", path.c_str(), 1);
  EXPECT_EQ(notice.text.substr(0, 74), "openMSX is not installed: Debian's packages openmsx and cbios provide it (");
  EXPECT_FALSE(emulator.running);

  Choose({"Run", "SG-1000"});
  EXPECT_EQ(emulator.machine, Machine::Sg1000);
  Choose({"Run", "Run on Emulator"});
  ASSERT_TRUE(emulator.running) << session.errorMessage;
  const std::string rom = emulator.romPath;
  EXPECT_TRUE(std::filesystem::exists(rom));
  Choose({"Run", "Stop Emulator"});
  EXPECT_FALSE(emulator.running);
  EXPECT_FALSE(std::filesystem::exists(rom)) << "the temporary cartridge goes with it";
  EXPECT_EQ(notice.text, "Emulator stopped");
  emulator.machine = Machine::Msx1;
}
