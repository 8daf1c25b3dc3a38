#include <algorithm>
#include <cmath>
#include <cstring>

#include "export/build_outputs.h"
#include "model/history.h"
#include "storage/png_file.h"
#include "studios/table/table_studio_state.h"
#include "support/project_fixtures.h"
#include "support/studio_gui.h"
#include "widgets/notice.h"

namespace {
class TableStudioGui : public StudioGui {
 protected:
  void SetUp() override { Open("Table Studio"); }
  ImVec2 Screen(float x, float y) const { return gui.At(418 + x, 39 + y); }
  ImVec2 Cell(int column, int row) const { return Screen(38 * column + 17, 38 * row + 17); }
  uint8_t CellValue(int column, int row) const { return nameTables[0].cells[row * 32 + column]; }
};
}  // namespace

TEST_F(TableStudioGui, SpritesDropOntoTheScreenAndMove) {
  Choose({"SPRITES"});
  const std::vector<ImVec2> rows = gui.ItemCentres("##row");
  ASSERT_EQ(rows.size(), 1u);
  gui.Drag(rows[0], Screen(300, 200), 15);
  ASSERT_EQ(nameTables[0].placements, (std::vector<SpritePlacement>{{0, 299.25f, 199.5f}})) << "snapped to chip pixels";

  // Grabbed 10 units inside its corner, it keeps that offset while it follows the mouse.
  sprites()[0].pixels[0][0] = 1;
  gui.Drag(Screen(310, 210), Screen(410, 260), 10);
  EXPECT_EQ(nameTables[0].placements[0], (SpritePlacement{0, 399, 251.75f}));
  EXPECT_EQ(tableStudio.draggedPlacement, -1);
  gui.PressKey(ImGuiKey_B);
  gui.Click(Screen(100, 100));
  EXPECT_EQ(notice.text.rfind("SPRITES is on", 0), 0u) << "a brush click beside the sprites says why it paints nothing";

  gui.ClickItem("SPRITES");
  EXPECT_EQ(nameTables[0].placements.size(), 1u) << "regression: sprite mode off deleted the placements";
  Choose({"DEL SPRITES", "YES"});
  EXPECT_TRUE(nameTables[0].placements.empty());
}

TEST_F(TableStudioGui, AMetaspriteDropsAsAllItsPartsTheFirstOnTopAndMovesAsOne) {
  project.metasprites = {Metasprite{"Hero", 32, 16, {{0, 0, 0}, {0, 16, 0}}}};
  sprites()[0].pixels[3][3] = 1;
  gui.Frame();
  const std::vector<ImVec2> rows = gui.ItemCentres("##metarow");
  ASSERT_EQ(rows.size(), 1u) << "after the sprites";
  gui.Drag(rows[0], Screen(300, 200), 15);
  EXPECT_EQ(nameTables[0].placements,
            (std::vector<SpritePlacement>{{0, 299.25f + 16 * 4.75f, 199.5f, 0}, {0, 299.25f, 199.5f, 0}}))
      << "the second part first, so that the first is drawn last, on top";
  EXPECT_TRUE(tableStudio.spritesMode) << "a drop with SPRITES off turns it on";
  gui.Drag(gui.ItemCentres("##metarow")[0], Screen(600, 500), 15);
  ASSERT_EQ(nameTables[0].placements.at(3).group, 1) << "a second drop is a group of its own";

  // Grabbing the first one's right part carries its left part along, and the second stays.
  gui.Drag(Screen(299.25f + 16 * 4.75f + 10, 210), Screen(299.25f + 16 * 4.75f + 10 + 47.5f, 210 + 19), 10);
  EXPECT_EQ(nameTables[0].placements[0], (SpritePlacement{0, 299.25f + 26 * 4.75f, 218.5f, 0}));
  EXPECT_EQ(nameTables[0].placements[1], (SpritePlacement{0, 299.25f + 10 * 4.75f, 218.5f, 0}));
  EXPECT_EQ(nameTables[0].placements[3].x, 598.5f);
}

TEST_F(TableStudioGui, ZoomOpensTheTileEditorAndAStrokePaintsTheTile) {
  gui.Click(Cell(5, 10));
  Choose({"ZOOM##zoom", "Close"});  // an empty cell: a notice whose Close closes it
  EXPECT_FALSE(tableStudio.tileEditorOpen);
  nameTables[0].cells[10 * 32 + 5] = 7;
  Choose({"ZOOM##zoom"});
  // The grid scrolls the selected tile to the middle of its view.
  const ImGuiWindow* editor = ImGui::FindWindowByName("Tile Editor");
  ASSERT_NE(editor, nullptr);
  const ImVec2 middle = editor->Rect().GetCenter();
  const std::vector<ImVec2> tiles = gui.ItemCentres("##t_edit");
  const ImVec2 selected = *std::min_element(tiles.begin(), tiles.end(), [middle](ImVec2 a, ImVec2 b) {
    return std::hypot(a.x - middle.x, a.y - middle.y) < std::hypot(b.x - middle.x, b.y - middle.y);
  });
  EXPECT_FALSE(editor->Rect().Contains(gui.ItemCenter("ZOOM##zoom"))) << "it opens clear of the tools";
  EXPECT_GE(editor->Size.x * editor->Size.y, 400.0f * 300.0f) << "at a size that shows several tiles";

  // A placement under the window stays put while the window is painted in.
  const ImVec2 start(selected.x - 92, selected.y - 92), corner = Screen(0, 0);
  nameTables[0].placements = {{0, start.x - corner.x - 10, start.y - corner.y - 10}};
  const std::vector<SpritePlacement> placed = nameTables[0].placements;
  tableStudio.foregroundPen = 11;
  gui.Drag(start, ImVec2(selected.x + 92, selected.y - 92), 14);
  gui.MoveMouse(selected), gui.Frame(2);
  EXPECT_EQ(nameTables[0].placements, placed) << "regression: the stroke dragged the sprite behind the window";
  EXPECT_EQ(Digits(tileSets[0].pixels[7][0], 32), "11111111" + std::string(24, '0'))
      << "the stroke crossed the top row of tile 7, and the pointer's way after it painted nothing";
  EXPECT_EQ(tileSets[0].foreground[7][0], 11);

  // It hides no cell: the next cell is picked with it open, and its grid scrolls there.
  EXPECT_FALSE(editor->Rect().Overlaps(ImRect(Screen(0, 0), Screen(38 * 32, 38 * 24))));
  nameTables[0].cells[3 * 32 + 25] = 9;
  gui.Click(Cell(25, 3));
  gui.Frame(2);
  EXPECT_EQ(tableStudio.selectedCell, (CellRef{25, 3}));
  const ImGuiWindow* grid = editor->DC.ChildWindows.back();
  EXPECT_NEAR(grid->Scroll.x, std::min(25 * 214.8f + 106.4f - grid->Size.x / 2, grid->ScrollMax.x), 1);
  ImGui::SetScrollX(const_cast<ImGuiWindow*>(grid), 0);  // the user scrolls away
  gui.Frame(2);
  EXPECT_EQ(grid->Scroll.x, 0) << "the grid scrolls to a cell once, when it is chosen";
  // Moved, closed and opened again, it stays where the user put it.
  const ImVec2 title(editor->Pos.x + 60, editor->Pos.y + 8);
  gui.Drag(title, ImVec2(title.x + 200, title.y + 300));
  const ImVec2 moved = editor->Pos;
  Choose({"ZOOM##zoom", "ZOOM##zoom"});
  EXPECT_EQ(editor->Pos.x * 10000 + editor->Pos.y, moved.x * 10000 + moved.y);
  EXPECT_NE(moved.y, Screen(0, 0).y);
}

TEST_F(TableStudioGui, NameTableRowsReorderWithoutGrabbingTheSpritesBehind) {
  Choose({"ADD", "ADD"});
  gui.Drag(gui.ItemCenter("Name Table 1"), gui.ItemCenter("Name Table 3"));
  EXPECT_EQ(Names(nameTables) + std::to_string(tableStudio.currentNameTable),
            "Name Table 2|Name Table 3|Name Table 1|2");
  const ImVec2 row = gui.ItemCenter("Name Table 3");
  gui.Drag(row, ImVec2(row.x + 30, row.y));
  EXPECT_EQ(tableStudio.currentNameTable, 1) << "regression: a row dropped on itself did not become current";
  // A placement under the list is not grabbed by a row dragged over it, nor by the next click.
  nameTables[1].placements = {{0, row.x - Screen(0, 0).x - 20, row.y - Screen(0, 0).y - 20}};
  const std::vector<SpritePlacement> placed = nameTables[1].placements;
  gui.Drag(gui.ItemCenter("Name Table 1"), row);
  gui.Click(Screen(600, 600));
  EXPECT_EQ(tableStudio.draggedPlacement, -1);
  for (const NameTable& table : nameTables)
    if (!table.placements.empty()) EXPECT_EQ(table.placements, placed);
}

// The palette showed the top third's set, and a brush tile then painted another picture below it.
TEST_F(TableStudioGui, ThePaletteShowsTheSetOfTheThirdUnderThePointer) {
  tileSets.resize(3);
  Choose({"ADD"});
  nameTables[1].thirdTileSets[0] = 2, nameTables[1].thirdTileSets[2] = 1;
  gui.Frame(2);
  EXPECT_EQ(tableStudio.paletteTileSet, 2);
  gui.MoveMouse(Cell(5, 20));
  gui.Frame(2);
  EXPECT_EQ(tableStudio.paletteThird * 10 + tableStudio.paletteTileSet, 21) << "over the bottom third";
  gui.MoveMouse(Cell(5, 3));
  gui.Frame(2);
  EXPECT_EQ(tableStudio.paletteTileSet, 2) << "over the top third";
  Choose({"Name Table 1"});
  EXPECT_EQ(tableStudio.paletteTileSet, 0) << "another table: its own third's set";
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
  EXPECT_EQ(tableStudio.currentNameTable * 100 + tableStudio.paletteTileSet * 10 + nameTables.size(), 1u);
  EXPECT_FALSE(gui.HasItem("Close")) << "without sprites the frame ends before the Tile Editor";
}

TEST_F(TableStudioGui, ThePaintingToolsPaintPickFillAndCopyEachAsOneStep) {
  const std::vector<ImVec2> palette = gui.ItemCentres("##scrollCell");
  tileSets[0].background[9][4] = 8, gui.Frame();
  EXPECT_EQ(gui.ColourAt(ImVec2(palette[9].x + 1, palette[9].y + 1)), Palette[8]) << "the palette shows each tile";
  gui.PressKey(ImGuiKey_B);
  gui.PressKey(ImGuiMod_Ctrl | ImGuiKey_R);  // a chord is not the RECT key
  EXPECT_EQ(tableStudio.tool, ScreenTool::Brush);
  gui.Click(palette[9]);
  EXPECT_EQ(tableStudio.brush.tiles, std::vector<uint8_t>{9}) << "a palette click makes the brush";
  gui.Drag(palette[10], palette[19], 4, 1);
  EXPECT_EQ(tableStudio.brush.tiles, (std::vector<uint8_t>{10, 11, 18, 19})) << "a right drag over it makes a block";
  gui.Click(palette[9]);
  gui.MoveMouse(Cell(2, 5)), gui.Frame();
  gui.Press(), gui.Frame();
  EXPECT_EQ(gui.ColourAt(Screen(38 * 2 + 10, 38 * 5 + 19)), Palette[8]) << "a stroke shows in the frame of its press";
  gui.Release(), gui.Frame();
  gui.Drag(Cell(2, 5), Cell(12, 5), 3);  // three mouse samples: the cells between are filled
  for (int column = 1; column <= 13; ++column) EXPECT_EQ(CellValue(column, 5), column == 1 || column == 13 ? 255 : 9);
  gui.Drag(Cell(0, 6), Screen(-30, 38 * 6 + 17), 3);  // on past the screen's left edge
  EXPECT_EQ(CellValue(0, 6) * 1000 + CellValue(31, 5), 9255) << "the row above's last cell stays";
  EXPECT_EQ(CellValue(6, 6), 255) << "without Shift no line joins the last stroke";
  const NameTable painted = nameTables[0];
  Choose({"CLEAR TABLE"});
  gui.PressKey(ImGuiKey_R);  // a tool key while a question is open
  Choose({"CANCEL"});
  EXPECT_TRUE(nameTables[0] == painted && tableStudio.tool == ScreenTool::Brush)
      << "a click on a dialog paints nothing beneath it, a key there chooses no tool";
  gui.PressKey(ImGuiMod_Ctrl | ImGuiKey_Z);
  gui.PressKey(ImGuiMod_Ctrl | ImGuiKey_Z);
  EXPECT_EQ(CellValue(7, 5), 255) << "the whole stroke was one step";
  ImGui::GetIO().AddKeyEvent(ImGuiMod_Shift, true);
  gui.Click(Cell(4, 6));
  ImGui::GetIO().AddKeyEvent(ImGuiMod_Shift, false);
  EXPECT_EQ(CellValue(2, 6), 9) << "Shift+click: the line from the last cell painted";

  nameTables[0].cells[0] = 4;
  gui.PressKey(ImGuiKey_F);
  gui.MoveMouse(Cell(0, 0));
  gui.Frame(2);
  EXPECT_EQ(CellValue(0, 0), 4) << "FILL waits for a click";
  gui.Click(Cell(0, 0), 0);  // FILL on tile 4: only that cell
  EXPECT_EQ(CellValue(0, 0), 9);
  gui.PressKey(ImGuiKey_I), gui.PressKey(ImGuiKey_I);  // twice: PICK still goes back to FILL
  nameTables[0].cells[1] = 30;
  gui.Click(Cell(1, 0));
  EXPECT_EQ(tableStudio.brush.tiles, std::vector<uint8_t>{30});
  EXPECT_EQ(tableStudio.tool, ScreenTool::Fill) << "PICK returns to the tool before it";
  gui.Click(Cell(5, 20));
  EXPECT_EQ(CellValue(31, 23) * 1000 + CellValue(1, 0), 30030) << "every empty cell filled";

  gui.PressKey(ImGuiKey_R);
  gui.Drag(Cell(6, 3), Cell(4, 1), 4);  // dragged up and left
  EXPECT_EQ(CellValue(4, 1) * 1000 + CellValue(6, 3), 30030);
  gui.PressKey(ImGuiKey_S);
  nameTables[0].cells[2 * 32 + 2] = 7;
  gui.Drag(Cell(2, 2), Cell(3, 3), 4);
  ASSERT_TRUE(tableStudio.hasRegion);
  gui.PressKey(ImGuiMod_Ctrl | ImGuiKey_X);
  EXPECT_EQ(tableStudio.brush.tiles, (std::vector<uint8_t>{7, 30, 30, 30}));
  EXPECT_EQ(CellValue(2, 2) * 1000 + CellValue(3, 3), 255255) << "cut leaves empty cells";
  gui.Drag(palette[3], Cell(8, 8), 8);
  EXPECT_EQ(CellValue(8, 8), 3) << "a palette drop still works in SELECT";
  gui.Click(palette[5]);
  EXPECT_EQ(tableStudio.brush.tiles.size(), 4u) << "where a palette click leaves the brush alone";
  gui.Click(Cell(8, 8));
  gui.Click(Cell(2, 22));
  EXPECT_EQ(tableStudio.selectedCell, (CellRef{2, 22})) << "and a click selects a cell";
  gui.Click(Cell(2, 22));
  EXPECT_TRUE(tableStudio.selectedCell.IsNone());
}

TEST_F(TableStudioGui, ChipViewShowsTile255InEmptyCellsAndDropsTheFifthSpriteOnALine) {
  std::fill(tileSets[0].background[EmptyCell], tileSets[0].background[EmptyCell] + 8, 8);  // tile 255: red
  nameTables[0].backdrop = 4;
  for (int i = 0; i < 5; ++i) {
    sprites().push_back(DefaultSprite());
    std::fill(&sprites()[i].pixels[0][0], &sprites()[i].pixels[0][0] + 256, 1);
    sprites()[i].colour = 10 + i;
    nameTables[0].placements.push_back({i, 4.75f * 20 * i, 4.75f * 100});  // five in a row on lines 100-115
  }
  gui.Frame(2);
  auto chipPixel = [this](float x, float y) { return gui.ColourAt(Screen(4.75f * x + 2, 4.75f * y + 2)); };
  EXPECT_EQ(chipPixel(2, 3), Palette[4]) << "the editor shows the backdrop in empty cells";
  EXPECT_EQ(chipPixel(3, 102), Palette[10]) << "and every sprite";
  gui.ClickItem("CHIP VIEW");
  gui.MoveMouse(ImVec2(-1, -1));
  gui.Frame(2);
  EXPECT_EQ(chipPixel(2, 3), Palette[8]) << "the chip draws tile 255 there";
  EXPECT_EQ(chipPixel(3, 102), Palette[8]) << "the first placement is the fifth plane: it vanishes";
  EXPECT_EQ(chipPixel(83, 102), Palette[14]);
  EXPECT_EQ(gui.ColourAt(Screen(-5, 4.75f * 100 + 2)), IM_COL32(255, 40, 40, 255)) << "the line is marked";
  EXPECT_EQ(gui.ColourAt(Screen(-5, 4.75f * 99 + 2)), gui.ColourAt(Screen(-5, 4.75f * 120 + 2)));
  tableStudio.shownAs = 1;
  gui.Frame(2);
  EXPECT_EQ(chipPixel(83, 102), kChipPalettes[1].colours[14]) << "the screen compared in another palette";
  EXPECT_EQ(int(project.palette) * 100 + int(Palette[14] == kChipPalettes[0].colours[14]), 1) << "nothing else";
}

TEST_F(TableStudioGui, ThePngExportShowsWhatTheScreenViewShows) {
  for (int tile = 0; tile < 256; ++tile) FillTile(tileSets[0], tile, tile);  // colour 0 included
  for (int cell = 0; cell < kTableCells; ++cell) nameTables[0].cells[cell] = cell % 11 ? cell % 256 : EmptyCell;
  nameTables[0].backdrop = 4;
  std::fill(&sprites()[0].pixels[0][0], &sprites()[0].pixels[0][0] + 256, 1);
  sprites()[0].colour = 9;
  nameTables[0].placements = {{0, 4.75f * 40, 4.75f * 30}};
  tableStudio.showGrid = false;
  gui.MoveMouse(ImVec2(-1, -1));
  gui.Frame(2);
  const RgbaImage png = Decoded(PngFiles(project, 1, SelectAll(project, kAllTables)).front().bytes);
  const std::vector<uint8_t> scaledRgba =
      Decoded(PngFiles(project, 3, SelectAll(project, kAllTables)).front().bytes).rgba;
  ASSERT_EQ(png.width * scaledRgba.size(), 256u * 768 * 576 * 4);
  for (int y = 1; y < 192; y += 13)
    for (int x = 2; x < 256; x += 17) {
      const uint8_t* p = &png.rgba[(y * 256 + x) * 4];
      ASSERT_EQ(gui.ColourAt(Screen(4.75f * x + 2.4f, 4.75f * y + 2.4f)), IM_COL32(p[0], p[1], p[2], p[3]))
          << x << "," << y;
      ASSERT_EQ(std::memcmp(p, &scaledRgba[((3 * y + 2) * 768 + 3 * x + 1) * 4], 4), 0) << "--scale 3";
    }
}

TEST_F(TableStudioGui, AScreensModeIsChosenAndItsTextAndBlocksArePainted) {
  nameTables[0].cells[2 * 32 + 3] = 7;
  const auto choose = [this](const char* mode) {
    const ImVec2 backdrop = gui.ItemCenter("Backdrop");
    gui.Click(ImVec2(backdrop.x, backdrop.y + 24));  // the mode combo, under the backdrop
    gui.Frame(3);
    Choose({mode});
  };
  const auto chip = [this](float x, float y) { return Screen(x * 4.75f + 2, y * 4.75f + 2); };
  choose("Text");
  ASSERT_EQ(nameTables[0].mode, ScreenMode::Text);
  EXPECT_EQ(nameTables[0].textCells[2 * 40 + 3], 7) << "its names kept";
  EXPECT_NE(notice.text.find("its names fill the left 32 columns"), std::string::npos) << notice.text;
  tableStudio.brush = TileBlock{1, 1, {11}};
  gui.Drag(chip(kTextBorder + 6 * 33, 8 * 2), chip(kTextBorder + 6 * 35, 8 * 2), 4);  // columns 33 to 35 of row 2
  gui.Click(chip(kTextBorder + 6 * 34, 8 * 2 + 7), ImGuiMouseButton_Right);
  EXPECT_EQ(Digits(&nameTables[0].textCells[2 * 40 + 32], 5) + UndoName(history), "?B?B?text stroke")
      << "33 and 35 painted, 34 emptied again";

  choose("Multicolor");
  ASSERT_EQ(nameTables[0].blocks.size(), 64u * 48u);
  const ImVec2 slider = gui.ItemCenter("##Block");
  gui.Drag(slider, ImVec2(slider.x + 40, slider.y), 4);  // the colour slider to 15
  gui.Drag(chip(0, 100), chip(12, 100), 4);
  EXPECT_EQ(Digits(&nameTables[0].blocks[25 * 64], 4), "FFFF") << "block row 25, columns 0 to 3";
  gui.PressKey(ImGuiMod_Ctrl | ImGuiKey_Z);
  gui.PressKey(ImGuiMod_Ctrl | ImGuiKey_Z);
  EXPECT_EQ(nameTables[0].mode, ScreenMode::Text) << "the stroke, then the mode undone";
}
