#include "app/shell/editor_config.h"

#include <gtest/gtest.h>

#include "app/dialogs/file_dialog.h"
#include "app/emulator/emulator_session.h"
#include "app/shell/editor_tabs.h"
#include "app/shell/project_commands.h"
#include "app/shell/window_placement.h"
#include "support/project_fixtures.h"
#include "support/temp_dir.h"

namespace {
void ResetSettings() {
  editorSettings = EditorSettings{};
  lastDirectory = "/start";
  savedTabOrder.clear();
  session.recentFiles.clear();
  emulator.machine = Machine::Msx1;
  RegisterEditorTabs();
}

// What a file's text leaves in the settings: "x y width height reserved|folder|tab ids|recent files".
std::string Read(const std::string& text) {
  ResetSettings();
  ParseEditorConfig(text);
  const EditorSettings& e = editorSettings;
  std::string read = std::to_string(e.windowX) + " " + std::to_string(e.windowY) + " " + std::to_string(e.windowWidth) +
                     " " + std::to_string(e.windowHeight) + " " + std::to_string(e.reservedSetting) + "|" +
                     lastDirectory + "|";
  for (int32_t id : savedTabOrder) read += std::to_string(id);
  for (const std::string& path : session.recentFiles) read += "|" + path;
  return read + "|" + kMachineNames[int(emulator.machine)];
}
}  // namespace

TEST(EditorConfig, WrittenFileReadsBackTheSameAndReadingKeepsWhatTheFileDoesNotGive) {
  ResetSettings();
  editorSettings.reservedSetting = 9;
  lastDirectory = "  /home/user/my games ";
  savedTabOrder = {2, 0, 1};
  session.recentFiles = {"/a.krv", "/b b.krv"};
  emulator.machine = Machine::Sg1000;
  RegisterEditorTabs();
  const std::string text = FormatEditorConfig(120, -40);
  EXPECT_EQ(text,
            "120 -40 1806 995 9\n  /home/user/my games \nemulator=sg1000\nTable Studio|2\nSprite Studio|0\n"
            "Tile Studio|1\nMap Studio|3\nrecent=/a.krv\nrecent=/b b.krv\n");
  EXPECT_EQ(Read(text), "120 -40 1806 995 9|  /home/user/my games |2013|/a.krv|/b b.krv|sg1000");

  const std::string centred = std::to_string(kCentredPosition);
  const struct {
    std::string text, read;
  } cases[] = {
      {"100 50 800 600 9\n/games\r\nTile|1\nSprite|0\n", "100 50 800 600 9|/games|10|msx1"},
      {"10 20 abc\n/ignored\nTable Studio|2\n", "10 20 1806 995 0|/start||msx1"},
      {"1 2 3 4 5\n\nno bar here\nanything at all|7\nx|  2\r\n|1\n| -0\nSprite|0junk\nrecent=\n\n",
       "1 2 3 4 5||2100|msx1"},
      {"", centred + " " + centred + " 1806 995 0|/start||msx1"},
      {"1\t2 3\t4\t5\r\n/w\r\nrecent=/c.krv\r\nemulator=sg1000\r\n", "1 2 3 4 5|/w||/c.krv|sg1000"},  // tabs, CRLF
      {"1 2 3 4 5\n/w\nemulator=sg2000\n", "1 2 3 4 5|/w||msx1"},
  };
  for (const auto& c : cases) EXPECT_EQ(Read(c.text), c.read) << c.text;
  // The next write stores the window's own position with the fixed size and the reserved number.
  Read("100 50 800 600 9\n/games\n");
  EXPECT_EQ(FormatEditorConfig(7, 8).substr(0, 18), "7 8 1806 995 9\n/ga");

  // At start-up the file is read from the settings folder (the end-to-end tests choose it).
  TempDir dir;
  const std::filesystem::path workingFolder = std::filesystem::current_path();
  std::filesystem::current_path(dir.path());
  ASSERT_TRUE(EnsureConfigDirectory() && EnsureConfigDirectory()) << "made, then found";
  WriteFile(EditorConfigPath(), "1 2 3 4 5\n/from the file\n");
  LoadEditorConfig();
  std::filesystem::current_path(workingFolder);
  EXPECT_EQ(lastDirectory, "/from the file");
  ResetSettings();
}

TEST(WindowPlacement, APositionOffEveryDisplayIsCentredAndOneOnADisplayUsesIt) {
  const std::vector<ScreenRect> displays = {{0, 0, 1920, 1080}, {1920, 0, 1280, 1024}};
  // clang-format off
  for (auto [x, y, centred, display] : {std::tuple{100, 50, false, 0}, {3000, 900, false, 1}, {1920, 1023, false, 1},
                                        {1919, 0, false, 0}, {-500, 10, false, 0}, {5000, 100, true, 0},
                                        {100, -2000, true, 0}, {-800, 0, true, 0}, {kCentredPosition, 99999, true, 0}}) {
    // clang-format on
    EditorSettings settings{x, y, 800, 600, 0};
    EXPECT_EQ(DisplayHolding(settings, displays), display) << x << "," << y;
    KeepWindowOnADisplay(settings, displays);
    EXPECT_EQ(settings.windowX == kCentredPosition && settings.windowY == kCentredPosition, centred) << x << "," << y;
    EXPECT_EQ(settings.windowWidth * 10000 + settings.windowHeight, 8000600) << "a size is kept";
  }
  EditorSettings empty{0, 0, 0, -5, 0};
  KeepWindowOnADisplay(empty, displays);
  EXPECT_EQ(empty.windowWidth * 10000 + empty.windowHeight, kWindowWidth * 10000 + kWindowHeight);
}

TEST(WindowPlacement, AnyWindowShowsTheWholeLayoutAndMousePositionsMapBackExactly) {
  const struct {
    float width, height, scale, offsetX, offsetY;
  } windows[] = {{1806, 995, 1, 0, 0}, {903, 600, 0.5f, 0, 51.25f}, {3612 + 100, 1990, 2, 50, 0}};
  for (const auto& w : windows) {
    const LayoutFit fit = FitLayout(w.width, w.height);
    EXPECT_EQ(std::vector<float>({fit.scale, fit.offsetX, fit.offsetY}),
              std::vector<float>({w.scale, w.offsetX, w.offsetY}));
    float x = 417, y = 38.5f;
    LayoutToWindow(fit, x, y);
    WindowToLayout(fit, x, y);
    EXPECT_EQ(std::make_pair(x, y), std::make_pair(417.0f, 38.5f));
  }
  int width, height;
  LargestLayoutWindow(1366, 768 - 40, width, height);
  EXPECT_EQ(std::make_pair(width, height), std::make_pair(1321, 728)) << "the height limits a 1366 x 768 display";
}
