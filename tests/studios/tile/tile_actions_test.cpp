#include <gtest/gtest.h>

#include <memory>

#include "studios/tile/tile_canvas.h"
#include "studios/tile/tile_import.h"
#include "studios/tile/tile_set_actions.h"
#include "studios/tile/tile_sheet_actions.h"
#include "support/project_fixtures.h"

namespace {
// Records are large; tests keep them on the heap.
struct Fixture {
  std::unique_ptr<TileStudioState> state = std::make_unique<TileStudioState>();
  std::vector<TileSet> sets{DefaultTileSet()};
  std::vector<NameTable> tables{DefaultNameTable()};
  std::vector<Map> maps{DefaultMap()};
  TileStudioState& s() { return *state; }
  TileSet& set() { return sets[state->currentTileSet]; }
};
}  // namespace

TEST(TileCanvas, ShiftsCrossBlocksAndTheVacatedLineKeepsItsColours) {
  Fixture f;
  CanvasImage& c = f.s().canvas;
  c.pixels[0][7] = c.pixels[0][0] = 1;
  c.foreground[0][7] = 12, c.background[0][7] = 5, c.foreground[0][0] = 8;
  ShiftCanvasRight(f.s());
  EXPECT_EQ(Digits(c.pixels[0], 24), "010000001000000000000000") << "column 7 moved into block 1";
  EXPECT_EQ(Digits(c.foreground[0], 24), "88000000C000000000000000") << "the vacated column keeps its colours";
  EXPECT_EQ(c.background[0][8], 5);
  ShiftCanvasLeft(f.s());
  EXPECT_EQ(Digits(c.pixels[0], 24), "100000010000000000000000");

  c.pixels[15][3] = 1;
  c.background[15][3] = 7;
  ShiftCanvasUp(f.s());
  EXPECT_EQ(c.pixels[14][3] * 10 + c.pixels[15][3], 10);
  EXPECT_EQ(c.background[15][3], 7);
  ShiftCanvasDown(f.s());
  EXPECT_EQ(c.pixels[14][3] * 10 + c.pixels[15][3], 1);
}

// Painting the canvas changed nothing else until PUT TILES, and nothing said so.
TEST(TileCanvas, TheCanvasSaysWhileItDiffersFromItsLinkedTiles) {
  Fixture f;
  EXPECT_FALSE(CanvasDiffersFromTiles(f.s(), f.set()));
  for (auto [row, column, pen] : {std::tuple{15, 23, kForegroundPen}, {0, 0, kBackgroundPen}, {9, 4, kForegroundPen}}) {
    f.s().penMode = pen, f.s().foregroundPen = 0, f.s().backgroundPen = 9;
    PaintCell(f.s(), row, column);
    EXPECT_TRUE(CanvasDiffersFromTiles(f.s(), f.set())) << row << ", " << column;
    (pen == kForegroundPen ? PutTiles(f.s(), f.set()) : GetTiles(f.s(), f.set()));
    EXPECT_FALSE(CanvasDiffersFromTiles(f.s(), f.set()));
  }
  f.s().blockTiles[4] = 0, PutTiles(f.s(), f.set());  // two blocks on tile 0: PUT TILES leaves the later one
  EXPECT_FALSE(CanvasDiffersFromTiles(f.s(), f.set()));
  // New tiles under an untouched canvas (a load, an import): differing, but no edit of the user's waits.
  f.set().pixels[1][2][3] ^= 1;
  EXPECT_TRUE(CanvasDiffersFromTiles(f.s(), f.set()) && !CanvasHasUnstoredEdits(f.s(), f.set()));
  f.s().penMode = kForegroundPen, PaintCell(f.s(), 3, 3);
  EXPECT_TRUE(CanvasHasUnstoredEdits(f.s(), f.set()));
}

TEST(TileSheet, ClicksAssignBlocksRoundRobinAndMatchGroupsNumberDuplicatesByTheirLowestTile) {
  Fixture f;
  TileStudioState& s = f.s();
  s.selectionStart = 3, s.selectionEnd = 9;
  EXPECT_EQ(InSelection(s, 9) * 10 + InSelection(s, 10), 10);
  for (int tile = 100; tile < 107; ++tile) ClickSheetTile(s, tile);
  EXPECT_EQ(Digits(s.blockTiles, kBlocks) + std::to_string(s.nextBlock * 1000 + s.currentTile), "??????1106");
  EXPECT_EQ(s.blockTiles[0] * 1000 + s.blockTiles[5], 106105);
  EXPECT_FALSE(HasSelection(s));

  MatchTiles(s, f.set());
  EXPECT_EQ(Digits(s.matchGroups, 256), std::string(256, '1')) << "a new set is one group";
  MatchTiles(s, f.set());
  EXPECT_FALSE(HasMatchMarks(s)) << "a second click switches the marks off";
  for (int tile = 0; tile < 256; ++tile) {
    FillTile(f.set(), tile, tile * 7 + 1000);
    f.set().foreground[tile][7] = tile % 16, f.set().background[tile][7] = tile / 16;
  }
  MatchTiles(s, f.set());
  EXPECT_FALSE(HasMatchMarks(s)) << "no duplicates: all 0, and the next click computes again";
  for (auto [tile, seed] : {std::pair{40, 1}, {90, 1}, {20, 2}, {200, 2}, {60, 1}}) FillTile(f.set(), tile, seed);
  MatchTiles(s, f.set());
  EXPECT_EQ(Digits(s.matchGroups, 256).substr(0, 100),
            "0000000000000000000010000000000000000000200000000000000000002"
            "000000000000000000000000000002000000000");
  EXPECT_EQ(s.matchGroups[200], 1);
  MatchTiles(s, f.set());
  f.set().background[90][0] = (f.set().background[90][0] + 1) % 16;  // colours count where no pixel shows them
  MatchTiles(s, f.set());
  EXPECT_EQ(s.matchGroups[90], 0);
}

TEST(TileSheet, RegressionOverlappingPasteRenumbersEachCellOnce) {
  Fixture f;
  TileStudioState& s = f.s();
  for (int cell = 0; cell < 15; ++cell) f.tables[0].cells[cell] = cell;
  s.trackTiles = true;
  s.selectionStart = 0, s.selectionEnd = 9;
  CopyTiles(s, f.set());
  s.currentTile = 5;
  PasteTiles(s, f.sets, f.tables);
  EXPECT_EQ(std::string(f.tables[0].cells, f.tables[0].cells + 15),
            std::string("\5\6\7\10\11\12\13\14\15\16\12\13\14\15\16", 15));
}

TEST(TileSheet, RegressionTrackTileRenumbersOnlyCellsDrawnFromTheChangedSet) {
  Fixture f;
  TileStudioState& s = f.s();
  f.sets.resize(3);
  f.tables.resize(2);
  f.tables[0].thirdTileSets[1] = 1;                                    // top and bottom from set 0
  f.tables[1].thirdTileSets[0] = 1, f.tables[1].thirdTileSets[2] = 9;  // no set 9: draws from set 0
  for (NameTable& table : f.tables) std::fill(std::begin(table.cells), std::end(table.cells), 0);
  auto thirds = [&f](int t) {
    const uint8_t* c = f.tables[t].cells;
    return std::to_string(c[0]) + "," + std::to_string(c[8 * 32 + 5]) + "," + std::to_string(c[16 * 32 + 31]);
  };
  s.trackTiles = true;
  s.currentTileSet = 1;
  SwapTiles(s, f.sets, 0, 10, f.tables);
  EXPECT_EQ(thirds(0) + "|" + thirds(1), "0,10,0|10,0,0");
  s.currentTileSet = 0;
  s.selectionStart = 0, s.selectionEnd = 3;
  CutTiles(s, f.set());
  s.currentTile = 20;
  PasteTiles(s, f.sets, f.tables);
  EXPECT_EQ(thirds(0) + "|" + thirds(1), "20,10,20|10,20,20") << "a third naming no set draws from the first";
  s.trackTiles = false, s.currentTile = 40, f.tables[0].cells[0] = 2;
  SwapTiles(s, f.sets, 2, 30, f.tables);
  PasteTiles(s, f.sets, f.tables);
  EXPECT_EQ(thirds(0) + "|" + thirds(1), "2,10,20|10,20,20") << "with TRACK TILE off no cell follows its tile";
}

TEST(TileSets, ListCommandsKeepACurrentSetAndMovesLandAtTheDropRow) {
  Fixture f;
  TileStudioState& s = f.s();
  AddTileSet(s, f.sets);
  s.currentTileSet = 0;
  DeleteTileSet(s, f.sets, f.tables, f.maps);
  for (int i = 0; i < 70; ++i) AddTileSet(s, f.sets);
  EXPECT_EQ(std::string(f.sets[1].name) + "|" + f.sets[63].name + "|" + std::to_string(f.sets.size()),
            "Tile Set 2|Tile Set 64|64")
      << "named after the count, not a running number";
  for (auto [current, after] : {std::pair{63, 62}, {10, 10}}) {
    s.currentTileSet = current;
    DeleteTileSet(s, f.sets, f.tables, f.maps);
    EXPECT_EQ(s.currentTileSet, after);
  }
  ClearTileSets(s, f.sets, f.tables, f.maps);
  DeleteTileSet(s, f.sets, f.tables, f.maps);
  EXPECT_EQ(std::string(f.sets[0].name) + std::to_string(f.sets.size()), "Tile Set 11") << "the last set stays";
  AddTileSet(s, f.sets);
  KeepCurrentTileSetInRange(s, f.sets);
  EXPECT_EQ(s.currentTileSet, 1) << "an index in range stays";
  s.currentTileSet = 5;  // after New or Load the list may be shorter, or empty
  f.sets.clear();
  KeepCurrentTileSetInRange(s, f.sets);
  EXPECT_EQ(s.currentTileSet * 10 + f.sets.size(), 1u);

  // The screens' thirds and the map follow their sets (A, B, C, D chosen by four thirds of two tables, D by the map).
  f.tables.resize(2);
  auto lettered = [&f] {
    f.sets.assign(4, TileSet{});
    for (int i = 0; i < 4; ++i)
      f.sets[i].name[0] = static_cast<char>('A' + i), f.tables[i / 3].thirdTileSets[i % 3] = i;
    f.maps[0].tileSet = 3;
  };
  auto thirds = [&f] {
    std::string names;
    for (int i = 0; i < 4; ++i) names += f.sets[f.tables[i / 3].thirdTileSets[i % 3]].name;
    return names + f.sets[f.maps[0].tileSet].name;
  };
  for (auto [from, to, order] : {std::tuple{0, 2, "BCAD"}, {3, 1, "ADBC"}, {2, 2, "ABCD"}}) {
    lettered();
    MoveTileSet(s, f.sets, f.tables, f.maps, from, to);
    std::string names;
    for (int i = 0; i < 4; ++i) names += f.sets[i].name;
    EXPECT_EQ(names + thirds() + std::to_string(s.currentTileSet), order + std::string("ABCDD") + std::to_string(to));
  }
  lettered();
  s.currentTileSet = 1;
  DeleteTileSet(s, f.sets, f.tables, f.maps);
  EXPECT_EQ(thirds(), "AACDD") << "later sets' thirds follow them down; the deleted one's draw from the first";
}

TEST(TileImport, TokenImportRunsIntoFollowingSets) {
  Fixture f;
  TileStudioState& s = f.s();
  std::string text = "tiles:\n";
  for (int tile = 0; tile < 10; ++tile) text += "  db $80,$01,$FF,$00,$00,$00,$00,$0" + std::to_string(tile) + "\n";
  s.currentTile = 250;
  f.sets[0].foreground[251][0] = 3;  // a row that has colours keeps them
  EXPECT_EQ(
      ImportTilesToken(s, f.sets, TileTable::Patterns, text.c_str()),
      "Imported 10 tile patterns at 250-003 (into the following sets); rows without colours were made white on black");
  ASSERT_EQ(f.sets.size(), 2u);
  EXPECT_STREQ(f.sets[1].name, "Tile Set");
  EXPECT_EQ(s.currentTileSet, 0);
  EXPECT_EQ(Digits(f.sets[0].pixels[250][0], 8) + Digits(f.sets[0].pixels[250][1], 8), "1000000000000001");
  EXPECT_EQ(f.sets[1].pixels[3][7][7], 1) << "tile 9 of the text: last byte $09";
  EXPECT_EQ(f.sets[1].pixels[4][0][0], 0);
  EXPECT_EQ(Digits(&f.sets[0].foreground[250][0], 9) + Digits(&f.sets[0].background[250][0], 9), "FFFFFFFF3111111110")
      << "blank rows become visible";

  // Blocks under 8 bytes are skipped; a partial last group is dropped.
  s.currentTile = 10;
  ImportTilesToken(s, f.sets, TileTable::Colours,
                   "a: db 1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,F1,99\nb: db 1,2,3,4,5\nc: db F1,0,0,0,0,0,0,0");
  EXPECT_EQ(Digits(f.sets[0].background[10], 8) + Digits(f.sets[0].background[11], 8), "1234567890123451");
  EXPECT_EQ(f.sets[0].foreground[11][7], 15);
  EXPECT_EQ(f.sets[0].foreground[12][0] * 100 + f.sets[0].background[13][0], 1500) << "block c follows block a";
  EXPECT_EQ(f.sets[0].pixels[11][0][0], 0) << "a colour import leaves pixels";

  // Raw hex says the same of rows made visible, and only then.
  s.currentTile = 20;
  EXPECT_EQ(ImportTilesRawHex(s, f.sets, TileTable::Patterns, "FF00FF00FF00FF00"),
            "Imported 1 tile pattern at 020-020; rows without colours were made white on black");
  EXPECT_EQ(ImportTilesRawHex(s, f.sets, TileTable::Patterns, "0F0F0F0F0F0F0F0F"),
            "Imported 1 tile pattern at 020-020");
}
