#include <algorithm>

#include "model/history.h"
#include "studios/tile/tile_studio_state.h"
#include "support/project_fixtures.h"
#include "support/studio_gui.h"

namespace {
// The Tile Studio's widgets at their offsets from the workspace corner.
class TileStudioGui : public StudioGui {
 protected:
  void SetUp() override { Open("Tile Studio"); }
  ImVec2 Cell(int row, int column) const { return At(140 + 22.8f * column + 11.4f, 55 + 22.8f * row + 11.4f); }
  ImVec2 SheetTile(int tile) const { return At(140 + 46 * (tile % 32) + 20, 458 + 62 * (tile / 32) + 20); }
  ImVec2 PaletteButton(int colour, bool background) const {
    return gui.CentresOfItemsSized(ImVec2(30, 15)).at(2 * colour + (background ? 1 : 0));
  }
  const CanvasImage& canvas() const { return tileStudio.canvas; }
};
}  // namespace

TEST_F(TileStudioGui, PalettePicksPensAndAStrokePaintsEveryCellPassedAsOneStep) {
  gui.Click(PaletteButton(4, true));
  EXPECT_EQ(tileStudio.backgroundPen * 10 + tileStudio.penMode, 41);
  gui.Click(PaletteButton(9, false));
  EXPECT_EQ(tileStudio.foregroundPen * 10 + tileStudio.penMode, 90);

  gui.Drag(Cell(2, 2), Cell(2, 12), 20);
  EXPECT_EQ(Digits(canvas().pixels[2], 24), "001111111111100000000000");
  EXPECT_EQ(Digits(canvas().foreground[2], 24), "999999999999999900000000") << "the whole segment takes the pen";
  gui.ClickItem("PUT TILES");
  EXPECT_EQ(tileSets[0].pixels[0][2][2] * 100 + tileSets[0].foreground[1][2], 109);

  // Each is one step: the PUT TILES, then the whole stroke.
  gui.PressKey(ImGuiMod_Ctrl | ImGuiKey_Z);
  EXPECT_EQ(tileSets[0].pixels[0][2][2] * 10 + canvas().pixels[2][12], 1);
  gui.PressKey(ImGuiMod_Ctrl | ImGuiKey_Z);
  EXPECT_EQ(Digits(canvas().pixels[2], 24) + Digits(canvas().foreground[2], 1), std::string(25, '0'));
  gui.PressKey(ImGuiMod_Ctrl | ImGuiKey_Y);
  EXPECT_EQ(canvas().pixels[2][12], 1);
}

TEST_F(TileStudioGui, CtrlZInANameFieldEditsTheTextNotTheProject) {
  gui.ClickItem("##tilesetrename");
  gui.TypeText("X");
  gui.PressKey(ImGuiMod_Ctrl | ImGuiKey_Z);
  EXPECT_STREQ(tileSets[0].name, "Tile Set 1") << "the field's own undo";
  gui.TypeText("Caves");
  gui.PressKey(ImGuiKey_Enter);
  EXPECT_STREQ(tileSets[0].name, "Tile Set 1Caves");
  EXPECT_EQ(UndoName(history), "rename") << "typing in one field is one step";
  gui.PressKey(ImGuiMod_Ctrl | ImGuiKey_Z);
  EXPECT_STREQ(tileSets[0].name, "Tile Set 1");
}

TEST_F(TileStudioGui, DraggedSheetTilesLoadBlocksAndSwapPaintingNothingAndARightDragSelects) {
  tileSets[0].pixels[20][0][0] = 1;
  tileSets[0].foreground[20][0] = 6;
  tileStudio.foregroundPen = 3;
  gui.Drag(SheetTile(20), Cell(12, 12), 12);  // block 4, bottom middle
  EXPECT_EQ(tileStudio.blockTiles[4], 20);
  EXPECT_EQ(canvas().pixels[8][8] * 10 + canvas().foreground[8][8], 16);
  const uint8_t* pixels = &canvas().pixels[0][0];
  EXPECT_EQ(std::count(pixels, pixels + sizeof canvas().pixels, 1), 1) << "the drag painted nothing";

  nameTables[0].cells[0] = 20;
  tileStudio.trackTiles = true;
  gui.Drag(SheetTile(20), SheetTile(99), 12);
  EXPECT_EQ(tileSets[0].pixels[99][0][0] * 10 + tileSets[0].pixels[20][0][0], 10);
  EXPECT_EQ(nameTables[0].cells[0], 99);

  gui.Drag(SheetTile(40), SheetTile(10), 4, ImGuiMouseButton_Right);  // a right drag selects, ordered at the release
  gui.ClickItem("COPY");
  EXPECT_EQ(tileStudio.clipboard.count * 10000 + tileStudio.selectionStart * 100 + tileStudio.selectionEnd, 311040);
}
