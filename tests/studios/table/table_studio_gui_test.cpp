#include <cmath>

#include "studios/table/table_studio_state.h"
#include "support/studio_gui.h"

namespace {
class TableStudioGui : public StudioGui {
 protected:
  void SetUp() override { Open("Table Studio"); }
  ImVec2 Screen(float x, float y) const { return gui.At(418 + x, 39 + y); }
  ImVec2 Cell(int column, int row) const { return Screen(38 * column + 17, 38 * row + 17); }
  uint8_t CellValue(int column, int row) const { return nameTables[0].cells[row * 32 + column]; }
};
}  // namespace

TEST_F(TableStudioGui, PaletteTilesDropOnCellsAndCellsSelect) {
  const std::vector<ImVec2> palette = gui.ItemCentres("##scrollCell");
  ASSERT_GE(palette.size(), 72u) << "the palette shows its first rows";
  gui.Drag(palette[9], Cell(20, 5), 15);
  EXPECT_EQ(CellValue(20, 5), 9);
  gui.Click(palette[3]);
  EXPECT_EQ(CellValue(20, 5), 9) << "a click on the palette does nothing";

  gui.Click(Cell(20, 5));
  EXPECT_EQ(tableStudio.selectedCell, (CellRef{20, 5}));
  gui.Click(Cell(2, 22));
  EXPECT_EQ(tableStudio.selectedCell, (CellRef{2, 22}));
  gui.Click(Cell(2, 22));
  EXPECT_TRUE(tableStudio.selectedCell.IsNone());
}

TEST_F(TableStudioGui, SpritesDropOntoTheScreenAndMove) {
  gui.ClickItem("SPRITES");
  ASSERT_TRUE(tableStudio.spritesMode);
  gui.Frame();
  const std::vector<ImVec2> rows = gui.ItemCentres("##row");
  ASSERT_EQ(rows.size(), 1u);
  const ImVec2 drop = Screen(300, 200);  // the GUI floors mouse positions
  gui.Drag(rows[0], drop, 15);
  ASSERT_EQ(nameTables[0].placements.size(), 1u);
  EXPECT_EQ(nameTables[0].placements[0], (SpritePlacement{0, 300, 200}));

  // Grabbed 10 units inside its corner, it keeps that offset while it follows the mouse.
  sprites()[0].pixels[0][0] = 1;
  gui.Drag(Screen(310, 210), Screen(410, 260), 10);
  EXPECT_EQ(nameTables[0].placements[0], (SpritePlacement{0, 400, 250}));
  EXPECT_EQ(tableStudio.draggedPlacement, -1);

  gui.ClickItem("SPRITES");
  EXPECT_EQ(nameTables[0].placements.size(), 1u) << "regression: sprite mode off deleted the placements";
  Choose({"DEL SPRITES", "YES"});
  EXPECT_TRUE(nameTables[0].placements.empty());
}

TEST_F(TableStudioGui, ZoomOpensTheTileEditorAndAStrokePaintsTheTile) {
  nameTables[0].cells[10 * 32 + 5] = 7;
  gui.Click(Cell(5, 10));
  gui.ClickItem("ZOOM##zoom");
  EXPECT_TRUE(tableStudio.tileEditorOpen);
  gui.Frame(3);
  // The grid scrolls the selected tile to the middle of its view.
  const std::vector<ImVec2> tiles = gui.ItemCentres("##t_edit");
  ASSERT_FALSE(tiles.empty());
  ImVec2 min = tiles[0], max = tiles[0];
  for (const ImVec2& t : tiles) {
    min = ImVec2(std::min(min.x, t.x), std::min(min.y, t.y));
    max = ImVec2(std::max(max.x, t.x), std::max(max.y, t.y));
  }
  const ImVec2 middle((min.x + max.x) / 2, (min.y + max.y) / 2);
  ImVec2 selected = tiles[0];
  for (const ImVec2& t : tiles)
    if (std::hypot(t.x - middle.x, t.y - middle.y) < std::hypot(selected.x - middle.x, selected.y - middle.y))
      selected = t;

  tableStudio.foregroundPen = 11;
  gui.Drag(ImVec2(selected.x - 92, selected.y - 92), ImVec2(selected.x + 92, selected.y - 92), 14);
  int set = 0;
  for (int x = 0; x < 8; ++x) set += tileSets[0].pixels[7][0][x];
  EXPECT_EQ(set, 8) << "the stroke crossed the top row of tile 7";
  EXPECT_EQ(tileSets[0].foreground[7][0], 11);
  EXPECT_EQ(tileSets[0].pixels[7][1][0], 0);
}

TEST_F(TableStudioGui, NameTableRowsReorderAndImport) {
  gui.ClickItem("ADD");
  gui.ClickItem("ADD");
  gui.Frame();
  gui.Drag(gui.ItemCenter("Name Table 1"), gui.ItemCenter("Name Table 3"));
  EXPECT_STREQ(nameTables[0].name, "Name Table 2");
  EXPECT_STREQ(nameTables[2].name, "Name Table 1");
  EXPECT_EQ(tableStudio.currentNameTable, 2);

  std::string hex;
  for (int i = 0; i < 768; ++i) hex += "05";
  gui.SetClipboard(hex);
  Choose({"IMPORT", "RAW HEX"});
  ASSERT_EQ(nameTables.size(), 4u);
  EXPECT_STREQ(nameTables[3].name, "Imported 3");
  EXPECT_EQ(nameTables[3].cells[767], 5);
  EXPECT_FALSE(gui.HasItem("RAW HEX"));
  Choose({"IMPORT", "CANCEL"});
  EXPECT_EQ(nameTables.size(), 4u);
}

TEST_F(TableStudioGui, ShorterListsAfterALoadAreNeverReadPastTheirEnd) {
  tableStudio.currentNameTable = 5;
  tableStudio.paletteTileSet = 7;
  tableStudio.selectedCell = CellRef{1, 1};
  tableStudio.tileEditorOpen = true;
  nameTables.clear();
  tileSets.clear();
  sprites().clear();
  gui.Frame(2);
  EXPECT_EQ(tableStudio.currentNameTable, 0);
  EXPECT_EQ(tableStudio.paletteTileSet, 0);
  EXPECT_EQ(nameTables.size(), 1u);
  EXPECT_FALSE(gui.HasItem("Close")) << "without sprites the frame ends before the Tile Editor";
}
