#include "app/recovery/recovery.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/shell/project_commands.h"
#include "model/history.h"
#include "studios/tile/tile_studio_state.h"
#include "support/project_fixtures.h"
#include "support/studio_gui.h"
#include "support/temp_dir.h"

namespace {
class RecoveryTest : public StudioGui {
 protected:
  void SetUp() override {
    recovery.folder = dir.path().string();
    gui.Frame(2);
  }
  void TearDown() override {
    StopRecovery(recovery);
    recovery.folder = kRecoveryDirectory;
    recovery.notNow.clear();
    recovery.lastCopySeconds = -1e300;
  }
  // A copy as an editor that is gone left it: no lock held.
  std::string LeaveCopy(const std::string& id, const std::string& path) {
    MakeRichProject();
    tileStudio.canvas.foreground[3][4] = 9;
    left = project;
    WriteFile(dir.File(id + ".recovery"), SerializeRecoveryCopy(1, path, tileStudio.canvas, project));
    ResetEditor();
    return dir.File(id + ".recovery");
  }
  std::vector<std::string> Files() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  TempDir dir;
  Project left;
};
}  // namespace

TEST(RecoveryFile, RoundTripsAndRefusesEveryCutAndABadColour) {
  MakeRichProject();
  CanvasImage canvas;
  canvas.pixels[15][23] = 1, canvas.background[0][0] = 15;
  const std::string bytes = SerializeRecoveryCopy(1700000000, "/games/level.krv", canvas, project);
  RecoveryCopy back;
  ASSERT_EQ(ParseRecoveryCopy(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), back), FileResult::Ok);
  EXPECT_TRUE(back.savedAt == 1700000000 && back.projectPath == "/games/level.krv" && back.canvas == canvas &&
              back.project == project);
  for (std::size_t cut = 0; cut < bytes.size(); cut += 1 + cut / 7) {
    const FileResult result = ParseRecoveryCopy(reinterpret_cast<const uint8_t*>(bytes.data()), cut, back);
    EXPECT_TRUE(cut < 20 ? result == FileResult::NotProjectFile : result != FileResult::Ok) << cut;
  }
  std::string badColour = bytes;
  badColour[20 + 16 + 16 * 24] = 16;  // the first foreground colour, past the path and the pixels
  EXPECT_EQ(ParseRecoveryCopy(reinterpret_cast<const uint8_t*>(badColour.data()), badColour.size(), back),
            FileResult::TruncatedOrCorrupt);
}

TEST_F(RecoveryTest, ACopyLeftBehindIsOfferedAndRecoveredAsUnsavedChanges) {
  LeaveCopy("1-1", "/games/level.krv");
  StartRecovery(recovery);
  gui.Frame(2);
  ASSERT_TRUE(gui.HasItem("Recover"));
  EXPECT_EQ(RecoveryQuestion(recovery.offer).rfind("Recover unsaved work on level.krv from ", 0), 0u);
  gui.ClickItem("Recover");
  gui.Frame(2);
  EXPECT_TRUE(project == left && tileStudio.canvas.foreground[3][4] == 9);
  EXPECT_EQ(WindowTitle(session, ProjectHasUnsavedChanges()), "level.krv* - Tessellary");
  EXPECT_EQ(Files(), (std::vector<std::string>{recovery.ownId + ".lock", recovery.ownId + ".recovery"}))
      << "the copy became this editor's own";

  // While there are unsaved changes the copy follows the project; once saved it goes.
  sprites()[0].colour = 12;
  TickRecovery(recovery, 0);
  WaitForRecoveryWriter(recovery.writer);
  std::vector<uint8_t> bytes;
  RecoveryCopy written;
  ASSERT_EQ(ReadWholeFile(dir.File(recovery.ownId + ".recovery"), bytes), FileResult::Ok);
  ASSERT_EQ(ParseRecoveryCopy(bytes.data(), bytes.size(), written), FileResult::Ok);
  EXPECT_TRUE(written.project == project && written.projectPath == "/games/level.krv");
  MarkSaved(history);
  TickRecovery(recovery, 1);
  WaitForRecoveryWriter(recovery.writer);
  EXPECT_EQ(Files(), std::vector<std::string>{recovery.ownId + ".lock"});
  EXPECT_GT(SecondsUntilRecoveryDue(recovery, 1), 3600) << "nothing left to do: the editor may sleep";
  StopRecovery(recovery);
  EXPECT_TRUE(Files().empty()) << "a clean exit leaves nothing";
}

TEST_F(RecoveryTest, CopiesOfRunningEditorsStayAndEachAnswerDoesWhatItSays) {
  LeaveCopy("1-1", "");
  LeaveCopy("2-2", "/a/b.krv");
  LeaveCopy("3-3", "/a/c.krv");
  WriteFile(dir.File("4-4.recovery"), "damaged");
  WriteFile(dir.File("5-5.lock"), "");                              // of an editor gone with no copy: litter
  WriteFile(dir.File("6-6.recovery.damaged"), "set aside before");  // kept for the user to look at
  FileLock running;
  ASSERT_TRUE(TryLockFile(dir.File("2-2.lock"), running));  // its editor still runs
  StartRecovery(recovery);
  gui.Frame(2);
  EXPECT_EQ(RecoveryQuestion(recovery.offer).rfind("Recover unsaved work on the untitled project from ", 0), 0u);
  gui.ClickItem("Not Now");
  gui.Frame(2);
  EXPECT_EQ(recovery.offer.id, "3-3") << "2-2 belongs to a running editor";
  gui.ClickItem("Discard");
  gui.Frame(2);
  EXPECT_NE(session.errorMessage.find("set aside"), std::string::npos);
  EXPECT_TRUE(recovery.offer.id.empty());
  EXPECT_TRUE(project == DefaultProject()) << "nothing recovered";
  std::vector<std::string> expected{"1-1.lock",
                                    "1-1.recovery",
                                    "2-2.lock",
                                    "2-2.recovery",
                                    "4-4.recovery.damaged",
                                    "6-6.recovery.damaged",
                                    recovery.ownId + ".lock"};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(Files(), expected);
  UnlockFile(running);
}
