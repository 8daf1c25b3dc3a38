#include <gtest/gtest.h>

#include <cstring>

#include "model/project.h"
#include "studios/sprite/sprite_studio_state.h"
#include "support/gui_driver.h"

namespace {
// The user's view of the Sprite Studio, the tab the editor opens on.
class SpriteStudioGui : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetProject();
    spriteStudio = SpriteStudioState{};
    spriteAnimation = SpriteAnimationState{};
    gui.Frame(3);
  }
  void TearDown() override {
    spriteStudio = SpriteStudioState{};
    spriteAnimation = SpriteAnimationState{};
    ResetProject();
  }

  ImVec2 At(float x, float y) const { return gui.At(x, y); }
  ImVec2 Cell(int row, int column) const { return At(140 + 28.5f * column + 14, 55 + 28.5f * row + 14); }
  int SetPixelCount() const {
    int count = 0;
    for (const auto& row : sprites()[spriteStudio.selectedSprite].pixels)
      for (uint8_t pixel : row) count += pixel != 0;
    return count;
  }
  void AddSprites(int count) {
    for (int i = 0; i < count; ++i) gui.ClickItem("ADD SPRITE");
  }

  GuiDriver gui;
};
}  // namespace

TEST_F(SpriteStudioGui, LeftDragDrawsAndRightDragErases) {
  gui.Drag(Cell(3, 1), Cell(3, 10), 20);
  for (int c = 1; c <= 10; ++c) EXPECT_EQ(sprites()[0].pixels[3][c], 1) << c;
  EXPECT_EQ(SetPixelCount(), 10);

  gui.MoveMouse(Cell(3, 4));
  gui.Frame();
  gui.Press(ImGuiMouseButton_Right);
  gui.Frame();
  for (int c = 5; c <= 8; ++c) {
    gui.MoveMouse(Cell(3, c));
    gui.Frame();
  }
  gui.Release(ImGuiMouseButton_Right);
  gui.Frame();
  for (int c = 4; c <= 8; ++c) EXPECT_EQ(sprites()[0].pixels[3][c], 0) << c;
  EXPECT_EQ(SetPixelCount(), 5);
}

TEST_F(SpriteStudioGui, ColourSwatchRecoloursOnlyTheSelectedSprite) {
  AddSprites(1);
  const std::vector<ImVec2> swatches = gui.CentresOfItemsSized(ImVec2(30, 15));
  ASSERT_EQ(swatches.size(), 32u);
  gui.Click(swatches[2 * 5]);
  EXPECT_EQ(sprites()[1].colour, 5);
  EXPECT_EQ(sprites()[0].colour, 0);
  EXPECT_EQ(spriteStudio.currentColour, 5);
  gui.Click(swatches[2 * 9 + 1]);
  EXPECT_EQ(spriteStudio.canvasBackground, 9);
  EXPECT_EQ(sprites()[1].colour, 5);
}

TEST_F(SpriteStudioGui, RowsReorderAndFillAnimationCells) {
  AddSprites(4);
  gui.Frame();
  std::vector<ImVec2> rows = gui.ItemCentres("##row");
  ASSERT_EQ(rows.size(), 5u);
  gui.Drag(rows[0], rows[3]);
  EXPECT_STREQ(sprites()[3].name, "Sprite 0");
  EXPECT_STREQ(sprites()[0].name, "Sprite 2");
  EXPECT_EQ(spriteStudio.selectedSprite, 3);

  const std::vector<ImVec2> cells = gui.ItemCentres("##slot");
  ASSERT_EQ(cells.size(), 32u);
  gui.Drag(rows[1], cells[8 + 2]);  // strip 1, cell 2
  EXPECT_EQ(project.strips.cells[1][2], 1);
  EXPECT_FALSE(project.strips.active[1][2]);
  gui.Click(cells[8 + 2], ImGuiMouseButton_Right);
  EXPECT_TRUE(project.strips.active[1][2]);

  gui.Drag(cells[8 + 2], cells[0]);
  EXPECT_EQ(project.strips.cells[0][0], 1);
  EXPECT_TRUE(project.strips.active[0][0]);
  EXPECT_EQ(project.strips.cells[1][2], -1);
}

TEST_F(SpriteStudioGui, PlayAdvancesWithTheFrameTime) {
  project.strips.cells[0][2] = 0;
  project.strips.active[0][2] = true;
  project.strips.active[3][6] = true;
  gui.ClickItem("Play");
  EXPECT_TRUE(spriteAnimation.animationPlaying);
  gui.Frame();
  EXPECT_TRUE(gui.HasItem("Pause"));
  gui.AdvanceTime(0.2f);
  gui.Frame();
  EXPECT_EQ(spriteAnimation.animationFrame, 2);
  gui.AdvanceTime(0.2f);
  gui.Frame();
  EXPECT_EQ(spriteAnimation.animationFrame, 6);
  gui.Frame(3);
  EXPECT_EQ(spriteAnimation.animationFrame, 6) << "short frames accumulate first";
}

TEST_F(SpriteStudioGui, ClearEditAsksFirst) {
  gui.Drag(Cell(0, 0), Cell(0, 5));
  ASSERT_EQ(SetPixelCount(), 6);
  gui.ClickItem("CLEAR EDIT");
  gui.Frame(2);
  gui.ClickItem("CANCEL");
  EXPECT_EQ(SetPixelCount(), 6);
  gui.ClickItem("CLEAR EDIT");
  gui.Frame(2);
  gui.ClickItem("YES");
  EXPECT_EQ(SetPixelCount(), 0);
  EXPECT_STREQ(sprites()[0].name, "Sprite 0");
}

TEST_F(SpriteStudioGui, ImportPopupReadsClipboardHex) {
  gui.SetClipboard(std::string(32, 'F') + std::string(32, '0'));
  gui.ClickItem("IMPORT\nSPRITES");
  gui.Frame(2);
  gui.ClickItem("RAW HEX");
  ASSERT_EQ(sprites().size(), 1u);
  EXPECT_STREQ(sprites()[0].name, "Imported 1");
  EXPECT_EQ(sprites()[0].pixels[15][7], 1);
  EXPECT_EQ(sprites()[0].pixels[0][8], 0);
  gui.Frame(2);
  EXPECT_FALSE(gui.HasItem("RAW HEX"));
}

TEST_F(SpriteStudioGui, RegressionAMenuClickOverTheCanvasPaintsNothing) {
  gui.ClickItem("File");
  const ImVec2 exit = gui.ItemCenter("Exit");
  const ImVec2 overCanvas(At(170, 0).x, exit.y);
  ASSERT_GT(overCanvas.y, At(0, 55).y) << "the menu item must lie over the canvas";
  gui.Click(overCanvas);
  EXPECT_FALSE(gui.running);
  EXPECT_EQ(SetPixelCount(), 0);
}

TEST_F(SpriteStudioGui, AnEmptySpriteListShowsOnlyItsNotice) {
  sprites().clear();  // as a loaded project without sprites leaves it
  spriteStudio.selectedSprite = 3;
  gui.Frame(2);
  EXPECT_EQ(spriteStudio.selectedSprite, 0);
  EXPECT_FALSE(gui.HasItem("ADD SPRITE"));
  EXPECT_FALSE(gui.HasItem("##row"));
}
