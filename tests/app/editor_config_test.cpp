#include "app/editor_config.h"

#include <gtest/gtest.h>

#include "app/editor_tabs.h"
#include "app/file_dialog.h"
#include "app/window_placement.h"

namespace {
void ResetSettings() {
  editorSettings = EditorSettings{};
  lastDirectory = "/start";
  savedTabOrder.clear();
  RegisterEditorTabs();
}
}  // namespace

TEST(EditorConfig, WrittenFileReadsBackTheSame) {
  ResetSettings();
  editorSettings.reservedSetting = 9;
  lastDirectory = "  /home/user/my games ";
  savedTabOrder = {2, 0, 1};
  RegisterEditorTabs();
  const std::string text = FormatEditorConfig(120, -40);
  EXPECT_EQ(text, "120 -40 1806 995 9\n  /home/user/my games \nTable Studio|2\nSprite Studio|0\nTile Studio|1\n");

  ResetSettings();
  ParseEditorConfig(text);
  EXPECT_EQ(editorSettings.windowX, 120);
  EXPECT_EQ(editorSettings.windowY, -40);
  EXPECT_EQ(editorSettings.reservedSetting, 9);
  EXPECT_EQ(lastDirectory, "  /home/user/my games ");
  EXPECT_EQ(savedTabOrder, (std::vector<int32_t>{2, 0, 1}));
  ResetSettings();
}

TEST(EditorConfig, ReadingKeepsWhatTheFileDoesNotGive) {
  ResetSettings();
  ParseEditorConfig("100 50 800 600 9\n/games\r\nTile|1\nSprite|0\n");
  EXPECT_EQ(editorSettings.windowX, 100);
  EXPECT_EQ(editorSettings.windowY, 50);
  EXPECT_EQ(editorSettings.windowWidth, 800);
  EXPECT_EQ(editorSettings.windowHeight, 600);
  EXPECT_EQ(editorSettings.reservedSetting, 9);
  EXPECT_EQ(lastDirectory, "/games");
  RegisterEditorTabs();
  EXPECT_STREQ(editorTabs[0].title, "Tile Studio");
  EXPECT_STREQ(editorTabs[1].title, "Sprite Studio");
  EXPECT_STREQ(editorTabs[2].title, "Table Studio");
  // The next write stores the window's own position with the fixed size and the reserved number.
  EXPECT_EQ(FormatEditorConfig(7, 8).substr(0, 18), "7 8 1806 995 9\n/ga");

  ResetSettings();
  ParseEditorConfig("10 20 abc\n/ignored\nTable Studio|2\n");
  EXPECT_EQ(editorSettings.windowX, 10);
  EXPECT_EQ(editorSettings.windowY, 20);
  EXPECT_EQ(editorSettings.windowWidth, kWindowWidth);
  EXPECT_EQ(lastDirectory, "/start");
  EXPECT_TRUE(savedTabOrder.empty());

  ResetSettings();
  ParseEditorConfig("1 2 3 4 5\n\nno bar here\nanything at all|7\nx|  2\r\n|1\n| -0\nSprite|0junk\n\n");
  EXPECT_EQ(lastDirectory, "") << "an empty folder line stays the folder line";
  EXPECT_EQ(savedTabOrder, (std::vector<int32_t>{2, 1, 0, 0}));

  ResetSettings();
  ParseEditorConfig("");
  EXPECT_EQ(editorSettings.windowX, kCentredPosition);
  EXPECT_EQ(lastDirectory, "/start");
  ResetSettings();
}

TEST(WindowPlacement, APositionOffEveryDisplayIsCentred) {
  const std::vector<ScreenRect> displays = {{0, 0, 1920, 1080}, {1920, 0, 1280, 1024}};
  struct Case {
    int x, y, width, height;
    bool centred;
  };
  const Case cases[] = {
      {100, 50, 1806, 995, false},
      {3000, 900, 800, 600, false},
      {-1000, 10, 1806, 995, false},
      {5000, 100, 1806, 995, true},
      {100, -2000, 1806, 995, true},
      {-1806, 0, 1806, 995, true},
      {kCentredPosition, 99999, 1806, 995, true},
  };
  for (const Case& c : cases) {
    EditorSettings settings{c.x, c.y, c.width, c.height, 0};
    KeepWindowOnADisplay(settings, displays);
    EXPECT_EQ(settings.windowX == kCentredPosition && settings.windowY == kCentredPosition, c.centred)
        << c.x << "," << c.y;
  }
  EditorSettings empty{0, 0, 0, -5, 0};
  KeepWindowOnADisplay(empty, displays);
  EXPECT_EQ(empty.windowWidth, kWindowWidth);
  EXPECT_EQ(empty.windowHeight, kWindowHeight);
}
