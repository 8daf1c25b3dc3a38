#include <algorithm>

#include "model/history.h"
#include "model/metasprite_picture.h"
#include "studios/sprite/sprite_studio_state.h"
#include "support/project_fixtures.h"
#include "support/studio_gui.h"

namespace {
// The Sprite Studio, the tab the editor opens on.
class SpriteStudioGui : public StudioGui {
 protected:
  void SetUp() override { gui.Frame(3); }
  ImVec2 Cell(int row, int column) const { return At(140 + 28.5f * column + 14, 55 + 28.5f * row + 14); }
  int SetPixelCount() const {
    const uint8_t* pixels = &sprites()[spriteStudio.selectedSprite].pixels[0][0];
    return static_cast<int>(std::count_if(pixels, pixels + 256, [](uint8_t pixel) { return pixel != 0; }));
  }
};
}  // namespace

TEST_F(SpriteStudioGui, LeftDragDrawsRightDragErasesAndSwatchesRecolourTheSelectedSprite) {
  gui.Drag(Cell(3, 1), Cell(3, 10), 20);
  gui.Drag(Cell(3, 4), Cell(3, 8), 4, ImGuiMouseButton_Right);
  EXPECT_EQ(Digits(sprites()[0].pixels[3], 16), "0111000001100000") << "columns 1-10 drawn, 4-8 erased";
  EXPECT_EQ(SetPixelCount(), 5);
  Choose({"##up"});
  EXPECT_EQ(Digits(sprites()[0].pixels[2], 16) + UndoName(history), "0111000001100000shift") << "an arrow shifts";

  Choose({"ADD SPRITE"});
  EXPECT_EQ(sprites()[1].colour, kNewSpriteColour) << "a new sprite's pixels show";
  const std::vector<ImVec2> swatches = gui.CentresOfItemsSized(ImVec2(30, 15));
  ASSERT_EQ(swatches.size(), 32u);
  gui.Click(swatches[2 * 5]);
  EXPECT_EQ(sprites()[1].colour * 100 + spriteStudio.currentColour, 505);
  gui.Click(swatches[2 * 9 + 1]);
  EXPECT_EQ(spriteStudio.canvasBackground * 10 + sprites()[1].colour, 95) << "BG only colours the canvas";
}

TEST_F(SpriteStudioGui, EightByEightSpritesAreDrawnOnTheWholeCanvasAndTheChoiceUndoes) {
  gui.Click(At(680, 508));  // the sprite size combo (combos are not labelled items)
  gui.Frame(3);             // the popup settles its size
  Choose({"8 x 8 MAG"});
  EXPECT_TRUE(project.spriteSize == (SpriteSize{8, true}));
  gui.Click(Cell(15, 15));  // the far corner of the canvas is pixel (7, 7)
  gui.Click(Cell(0, 2));    // pixel (0, 1)
  EXPECT_EQ(Digits(sprites()[0].pixels[7], 16) + Digits(sprites()[0].pixels[0], 4), "00000001000000000100");
  for (int step = 0; step < 3; ++step) gui.PressKey(ImGuiMod_Ctrl | ImGuiKey_Z);  // two clicks, the size
  EXPECT_TRUE(project.spriteSize == SpriteSize{}) << UndoName(history);
}

TEST_F(SpriteStudioGui, RowsReorderAndFillAnimationCellsThatPlay) {
  for (int i = 0; i < 4; ++i) gui.ClickItem("ADD SPRITE");
  gui.Frame();
  std::vector<ImVec2> rows = gui.ItemCentres("##row");
  ASSERT_EQ(rows.size(), 5u);
  gui.Drag(rows[0], rows[3]);
  EXPECT_EQ(Names(sprites()) + std::to_string(spriteStudio.selectedSprite),
            "Sprite 2|Sprite 3|Sprite 4|Sprite 0|Sprite 5|3");
  gui.Drag(rows[2], Cell(1, 8));
  EXPECT_EQ(spriteStudio.selectedSprite * 100 + SetPixelCount(), 200)
      << "regression: the canvas's top rows took no drop, and a dragged row paints nothing";

  const std::vector<ImVec2> cells = gui.ItemCentres("##slot");
  ASSERT_EQ(cells.size(), 32u);
  gui.Drag(rows[1], cells[8 + 2]);  // strip 1, cell 2
  EXPECT_EQ(project.strips.cells[1][2] * 10 + project.strips.active[1][2], 11) << "a filled cell plays";
  sprites()[1].pixels[0][0] = 1, sprites()[1].colour = 8;
  gui.Frame();
  EXPECT_EQ(gui.ColourAt(ImVec2(cells[8 + 2].x - 26, cells[8 + 2].y - 26)), Palette[8]) << "the cell shows its sprite";
  gui.Click(cells[8 + 2], ImGuiMouseButton_Right);
  EXPECT_FALSE(project.strips.active[1][2]) << "a right click turns it off";
  gui.Click(cells[8 + 2], ImGuiMouseButton_Right);
  gui.Drag(cells[8 + 2], cells[0]);
  EXPECT_EQ(project.strips.cells[0][0] * 100 + project.strips.active[0][0] * 10 + project.strips.cells[1][2], 109);

  project.strips.active[3][6] = true;
  gui.ClickItem("Play");
  gui.Frame();
  EXPECT_TRUE(gui.HasItem("Pause"));
  std::vector<int> frames;
  for (float seconds : {0.2f, 0.2f, 0.05f, 0.05f}) {
    gui.AdvanceTime(seconds);
    gui.Frame();
    frames.push_back(spriteAnimation.animationFrame);
  }
  EXPECT_EQ(frames, (std::vector<int>{6, 0, 0, 0})) << "short frames accumulate first";
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

TEST_F(SpriteStudioGui, AMetaspriteIsPaintedAsOnePictureWhosePartsFollow) {
  const auto pixel = [this](int x, int y) { return At(200 + 6 * x + 3, 560 + 6 * y + 3); };
  Choose({"ADD METASPRITE"});
  ASSERT_EQ(project.metasprites.size(), 1u);
  gui.Drag(pixel(2, 4), pixel(28, 4), 12);  // white across two cells of the sprite grid
  gui.Click(At(200 + 24 * 7 + 11, 530 + 11));  // colour 8, red
  gui.Drag(pixel(10, 4), pixel(10, 20), 8);  // red down through the white, into the cells below
  const Metasprite& drawn = project.metasprites[0];
  EXPECT_EQ(drawn.parts.size(), 4u) << "white in two cells, red in two";
  EXPECT_EQ(sprites().size(), 5u);
  const MetaspritePicture picture = DrawMetasprite(drawn, sprites(), kSpriteSize);
  EXPECT_EQ(picture.pixels[4][2] * 100 + picture.pixels[4][10] * 10 + picture.pixels[20][10], 1588);
  EXPECT_EQ(UndoName(history), "metasprite stroke");
  gui.Drag(pixel(10, 16), pixel(10, 20), 4, ImGuiMouseButton_Right);  // the lower red goes, and its part
  EXPECT_EQ(project.metasprites[0].parts.size(), 3u);
  EXPECT_EQ(sprites().size(), 4u);
  gui.PressKey(ImGuiMod_Ctrl | ImGuiKey_Z);
  EXPECT_EQ(project.metasprites[0].parts.size(), 4u) << "the erasing stroke undone";

  // Dragged from the list, it becomes a frame of an animation strip, shown whole in the cell.
  const ImVec2 cell = gui.ItemCentres("##slot")[1];
  gui.Drag(gui.ItemCenter("Metasprite 1"), cell, 15);
  EXPECT_TRUE(project.strips.metasprite[0][1] && project.strips.cells[0][1] == 0);
  gui.Frame();
  EXPECT_EQ(gui.ColourAt(ImVec2(cell.x - 28 + 10.5f * 1.75f, cell.y - 28 + 20.5f * 1.75f)), Palette[8]);  // 56 / 32
}
