#include <gtest/gtest.h>

#include "model/history.h"
#include "model/project.h"
#include "studios/tile/tile_studio_state.h"
#include "support/gui_driver.h"

namespace {
// The user's view of the Tile Studio: its widgets at their offsets from the workspace corner.
class TileStudioGui : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetProject();
    tileStudio = TileStudioState{};
    gui.Frame(2);
    gui.ClickItem("Tile Studio");
    gui.Frame(2);
  }
  void TearDown() override {
    tileStudio = TileStudioState{};
    ResetProject();
  }

  ImVec2 At(float x, float y) const { return gui.At(x, y); }
  ImVec2 Cell(int row, int column) const { return At(140 + 22.8f * column + 11.4f, 55 + 22.8f * row + 11.4f); }
  ImVec2 SheetTile(int tile) const { return At(140 + 46 * (tile % 32) + 20, 458 + 62 * (tile / 32) + 20); }
  ImVec2 PaletteButton(int colour, bool background) const {
    const std::vector<ImVec2> buttons = gui.CentresOfItemsSized(ImVec2(30, 15));
    EXPECT_EQ(buttons.size(), 32u);
    return buttons.at(2 * colour + (background ? 1 : 0));
  }

  GuiDriver gui;
};
}  // namespace

TEST_F(TileStudioGui, PalettePicksPensAndAStrokePaintsEveryCellPassed) {
  gui.Click(PaletteButton(9, false));
  EXPECT_EQ(tileStudio.foregroundPen, 9);
  EXPECT_EQ(tileStudio.penMode, 0);
  gui.Click(PaletteButton(4, true));
  EXPECT_EQ(tileStudio.backgroundPen, 4);
  EXPECT_EQ(tileStudio.penMode, 1);
  gui.Click(PaletteButton(9, false));

  gui.Drag(Cell(2, 2), Cell(2, 12), 20);
  for (int c = 2; c <= 12; ++c) EXPECT_EQ(tileStudio.canvas.pixels[2][c], 1) << c;
  EXPECT_EQ(tileStudio.canvas.pixels[2][1], 0);
  EXPECT_EQ(tileStudio.canvas.pixels[2][13], 0);
  EXPECT_EQ(tileStudio.canvas.foreground[2][0], 9) << "the whole segment takes the pen";
  EXPECT_EQ(tileStudio.canvas.foreground[2][15], 9);
  EXPECT_EQ(tileStudio.canvas.foreground[2][16], 0);

  gui.ClickItem("PUT TILES");
  EXPECT_EQ(tileSets[0].pixels[0][2][2], 1);
  EXPECT_EQ(tileSets[0].foreground[1][2], 9);

  // Each is one step: the PUT TILES, then the whole stroke.
  gui.PressKey(ImGuiMod_Ctrl | ImGuiKey_Z);
  EXPECT_EQ(tileSets[0].pixels[0][2][2], 0);
  EXPECT_EQ(tileStudio.canvas.pixels[2][12], 1);
  gui.PressKey(ImGuiMod_Ctrl | ImGuiKey_Z);
  EXPECT_EQ(tileStudio.canvas.pixels[2][2], 0);
  EXPECT_EQ(tileStudio.canvas.foreground[2][0], 0);
  gui.PressKey(ImGuiMod_Ctrl | ImGuiKey_Y);
  EXPECT_EQ(tileStudio.canvas.pixels[2][12], 1);
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

TEST_F(TileStudioGui, SheetClicksAndRightDragSelect) {
  gui.Click(SheetTile(77));
  EXPECT_EQ(tileStudio.blockTiles[0], 77);
  EXPECT_EQ(tileStudio.nextBlock, 1);
  EXPECT_EQ(tileStudio.currentTile, 77);

  gui.MoveMouse(SheetTile(40));
  gui.Frame();
  gui.Press(ImGuiMouseButton_Right);
  gui.Frame();
  for (int tile : {35, 20, 10}) {
    gui.MoveMouse(SheetTile(tile));
    gui.Frame();
  }
  EXPECT_EQ(tileStudio.selectionStart, 40);
  EXPECT_EQ(tileStudio.selectionEnd, 10);
  gui.Release(ImGuiMouseButton_Right);
  gui.Frame();
  EXPECT_EQ(tileStudio.selectionStart, 10);
  EXPECT_EQ(tileStudio.selectionEnd, 40);
  EXPECT_FALSE(tileStudio.rangeDragging);

  gui.ClickItem("COPY");
  EXPECT_EQ(tileStudio.clipboard.count, 31);
}

TEST_F(TileStudioGui, DraggedSheetTilesLoadBlocksAndSwap) {
  tileSets[0].pixels[20][0][0] = 1;
  tileSets[0].foreground[20][0] = 6;
  tileStudio.penMode = 0;
  tileStudio.foregroundPen = 3;

  // Dropped on block 4 (bottom middle), passing over the canvas: nothing is painted on the way.
  gui.Drag(SheetTile(20), Cell(12, 12), 12);
  EXPECT_EQ(tileStudio.blockTiles[4], 20);
  EXPECT_EQ(tileStudio.canvas.pixels[8][8], 1);
  EXPECT_EQ(tileStudio.canvas.foreground[8][8], 6);
  int painted = 0;
  for (int r = 0; r < 16; ++r)
    for (int c = 0; c < 24; ++c) painted += tileStudio.canvas.pixels[r][c];
  EXPECT_EQ(painted, 1);

  nameTables[0].cells[0] = 20;
  tileStudio.trackTiles = true;
  gui.Drag(SheetTile(20), SheetTile(99), 12);
  EXPECT_EQ(tileSets[0].pixels[99][0][0], 1);
  EXPECT_EQ(tileSets[0].pixels[20][0][0], 0);
  EXPECT_EQ(nameTables[0].cells[0], 99);
}

TEST_F(TileStudioGui, SetRowsReorderByDragging) {
  tileSets.clear();
  for (const char* name : {"Alpha", "Beta", "Gamma"}) {
    tileSets.emplace_back();
    SetName(tileSets.back().name, name);
  }
  gui.Frame(2);
  gui.Drag(gui.ItemCenter("Alpha"), gui.ItemCenter("Gamma"));
  EXPECT_STREQ(tileSets[0].name, "Beta");
  EXPECT_STREQ(tileSets[1].name, "Gamma");
  EXPECT_STREQ(tileSets[2].name, "Alpha");
  EXPECT_EQ(tileStudio.currentTileSet, 2);

  gui.ClickItem("Beta");
  EXPECT_EQ(tileStudio.currentTileSet, 0);
  gui.ClickItem("ADD SET");
  EXPECT_EQ(tileSets.size(), 4u);
  EXPECT_EQ(tileStudio.currentTileSet, 3);
}

TEST_F(TileStudioGui, ImportPopupReadsTheClipboard) {
  gui.Click(SheetTile(5));
  gui.SetClipboard("hero:\n  db $FF,$81,$81,$81,$81,$81,$81,$FF\n");
  gui.ClickItem("IMPORT\nPATTERN");
  gui.Frame(2);
  ASSERT_TRUE(gui.HasItem("TOKEN (DB)"));
  gui.ClickItem("TOKEN (DB)");
  EXPECT_EQ(tileSets[0].pixels[5][0][3], 1);
  EXPECT_EQ(tileSets[0].pixels[5][1][3], 0);
  gui.Frame(2);
  EXPECT_FALSE(gui.HasItem("TOKEN (DB)"));

  gui.SetClipboard("F1F1F1F1F1F1F1F1");
  gui.ClickItem("IMPORT\nCOLOR");
  gui.Frame(2);
  gui.ClickItem("RAW HEX");
  EXPECT_EQ(tileSets[0].foreground[5][7], 15);
  EXPECT_EQ(tileSets[0].background[5][7], 1);
}
