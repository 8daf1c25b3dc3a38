#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "studios/table/table_list_actions.h"
#include "studios/table/table_placements.h"
#include "studios/table/table_screen_actions.h"
#include "studios/table/table_tile_editor.h"

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

std::string Hex(int bytes) {
  std::string text;
  for (int i = 0; i < bytes; ++i) text += "2A ";
  return text;
}

std::vector<std::string> Names(const std::vector<NameTable>& tables) {
  std::vector<std::string> names;
  for (const NameTable& table : tables) names.push_back(table.name);
  return names;
}

int CountCells(const NameTable& table, uint8_t value) {
  return static_cast<int>(std::count(std::begin(table.cells), std::end(table.cells), value));
}
}  // namespace

TEST(TableScreen, SectionsCellsAndSelection) {
  TableStudioState state;
  NameTable table;
  ChooseSectionTileSet(state, table, 0, 1);
  ChooseSectionTileSet(state, table, 1, 2);
  ChooseSectionTileSet(state, table, 2, 4);
  EXPECT_EQ(state.paletteTileSet, 4);
  EXPECT_EQ(TileSetForRow(table, 7, 5), 1);
  EXPECT_EQ(TileSetForRow(table, 8, 5), 2);
  EXPECT_EQ(TileSetForRow(table, 16, 5), 4);
  EXPECT_EQ(TileSetForRow(table, 16, 4), 0) << "a choice naming no set draws from the first";
  EXPECT_STREQ(SectionName(15), "Middle");

  DropTileOnCell(table, 31, 23, 0x1FE);
  EXPECT_EQ(table.cells[767], 0xFE);
  DropTileOnCell(table, 31, 23, 255);
  EXPECT_EQ(table.cells[767], EmptyCell);

  ClickCell(state, 3, 4);
  EXPECT_EQ(state.selectedCell, (CellRef{3, 4}));
  ClickCell(state, 5, 4);
  EXPECT_EQ(state.selectedCell, (CellRef{5, 4}));
  ClickCell(state, 5, 4);
  EXPECT_TRUE(state.selectedCell.IsNone());

  ToggleTileEditor(state);
  EXPECT_FALSE(state.tileEditorOpen) << "ZOOM needs a selected cell";
  ClickCell(state, 1, 1);
  table.placements.push_back({0, 1, 2});
  ToggleSpritesMode(state);
  EXPECT_TRUE(state.selectedCell.IsNone());
  ToggleTileEditor(state);
  EXPECT_FALSE(state.tileEditorOpen) << "nor in sprite mode";
  ToggleSpritesMode(state);
  EXPECT_EQ(table.placements.size(), 1u) << "regression: sprite mode off deleted the placements";
  RemovePlacements(table);
  EXPECT_TRUE(table.placements.empty());

  table.cells[0] = 4;
  table.placements.push_back({0, 1, 2});
  SetName(table.name, "kept");
  ClearTableCells(table);
  EXPECT_EQ(CountCells(table, EmptyCell), kTableCells);
  EXPECT_STREQ(table.name, "kept");
  EXPECT_EQ(table.placements.size(), 1u);
}

TEST(TableScreen, IndicesComeBackIntoShorterLists) {
  TableStudioState state;
  state.currentNameTable = 4;
  state.paletteTileSet = -3;
  std::vector<TileSet> sets(2);
  std::vector<NameTable> tables(3);
  KeepTableIndicesInRange(state, sets, tables);
  EXPECT_EQ(state.currentNameTable, 0);
  EXPECT_EQ(state.paletteTileSet, 0);
  state.paletteTileSet = 1;
  KeepTableIndicesInRange(state, sets, tables);
  EXPECT_EQ(state.paletteTileSet, 1);
  sets.clear();
  tables.clear();
  KeepTableIndicesInRange(state, sets, tables);
  EXPECT_EQ(sets.size(), 1u);
  EXPECT_EQ(tables.size(), 1u);
}

TEST(TablePlacements, GrabMoveAndMarks) {
  TableStudioState state;
  NameTable table;
  AddPlacement(table, 2, 10.25f, 20.5f);
  AddPlacement(table, 3, 30, 40);
  GrabPlacement(state, 0, 4, 5);
  GrabPlacement(state, 1, 1, 1);
  EXPECT_EQ(state.draggedPlacement, 0) << "the first grabbed placement keeps the mouse";
  MoveGrabbedPlacement(state, table, 0, 104.5f, 205);
  EXPECT_FLOAT_EQ(table.placements[0].x, 100.5f);
  EXPECT_FLOAT_EQ(table.placements[0].y, 200.0f);
  MoveGrabbedPlacement(state, table, 1, 0, 0);
  EXPECT_FLOAT_EQ(table.placements[1].x, 30.0f);

  for (int row = 0; row < 40; ++row) ClickSpriteRow(state, row, CountSpriteMarks(state, 256));
  EXPECT_EQ(CountSpriteMarks(state, 256), 32);
  EXPECT_FALSE(state.spriteMarks[32]);
  ClickSpriteRow(state, 3, 32);
  EXPECT_FALSE(state.spriteMarks[3]) << "a marked row can always be unmarked";
  SyncSpriteMarks(state, 10);
  EXPECT_EQ(CountSpriteMarks(state, 256), 9);
}

TEST(TableTileEditor, PaintsOnlyCellsOfTheEditedSet) {
  TableStudioState state;
  NameTable screen;
  screen.thirdTileSets[1] = 1;
  EXPECT_FALSE(CellPaintable(screen, 2, 3, 1));
  EXPECT_TRUE(CellPaintable(screen, 2, 12, 1));
  screen.thirdTileSets[0] = 1;
  EXPECT_TRUE(CellPaintable(screen, 2, 3, 1));

  TileSet set;
  state.foregroundPen = 9;
  PaintTilePixel(state, set, 5, 2, 3);
  EXPECT_EQ(set.pixels[5][3][2], 1);
  EXPECT_EQ(set.foreground[5][3], 9);
  state.penMode = kTableBackgroundPen;
  state.backgroundPen = 4;
  PaintTilePixel(state, set, 5, 2, 3);
  EXPECT_EQ(set.pixels[5][3][2], 0);
  EXPECT_EQ(set.background[5][3], 4);
  EXPECT_EQ(set.foreground[5][3], 9);
}

TEST(NameTableList, CommandsAndReorder) {
  TableStudioState state;
  std::vector<NameTable> tables{DefaultNameTable()};
  AddNameTable(state, tables);
  AddNameTable(state, tables);
  EXPECT_EQ(Names(tables), (std::vector<std::string>{"Name Table 1", "Name Table 2", "Name Table 3"}));
  state.currentNameTable = 0;
  DeleteNameTable(state, tables);
  AddNameTable(state, tables);
  EXPECT_EQ(Names(tables), (std::vector<std::string>{"Name Table 2", "Name Table 3", "Name Table 3"}));
  EXPECT_EQ(state.currentNameTable, 2);
  DeleteNameTable(state, tables);
  EXPECT_EQ(state.currentNameTable, 1);

  tables.resize(1);
  tables[0].cells[0] = 1;
  DeleteNameTable(state, tables);
  ASSERT_EQ(tables.size(), 1u);
  EXPECT_STREQ(tables[0].name, "Name Table 1");
  EXPECT_EQ(tables[0].cells[0], EmptyCell);

  while (tables.size() < 255) AddNameTable(state, tables);
  AddNameTable(state, tables);
  EXPECT_EQ(tables.size(), 255u);
  ClearNameTables(state, tables);
  EXPECT_EQ(tables.size(), 1u);

  tables.clear();
  for (const char* name : {"first", "second", "third", "fourth"}) {
    tables.emplace_back();
    SetName(tables.back().name, name);
  }
  MoveNameTable(state, tables, 0, 2);
  EXPECT_EQ(Names(tables), (std::vector<std::string>{"second", "third", "first", "fourth"}));
  EXPECT_EQ(state.currentNameTable, 2);
}

TEST(NameTableImport, TokenBlocksBecomeScreens) {
  TableStudioState state;
  std::vector<NameTable> tables{DefaultNameTable()};
  ImportNameTablesToken(state, tables, TokenBlock("title", 768).c_str());
  ASSERT_EQ(tables.size(), 1u);
  EXPECT_STREQ(tables[0].name, "title");
  EXPECT_EQ(tables[0].cells[767], 767 % 200);

  ImportNameTablesToken(state, tables, TokenBlock("map", 1000).c_str());
  EXPECT_EQ(Names(tables), (std::vector<std::string>{"title", "map", "map (2)"}));
  EXPECT_EQ(CountCells(tables[2], EmptyCell), 536);
  EXPECT_EQ(tables[2].cells[231], 999 % 200);
  EXPECT_EQ(state.currentNameTable, 2);

  tables = {DefaultNameTable()};
  std::fill(std::begin(tables[0].cells), std::end(tables[0].cells), 7);
  tables[0].placements.push_back({0, 1, 1});
  ImportNameTablesToken(state, tables, TokenBlock("short", 100).c_str());
  ASSERT_EQ(tables.size(), 1u);
  EXPECT_EQ(tables[0].cells[99], 99);
  EXPECT_EQ(tables[0].cells[100], 7) << "cells past the block keep the drawing";
  EXPECT_EQ(tables[0].placements.size(), 1u);

  ImportNameTablesToken(state, tables, TokenBlock("abcdefghijklmnopqrst", 1600).c_str());
  EXPECT_EQ(Names(tables).back(), "abcdefghijklmnopqrst") << "a 20-character name loses its suffix";
  EXPECT_EQ(tables.size(), 4u);

  tables.resize(255);
  ImportNameTablesToken(state, tables, TokenBlock("more", 768 * 3).c_str());
  EXPECT_EQ(tables.size(), 256u);
}

TEST(NameTableImport, RawHexTakesWholeScreensOnly) {
  TableStudioState state;
  std::vector<NameTable> tables{DefaultNameTable()};
  ImportNameTablesRawHex(state, tables, Hex(700).c_str());
  EXPECT_EQ(Names(tables), (std::vector<std::string>{"Name Table 1"}));
  ImportNameTablesRawHex(state, tables, Hex(1600).c_str());
  EXPECT_EQ(Names(tables), (std::vector<std::string>{"Imported 1", "Imported 2"}));
  EXPECT_EQ(CountCells(tables[1], 0x2A), 768);

  NameTable zeros;
  SetName(zeros.name, "mine");
  std::fill(std::begin(zeros.cells), std::end(zeros.cells), 0);
  tables = {zeros};
  ImportNameTablesRawHex(state, tables, Hex(768).c_str());
  EXPECT_EQ(Names(tables), (std::vector<std::string>{"Imported 1"}));

  tables = {zeros};
  tables[0].cells[5] = 1;
  ImportNameTablesRawHex(state, tables, Hex(768).c_str());
  EXPECT_EQ(Names(tables), (std::vector<std::string>{"mine", "Imported 1"}));

  tables.assign(3, zeros);
  ImportNameTablesRawHex(state, tables, Hex(768 * 2).c_str());
  EXPECT_EQ(Names(tables).back(), "Imported 4");
  EXPECT_EQ(Names(tables)[3], "Imported 3");

  tables.assign(255, zeros);
  ImportNameTablesRawHex(state, tables, Hex(768 * 3).c_str());
  EXPECT_EQ(tables.size(), 256u);
  ImportNameTablesRawHex(state, tables, nullptr);
}
