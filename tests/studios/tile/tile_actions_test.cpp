#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "studios/tile/tile_canvas.h"
#include "studios/tile/tile_import.h"
#include "studios/tile/tile_set_actions.h"
#include "studios/tile/tile_sheet_actions.h"

namespace {
// Records are large; tests keep them on the heap.
struct Fixture {
  std::unique_ptr<TileStudioState> state = std::make_unique<TileStudioState>();
  std::vector<TileSet> sets{DefaultTileSet()};
  std::vector<NameTable> tables{DefaultNameTable()};
  TileStudioState& s() { return *state; }
  TileSet& set() { return sets[state->currentTileSet]; }
};

// A tile whose every row is recognisable: pixels, foreground and background all derive from `seed`.
void FillTile(TileSet& set, int tile, int seed) {
  for (int y = 0; y < 8; ++y) {
    set.foreground[tile][y] = (seed + y) % 16;
    set.background[tile][y] = (seed * 3 + y) % 16;
    for (int x = 0; x < 8; ++x) set.pixels[tile][y][x] = ((seed + x * y) % 3) == 0;
  }
}

bool SameTile(const TileSet& a, int tileA, const TileSet& b, int tileB) {
  return std::memcmp(a.pixels[tileA], b.pixels[tileB], sizeof a.pixels[tileA]) == 0 &&
         std::memcmp(a.foreground[tileA], b.foreground[tileB], sizeof a.foreground[tileA]) == 0 &&
         std::memcmp(a.background[tileA], b.background[tileB], sizeof a.background[tileA]) == 0;
}

bool BlankTile(const TileSet& set, int tile) {
  static const TileSet blank{};
  return SameTile(set, tile, blank, 0);
}
}  // namespace

TEST(TileCanvas, PaintingFollowsTheRowRule) {
  Fixture f;
  TileStudioState& s = f.s();
  // Start values: FG pen 0 (transparent), BG pen 1.
  PaintCell(s, 0, 0);
  EXPECT_EQ(s.canvas.pixels[0][0], 1);
  EXPECT_EQ(s.canvas.foreground[0][7], 0);

  s.foregroundPen = 9;
  PaintCell(s, 3, 10);  // block 1's segment covers columns 8-15
  s.foregroundPen = 4;
  PaintCell(s, 3, 12);
  for (int c = 8; c < 16; ++c) EXPECT_EQ(s.canvas.foreground[3][c], 4) << c;
  EXPECT_EQ(s.canvas.foreground[3][7], 0);
  EXPECT_EQ(s.canvas.foreground[3][16], 0);
  EXPECT_EQ(s.canvas.pixels[3][10], 1);

  s.penMode = kBackgroundPen;
  s.backgroundPen = 11;
  PaintCell(s, 3, 10);
  EXPECT_EQ(s.canvas.pixels[3][10], 0);
  EXPECT_EQ(s.canvas.pixels[3][12], 1);
  for (int c = 8; c < 16; ++c) EXPECT_EQ(s.canvas.background[3][c], 11);
  EXPECT_EQ(s.canvas.foreground[3][8], 4) << "a BG dab keeps the foreground";
}

TEST(TileCanvas, BlocksLoadAndStoreTheirTiles) {
  Fixture f;
  TileStudioState& s = f.s();
  FillTile(f.set(), 7, 5);
  s.blockTiles[4] = 7;
  GetTiles(s, f.set());
  EXPECT_EQ(s.canvas.pixels[8 + 2][8 + 3], f.set().pixels[7][2][3]);
  EXPECT_EQ(s.canvas.foreground[8 + 6][15], f.set().foreground[7][6]);

  // Two blocks linked to one tile: the higher block is stored last and wins.
  s.blockTiles[0] = 7;
  s.blockTiles[4] = 7;
  ClearCanvas(s);
  s.foregroundPen = 3;
  PaintCell(s, 8, 8);  // block 4
  PutTiles(s, f.set());
  EXPECT_EQ(f.set().pixels[7][0][0], 1);
  EXPECT_EQ(f.set().foreground[7][0], 3);

  // A row takes the colour pair of its segment's leftmost cell.
  s.canvas.foreground[0][0] = 2;
  s.canvas.foreground[0][5] = 9;
  StoreBlock(s, f.set(), 0, 20);
  EXPECT_EQ(f.set().foreground[20][0], 2);

  // "Clear All" keeps colours; CLEAR GRID does not.
  s.canvas.background[1][1] = 6;
  s.canvas.pixels[1][1] = 1;
  ClearCanvasPixels(s);
  EXPECT_EQ(s.canvas.pixels[1][1], 0);
  EXPECT_EQ(s.canvas.background[1][1], 6);
  ClearCanvas(s);
  EXPECT_EQ(s.canvas.background[1][1], 0);
}

TEST(TileCanvas, ShiftsCrossBlocksAndTheVacatedLineKeepsItsColours) {
  Fixture f;
  TileStudioState& s = f.s();
  s.canvas.pixels[0][7] = 1;
  s.canvas.foreground[0][7] = 12;
  s.canvas.background[0][7] = 5;
  s.canvas.foreground[0][0] = 8;
  s.canvas.pixels[0][0] = 1;
  ShiftCanvasRight(s);
  EXPECT_EQ(s.canvas.pixels[0][8], 1) << "column 7 moved into block 1";
  EXPECT_EQ(s.canvas.foreground[0][8], 12);
  EXPECT_EQ(s.canvas.background[0][8], 5);
  EXPECT_EQ(s.canvas.pixels[0][0], 0) << "vacated column loses its pixel";
  EXPECT_EQ(s.canvas.foreground[0][0], 8) << "but keeps its colours";

  ShiftCanvasLeft(s);
  EXPECT_EQ(s.canvas.pixels[0][7], 1);
  EXPECT_EQ(s.canvas.pixels[0][23], 0);

  s.canvas.pixels[15][3] = 1;
  s.canvas.background[15][3] = 7;
  ShiftCanvasUp(s);
  EXPECT_EQ(s.canvas.pixels[14][3], 1);
  EXPECT_EQ(s.canvas.pixels[15][3], 0);
  EXPECT_EQ(s.canvas.background[15][3], 7);
  ShiftCanvasDown(s);
  EXPECT_EQ(s.canvas.pixels[15][3], 1);
  EXPECT_EQ(s.canvas.pixels[14][3], 0);
  EXPECT_EQ(s.canvas.background[15][3], 7);
}

TEST(TileSheet, ClicksAssignBlocksRoundRobin) {
  Fixture f;
  TileStudioState& s = f.s();
  s.selectionStart = 3;
  s.selectionEnd = 9;
  for (int tile = 100; tile < 107; ++tile) ClickSheetTile(s, tile);
  EXPECT_EQ(s.blockTiles[0], 106);
  EXPECT_EQ(s.blockTiles[5], 105);
  EXPECT_EQ(s.nextBlock, 1);
  EXPECT_EQ(s.currentTile, 106);
  EXPECT_FALSE(HasSelection(s));
}

TEST(TileSheet, MatchGroupsNumberDuplicatesByTheirLowestTile) {
  Fixture f;
  TileStudioState& s = f.s();
  MatchTiles(s, f.set());
  for (int tile = 0; tile < 256; ++tile) EXPECT_EQ(s.matchGroups[tile], 1) << "a new set is one group";
  MatchTiles(s, f.set());
  EXPECT_FALSE(HasMatchMarks(s)) << "a second click switches the marks off";

  for (int tile = 0; tile < 256; ++tile) FillTile(f.set(), tile, tile * 7 + 1000);
  for (int tile = 0; tile < 256; ++tile)
    f.set().foreground[tile][7] = tile % 16, f.set().background[tile][7] = tile / 16;
  MatchTiles(s, f.set());
  EXPECT_FALSE(HasMatchMarks(s)) << "no duplicates: all 0, and the next click computes again";

  FillTile(f.set(), 40, 1);
  FillTile(f.set(), 90, 1);
  FillTile(f.set(), 20, 2);
  FillTile(f.set(), 200, 2);
  FillTile(f.set(), 60, 1);
  MatchTiles(s, f.set());
  EXPECT_EQ(s.matchGroups[20], 1);
  EXPECT_EQ(s.matchGroups[200], 1);
  EXPECT_EQ(s.matchGroups[40], 2);
  EXPECT_EQ(s.matchGroups[60], 2);
  EXPECT_EQ(s.matchGroups[90], 2);
  EXPECT_EQ(s.matchGroups[0], 0);

  // Colours count even where no pixel shows them.
  MatchTiles(s, f.set());
  f.set().background[90][0] = (f.set().background[90][0] + 1) % 16;
  MatchTiles(s, f.set());
  EXPECT_EQ(s.matchGroups[90], 0);
}

TEST(TileSheet, CutCopyAndPaste) {
  Fixture f;
  TileStudioState& s = f.s();
  for (int tile = 0; tile < 256; ++tile) FillTile(f.set(), tile, tile);
  const TileSet original = f.set();
  f.tables[0].cells[0] = 10;
  f.tables[0].cells[1] = 12;
  f.tables[0].cells[2] = 13;

  CopyTiles(s, f.set());
  EXPECT_EQ(s.clipboard.count, 0) << "nothing without a selection";

  s.selectionStart = 12;
  s.selectionEnd = 10;
  s.trackTiles = true;
  CutTiles(s, f.set());
  EXPECT_FALSE(HasSelection(s));
  EXPECT_EQ(s.clipboard.count, 3);
  EXPECT_EQ(s.clipboard.sourceStart, 10);
  for (int tile = 10; tile <= 12; ++tile) EXPECT_TRUE(BlankTile(f.set(), tile));

  s.currentTile = 50;
  PasteTiles(s, f.set(), f.tables);
  for (int k = 0; k < 3; ++k) EXPECT_TRUE(SameTile(f.set(), 50 + k, original, 10 + k));
  EXPECT_EQ(f.tables[0].cells[0], 50);
  EXPECT_EQ(f.tables[0].cells[1], 52);
  EXPECT_EQ(f.tables[0].cells[2], 13);

  // A paste at 250 stops after 255, and 255 renumbers like any tile.
  s.selectionStart = 0;
  s.selectionEnd = 9;
  CopyTiles(s, f.set());
  EXPECT_TRUE(HasSelection(s)) << "COPY keeps the selection";
  s.currentTile = 250;
  f.tables[0].cells[5] = 5;
  f.tables[0].cells[6] = 6;
  f.tables[0].cells[7] = EmptyCell;
  PasteTiles(s, f.set(), f.tables);
  EXPECT_TRUE(SameTile(f.set(), 255, original, 5));
  EXPECT_EQ(f.tables[0].cells[5], 255);
  EXPECT_EQ(f.tables[0].cells[6], 6) << "tile 6 was not written, so its cells stay";
  EXPECT_EQ(f.tables[0].cells[7], 255);

  // Without TRACK TILE the name tables are left alone.
  s.trackTiles = false;
  s.currentTile = 100;
  PasteTiles(s, f.set(), f.tables);
  EXPECT_EQ(f.tables[0].cells[6], 6);
  EXPECT_TRUE(SameTile(f.set(), 109, original, 9));
}

TEST(TileSheet, RegressionOverlappingPasteRenumbersEachCellOnce) {
  Fixture f;
  TileStudioState& s = f.s();
  for (int tile = 0; tile < 256; ++tile) FillTile(f.set(), tile, tile);
  for (int c = 0; c < 15; ++c) f.tables[0].cells[c] = static_cast<uint8_t>(c);
  s.trackTiles = true;
  s.selectionStart = 0;
  s.selectionEnd = 9;
  CopyTiles(s, f.set());
  s.currentTile = 5;
  PasteTiles(s, f.set(), f.tables);
  // Every cell that named source tile k now names its copy 5 + k, exactly once.
  for (int c = 0; c < 10; ++c) EXPECT_EQ(f.tables[0].cells[c], c + 5) << c;
  for (int c = 10; c < 15; ++c) EXPECT_EQ(f.tables[0].cells[c], c) << c;
}

TEST(TileSheet, SwapExchangesTilesAndTheirReferences) {
  Fixture f;
  TileStudioState& s = f.s();
  FillTile(f.set(), 3, 33);
  const TileSet original = f.set();
  f.tables.push_back(DefaultNameTable());
  f.tables[0].cells[0] = 3;
  f.tables[1].cells[5] = 3;

  SwapTiles(s, f.set(), 3, 255, f.tables);
  EXPECT_TRUE(SameTile(f.set(), 255, original, 3));
  EXPECT_TRUE(BlankTile(f.set(), 3));
  EXPECT_EQ(f.tables[0].cells[0], 3) << "TRACK TILE off";

  s.trackTiles = true;
  SwapTiles(s, f.set(), 255, 3, f.tables);
  EXPECT_TRUE(SameTile(f.set(), 3, original, 3));
  EXPECT_EQ(f.tables[0].cells[0], 255);
  EXPECT_EQ(f.tables[1].cells[5], 255);
  EXPECT_EQ(f.tables[0].cells[1], 3) << "empty cells now name tile 3";
  SwapTiles(s, f.set(), 3, 3, f.tables);
  EXPECT_EQ(f.tables[0].cells[0], 255);
}

TEST(TileSets, ListCommandsKeepACurrentSet) {
  Fixture f;
  TileStudioState& s = f.s();
  AddTileSet(s, f.sets);
  EXPECT_STREQ(f.sets[1].name, "Tile Set 2");
  EXPECT_EQ(s.currentTileSet, 1);
  s.currentTileSet = 0;
  DeleteTileSet(s, f.sets, f.tables);
  AddTileSet(s, f.sets);
  EXPECT_STREQ(f.sets[0].name, "Tile Set 2");
  EXPECT_STREQ(f.sets[1].name, "Tile Set 2") << "named after the count, not a running number";

  while (f.sets.size() < 64) AddTileSet(s, f.sets);
  EXPECT_STREQ(f.sets[63].name, "Tile Set 64");
  AddTileSet(s, f.sets);
  EXPECT_EQ(f.sets.size(), 64u);

  s.currentTileSet = 63;
  DeleteTileSet(s, f.sets, f.tables);
  EXPECT_EQ(s.currentTileSet, 62);
  s.currentTileSet = 10;
  DeleteTileSet(s, f.sets, f.tables);
  EXPECT_EQ(s.currentTileSet, 10);

  ClearTileSets(s, f.sets, f.tables);
  ASSERT_EQ(f.sets.size(), 1u);
  EXPECT_STREQ(f.sets[0].name, "Tile Set 1");
  DeleteTileSet(s, f.sets, f.tables);
  EXPECT_EQ(f.sets.size(), 1u);

  // After New or Load the list may be shorter, or empty.
  s.currentTileSet = 5;
  KeepCurrentTileSetInRange(s, f.sets);
  EXPECT_EQ(s.currentTileSet, 0);
  f.sets.clear();
  KeepCurrentTileSetInRange(s, f.sets);
  EXPECT_EQ(f.sets.size(), 1u);
}

TEST(TileSets, MovedSetLandsAtTheDropRow) {
  Fixture f;
  TileStudioState& s = f.s();
  auto names = [&f] {
    std::string out;
    for (const TileSet& set : f.sets) out += set.name;
    return out;
  };
  auto reset = [&f] {
    f.sets.clear();
    for (const char* name : {"A", "B", "C", "D"}) {
      f.sets.emplace_back();
      SetName(f.sets.back().name, name);
    }
  };
  reset();
  MoveTileSet(s, f.sets, f.tables, 0, 2);
  EXPECT_EQ(names(), "BCAD");
  EXPECT_EQ(s.currentTileSet, 2);
  reset();
  MoveTileSet(s, f.sets, f.tables, 3, 1);
  EXPECT_EQ(names(), "ADBC");
  reset();
  MoveTileSet(s, f.sets, f.tables, 2, 2);
  EXPECT_EQ(names(), "ABCD");
  EXPECT_EQ(s.currentTileSet, 2);
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
  EXPECT_EQ(f.sets[0].pixels[250][0][0], 1);
  EXPECT_EQ(f.sets[0].pixels[250][0][1], 0);
  EXPECT_EQ(f.sets[0].pixels[250][1][7], 1);
  EXPECT_EQ(f.sets[1].pixels[3][7][7], 1) << "tile 9 of the text: last byte $09";
  EXPECT_EQ(f.sets[1].pixels[4][0][0], 0);
  EXPECT_EQ(f.sets[0].foreground[250][0], 15) << "blank rows become visible";
  EXPECT_EQ(f.sets[0].background[250][0], 1);
  EXPECT_EQ(f.sets[0].foreground[251][0], 3);
  EXPECT_EQ(f.sets[0].background[251][0], 0);

  // Blocks under 8 bytes are skipped; a partial last group is dropped.
  s.currentTile = 10;
  ImportTilesToken(s, f.sets, TileTable::Colours,
                   "a: db 1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,F1,99\nb: db 1,2,3,4,5\nc: db F1,0,0,0,0,0,0,0");
  EXPECT_EQ(f.sets[0].background[10][0], 1);
  EXPECT_EQ(f.sets[0].foreground[11][7], 15);
  EXPECT_EQ(f.sets[0].background[11][7], 1);
  EXPECT_EQ(f.sets[0].foreground[12][0], 15) << "block c follows block a directly";
  EXPECT_EQ(f.sets[0].background[13][0], 0);
  EXPECT_EQ(f.sets[0].pixels[11][0][0], 0) << "a colour import leaves pixels";
}

TEST(TileImport, RawHexStopsAtTheLastTile) {
  Fixture f;
  TileStudioState& s = f.s();
  std::string text;
  for (int tile = 0; tile < 10; ++tile) text += "80 00 00 00 00 00 00 01\n";
  text += "FF FF";
  s.currentTile = 250;
  ImportTilesRawHex(s, f.sets, TileTable::Patterns, text.c_str());
  EXPECT_EQ(f.sets.size(), 1u);
  EXPECT_EQ(f.sets[0].pixels[255][0][0], 1);
  EXPECT_EQ(f.sets[0].pixels[255][7][7], 1);
  EXPECT_EQ(f.sets[0].pixels[249][0][0], 0);

  ImportTilesRawHex(s, f.sets, TileTable::Colours, "F1F1F1F1F1F1F1F1");
  EXPECT_EQ(f.sets[0].foreground[250][3], 15);
  EXPECT_EQ(f.sets[0].background[250][3], 1);
  EXPECT_EQ(ImportTilesRawHex(s, f.sets, TileTable::Colours, nullptr),
            "No colour data found: 8 bytes per tile are needed");
  EXPECT_EQ(ImportTilesToken(s, f.sets, TileTable::Colours, "db 1,2,3"),
            "No colour data found: 8 bytes per tile are needed");
}
