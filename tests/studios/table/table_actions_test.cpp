#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "studios/table/table_list_actions.h"
#include "studios/table/table_paint_actions.h"
#include "studios/table/table_placements.h"
#include "studios/table/table_screen_actions.h"
#include "support/project_fixtures.h"

namespace {
std::string TokenBlock(const std::string& name, int bytes) {
  std::string text = name + ":";
  char number[8];
  for (int i = 0; i < bytes; ++i) {
    std::snprintf(number, sizeof number, "$%02X", i % 200);  // byte i holds i % 200
    text += (i % 32 ? "," : "\n db ") + std::string(number);
  }
  return text + "\n";
}

int CountCells(const NameTable& table, uint8_t value) {
  return static_cast<int>(std::count(std::begin(table.cells), std::end(table.cells), value));
}

NameTable Named(const char* name, uint8_t fill) {
  NameTable table;
  SetName(table.name, name);
  std::fill(std::begin(table.cells), std::end(table.cells), fill);
  return table;
}
}  // namespace

TEST(TableScreen, SectionsCellsSelectionAndModes) {
  TableStudioState state;
  NameTable table;
  for (int section = 0; section < 3; ++section) ChooseSectionTileSet(state, table, section, 1 << section);
  EXPECT_EQ(state.paletteTileSet, 4);
  EXPECT_EQ(std::string(SectionName(7)) + SectionName(8) + SectionName(15) + SectionName(16), "TopMiddleMiddleBottom");
  for (auto [row, count, set] : {std::tuple{7, 5, 1}, {8, 5, 2}, {16, 5, 4}, {16, 4, 0}})
    EXPECT_EQ(TileSetForRow(table, row, count), set) << row << ": a choice naming no set draws from the first";

  ToggleTileEditor(state);
  EXPECT_FALSE(state.tileEditorOpen) << "ZOOM needs a selected cell";
  ClickCell(state, 1, 1);
  ToggleSpritesMode(state);
  ToggleTileEditor(state);
  EXPECT_EQ(state.selectedCell.IsNone() * 10 + state.tileEditorOpen, 10) << "nor in sprite mode";

  SetName(table.name, "kept");
  table.placements.push_back({0, 1, 2});
  ClearTableCells(table);
  EXPECT_EQ(CountCells(table, EmptyCell) + table.placements.size() + std::string(table.name).size(), kTableCells + 5u)
      << "the name and the placements are kept";
}

TEST(TablePlacements, GrabMoveAndMarks) {
  TableStudioState state;
  NameTable table;
  AddPlacement(table, 2, 10.25f, 20.5f);
  AddPlacement(table, 3, 30, 40);
  GrabPlacement(state, 0, 4, 5);
  GrabPlacement(state, 1, 1, 1);  // the first grabbed placement keeps the mouse
  MoveGrabbedPlacement(state, table, 1, 0, 0);
  EXPECT_EQ(table.placements[1], (SpritePlacement{3, 28.5f, 38})) << "added snapped, and not moved";

  for (int row = 0; row < 40; ++row) ClickSpriteRow(state, row, CountSpriteMarks(state, 256));
  EXPECT_EQ(CountSpriteMarks(state, 256) * 10 + state.spriteMarks[32], 320);
  ClickSpriteRow(state, 3, 32);
  EXPECT_FALSE(state.spriteMarks[3]) << "a marked row can always be unmarked";
  SyncSpriteMarks(state, 10);
  EXPECT_EQ(CountSpriteMarks(state, 256), 9);
}

TEST(NameTableImport, TokenBlocksBecomeScreens) {
  TableStudioState state;
  std::vector<NameTable> tables{DefaultNameTable()};
  ImportNameTablesToken(state, tables, (TokenBlock("Name Table 1", 768) + TokenBlock("title", 768)).c_str());
  EXPECT_EQ(Names(tables), "Name Table 1|title|") << "a lone untouched table is taken over, once";
  EXPECT_EQ(tables[0].cells[767], 767 % 200);

  EXPECT_EQ(ImportNameTablesToken(state, tables, (TokenBlock("map", 1000) + TokenBlock("x", 5)).c_str()),
            "Imported 3 name tables; 2 screens had fewer than 768 bytes: their other cells were not written");
  tables.pop_back();
  EXPECT_EQ(Names(tables), "Name Table 1|title|map|map (2)|");
  EXPECT_EQ(CountCells(tables[3], EmptyCell) * 1000 + tables[3].cells[231], 536000 + 999 % 200);
  EXPECT_EQ(state.currentNameTable, 4) << "the last table made";

  tables = {Named("Name Table 1", 7)};
  tables[0].placements.push_back({0, 1, 1});
  EXPECT_EQ(ImportNameTablesToken(state, tables, TokenBlock("short", 100).c_str()),
            "Imported 1 name table; \"short\" had 100 of 768 bytes: cells 100 to 767 were not written");
  ASSERT_EQ(tables.size() * 10 + tables[0].placements.size(), 11u);
  EXPECT_EQ(tables[0].cells[99] * 1000 + tables[0].cells[100], 99007) << "cells past the block keep the drawing";

  ImportNameTablesToken(state, tables, TokenBlock("abcdefghijklmnopqrst", 1600).c_str());
  EXPECT_EQ(Names(tables).substr(6), "abcdefghijklmnopqrst|abcdefghijklmnopqrst|abcdefghijklmnopqrst|")
      << "a 20-character name loses its suffix";
  tables.resize(255);
  ImportNameTablesToken(state, tables, TokenBlock("more", 768 * 3).c_str());
  EXPECT_EQ(tables.size(), 256u);
}

TEST(NameTableImport, RawHexTakesWholeScreensOnly) {
  TableStudioState state;
  std::vector<NameTable> none{DefaultNameTable()};
  EXPECT_EQ(ImportNameTablesRawHex(state, none, nullptr), "No name table data found: 768 bytes per screen are needed");
  const NameTable zeros = Named("mine", 0);
  NameTable drawn = zeros;
  drawn.cells[5] = 1;
  for (auto [before, bytes, after] : {std::tuple{std::vector<NameTable>{DefaultNameTable()}, 700, "Name Table 1|"},
                                      {{DefaultNameTable()}, 1600, "Imported 1|Imported 2|"},
                                      {{zeros}, 768, "Imported 1|"},
                                      {{drawn}, 768, "mine|Imported 1|"},
                                      {{zeros, zeros, zeros}, 768 * 2, "mine|mine|mine|Imported 3|Imported 4|"}}) {
    ImportNameTablesRawHex(state, before, std::string(2 * bytes, 'A').c_str());
    EXPECT_EQ(Names(before), after);
    EXPECT_EQ(CountCells(before.back(), 0xAA), bytes < 768 ? 0 : 768);
  }
  std::vector<NameTable> tables(255, zeros);
  EXPECT_EQ(ImportNameTablesRawHex(state, tables, std::string(2 * 768 * 3, 'A').c_str()),
            "Imported 1 name table, stopped at 256 name tables");
  state.currentNameTable = 255;
  DeleteNameTable(state, tables);
  EXPECT_EQ(state.currentNameTable, 254) << "the last one deleted: its neighbour becomes current";
  tables.push_back(zeros);
  ImportNameTablesRawHex(state, tables, nullptr);
  EXPECT_EQ(tables.size(), 256u);
}

namespace {
// Rows of a screen's top-left corner as text, one character a cell: '.' empty, else 'a' + tile.
std::string Corner(const NameTable& table, int rows, int columns) {
  std::string text;
  for (int row = 0; row < rows; ++row, text += '|')
    for (int column = 0; column < columns; ++column) {
      const uint8_t cell = table.cells[row * kTableColumns + column];
      text += cell == EmptyCell ? '.' : static_cast<char>('a' + cell);
    }
  return text;
}
}  // namespace

TEST(TablePaint, StampsLinesAndRectanglesStayOnTheScreen) {
  NameTable table;
  const TileBlock block = PaletteBlock(9, 2);  // palette rows 0-1, columns 1-2
  EXPECT_EQ(block.tiles, (std::vector<uint8_t>{1, 2, 9, 10}));
  StampBlock(table, block, {0, 1});
  StampBlock(table, block, {23, 31});  // only its top-left tile fits
  StampBlock(table, block, {0, 1}, true);
  StampBlock(table, SingleTile(3), {1, 0});
  EXPECT_EQ(Corner(table, 2, 4), "....|d...|");
  EXPECT_EQ(table.cells[767], 1);

  StampLine(table, SingleTile(0), {0, 0}, {23, 31});  // far apart: one cell a column, no gaps
  for (int column = 0; column < kTableColumns; ++column) {
    int painted = 0;
    for (int row = 0; row < kTableRows; ++row) painted += table.cells[row * kTableColumns + column] == 0;
    EXPECT_EQ(painted, 1) << column;
  }
  for (auto [a, b] : {std::pair{GridCell{5, 7}, GridCell{2, 3}}, {GridCell{2, 3}, GridCell{5, 7}}}) {
    const CellArea area = AreaBetween(a, b);
    EXPECT_EQ(std::vector<int>({area.top, area.left, area.bottom, area.right}), std::vector<int>({2, 3, 5, 7}));
  }
  const CellArea clipped = AreaBetween({-4, 40}, {20, 29});
  EXPECT_EQ(std::vector<int>({clipped.top, clipped.left, clipped.bottom, clipped.right}),
            std::vector<int>({0, 29, 20, 31}));

  NameTable region;
  FillArea(region, AreaBetween({3, 2}, {1, 0}), block);  // the block repeats from the top-left
  EXPECT_EQ(Corner(region, 4, 4), "....|bcb.|jkj.|bcb.|");
  const TileBlock copy = CopyArea(region, {1, 1, 2, 2});
  EraseArea(region, {1, 0, 1, 3});
  StampBlock(region, copy, {0, 2});
  EXPECT_EQ(Corner(region, 4, 4), "..cb|..kj|jkj.|bcb.|");
  EXPECT_EQ(TileAt(region, {2, 1}), 10);
}

TEST(TablePaint, FloodFillTakesTheConnectedCellsOfOneTileAcrossThirds) {
  NameTable table;
  for (int row = 0; row < kTableRows; ++row) table.cells[row * kTableColumns + 4] = 7;  // a wall down column 4
  table.cells[10 * kTableColumns + 4] = EmptyCell;                                      // with a gap in row 10
  table.cells[20 * kTableColumns + 30] = 7;                                             // and a lone cell
  EXPECT_EQ(FloodFill(table, {0, 4}, SingleTile(7)), 0) << "the filled tile equal to the target changes nothing";
  EXPECT_EQ(FloodFill(table, {0, 4}, SingleTile(2)), 10) << "rows 0-9: the wall above the gap";
  EXPECT_EQ(FloodFill(table, {23, 4}, SingleTile(3)), 13) << "rows 11-23, across two thirds";
  EXPECT_EQ(table.cells[20 * kTableColumns + 30], 7) << "not connected";
  EXPECT_EQ(FloodFill(table, {0, 0}, SingleTile(1)), kTableCells - 24) << "every empty cell, through the gap";
  EXPECT_EQ(FloodFill(table, {-1, 0}, SingleTile(1)), 0);
}
