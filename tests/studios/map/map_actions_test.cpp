#include "studios/map/map_actions.h"

#include <gtest/gtest.h>

#include "support/project_fixtures.h"

namespace {
// A map of `width` x `height` cells of 1x1 metatiles drawn from `rows` ("0120|..."), metatile n showing tile n.
Map SmallMap(const std::string& rows, int metatiles = 10) {
  Map map;
  map.metatileSize = 1;
  for (int i = 0; i < metatiles; ++i) map.metatiles.push_back(Metatile{{static_cast<uint8_t>(i)}});
  map.width = static_cast<int>(rows.find('|') == std::string::npos ? rows.size() : rows.find('|'));
  for (const char c : rows)
    if (c != '|') map.cells.push_back(static_cast<uint8_t>(c - '0'));
  map.height = static_cast<int>(map.cells.size()) / map.width;
  return map;
}

// Three blank tile sets, a name table and a map of `metatileSize` metatiles, metatile 0 empty.
Project ScreenAndMap(int metatileSize) {
  Project data;
  data.tileSets.assign(3, TileSet());
  data.nameTables.assign(1, NameTable());
  data.maps.assign(1, DefaultMap());
  data.maps[0].metatileSize = metatileSize;
  data.maps[0].metatiles = {Metatile{{255, 255, 255, 255}}};
  return data;
}

std::string Rows(const Map& map) {
  std::string rows;
  for (int row = 0; row < map.height; ++row)
    rows += (row ? "|" : "") + Digits(map.cells.data() + row * map.width, map.width);
  return rows;
}
}  // namespace

TEST(MapActions, PaintingFillingAndRegionsChangeExactlyTheirCells) {
  const MapBlock two{2, 2, {1, 2, 3, 4}}, one{1, 1, {7}};
  const struct {
    const char* what;
    std::string start;
    std::function<void(Map&)> act;
    std::string expected;
  } cases[] = {
      // clang-format off
      {"a block clipped at the corner", "0000|0000|0000", [&](Map& m) { PaintBlock(m, two, {2, 3}); }, "0000|0000|0001"},
      {"a line, gap-free", "0000|0000|0000", [&](Map& m) { PaintLine(m, one, {0, 0}, {2, 3}); }, "7000|0770|0007"},
      {"fill stops at diagonals", "0010|0100|1000", [&](Map& m) { FillArea(m, {0, 0}, 5); }, "5510|5100|1000"},
      {"fill of the same metatile", "0010|0100|1000", [&](Map& m) { FillArea(m, {0, 3}, 0); }, "0010|0100|1000"},
      {"fill around a wall", "0000|0110|0000", [&](Map& m) { FillArea(m, {2, 3}, 2); }, "2222|2112|2222"},
      {"a rectangle dragged up and left", "0000|0000|0000",
       [&](Map& m) { FillRect(m, RectBetween(m, {2, 2}, {0, 1}), 3); }, "0330|0330|0330"},
      {"a region moved", "1200|3400|0000", [&](Map& m) {
         const MapRect region = RectBetween(m, {0, 0}, {1, 1});
         const MapBlock lifted = CopyRegion(m, region);
         ClearRegion(m, region);
         PaintBlock(m, lifted, {1, 2}); }, "0000|0012|0034"},
      {"a rectangle past the edge is clipped", "0000|0000",
       [&](Map& m) { FillRect(m, RectBetween(m, {-5, 2}, {9, 9}), 4); }, "0044|0044"},
      {"a rectangle wholly below the map keeps to its last row", "0000|0000",
       [&](Map& m) { FillRect(m, RectBetween(m, {5, 1}, {7, 2}), 4); }, "0000|0440"},
      // clang-format on
  };
  for (const auto& c : cases) {
    Map map = SmallMap(c.start);
    c.act(map);
    EXPECT_EQ(Rows(map), c.expected) << c.what;
  }
  Map walled = SmallMap("0000|0110|0000");
  EXPECT_EQ(FillArea(walled, {0, 0}, 2) * 100 + PaintBlock(walled, two, {0, 0}), 1003) << "the cells each changed";
}

TEST(MapActions, ResizeKeepsTheCellsAgainstTheAnchor) {
  const struct {
    MapAnchor anchor;
    int width, height;
    const char* expected;
  } cases[] = {
      {MapAnchor::TopLeft, 4, 3, "1200|3400|0000"},
      {MapAnchor::TopRight, 4, 3, "0012|0034|0000"},
      {MapAnchor::BottomLeft, 4, 3, "0000|1200|3400"},
      {MapAnchor::BottomRight, 3, 1, "034"},
      {MapAnchor::TopLeft, 1, 1, "1"},
  };
  for (const auto& c : cases) {
    Map map = SmallMap("12|34");
    ResizeMap(map, c.width, c.height, c.anchor);
    EXPECT_EQ(Rows(map), c.expected) << int(c.anchor);
  }
}

TEST(MapActions, MetatilesDeletedAndMovedRenumberTheCells) {
  Map map = SmallMap("0123|3210", 5);
  EXPECT_FALSE(DeleteMetatile(map, 2)) << "used, and no replacement";
  EXPECT_TRUE(DeleteMetatile(map, 4)) << "unused";
  EXPECT_TRUE(DeleteMetatile(map, 1, 3));
  EXPECT_EQ(Rows(map), "0212|2120") << "1 became 3, now 2; 2 and 3 moved down";
  EXPECT_EQ(map.metatiles[1].tiles[0] * 10 + map.metatiles[2].tiles[0], 23);
  MoveMetatile(map, 0, 2);
  EXPECT_EQ(Rows(map), "2101|1012") << "the cells keep showing the same metatiles";
  EXPECT_EQ(map.metatiles[2].tiles[0], 0);
  EXPECT_EQ(MetatileUsage(map), (std::vector<int>{2, 4, 2}));
  while (AddMetatile(map)) {
  }
  EXPECT_EQ(map.metatiles.size(), 256u);
  EXPECT_FALSE(DeleteMetatile(map, 256) || DeleteMetatile(map, 0, 256)) << "one past the list";
  EXPECT_TRUE(DeleteMetatile(map, 255, 254)) << "the last, into the one before";
  Map alone = SmallMap("00", 1);
  EXPECT_FALSE(DeleteMetatile(alone, 0, -1));
}

TEST(MapActions, ScreensBecomeMetatilesAndMapsBecomeScreens) {
  Project data = ScreenAndMap(2);
  NameTable& table = data.nameTables[0];
  for (int c = 0; c < kTableCells; ++c) table.cells[c] = static_cast<uint8_t>((c % 32) / 2 % 3);  // columns 0 0 1 1..
  Map& map = data.maps[0];
  map.metatiles = {Metatile{{255, 255, 255, 255}}, Metatile{{1, 1, 1, 1}}};
  MapBlock block;
  std::string message;
  ASSERT_TRUE(MakeMetatilesFromScreen(data, 0, 0, {4, 0, 7, 4}, block, message));
  EXPECT_EQ(message, "8 metatiles cut, 3 of them new");
  EXPECT_EQ(block.width * 10 + block.height, 42) << "a part block rounds up";
  EXPECT_EQ(std::vector<int>(block.cells.begin(), block.cells.end()), (std::vector<int>{2, 3, 1, 4, 2, 3, 1, 4}));
  EXPECT_EQ(Digits(map.metatiles[4].tiles, 4), "2?2?") << "past the region: empty";

  map.tileSet = 2;
  PaintBlock(map, block, {0, 0});
  NameTable screen;
  ScreenFromMap(map, 1, 0, screen);
  EXPECT_EQ(Digits(screen.cells, 9), "200112???") << "from tile column 1";
  EXPECT_EQ(screen.thirdTileSets[0] + screen.thirdTileSets[1] + screen.thirdTileSets[2], 6);
  ScreenFromMap(map, 120, 0, screen);
  EXPECT_EQ(screen.cells[8], EmptyCell) << "past the map's 128 tiles, not the next row's";
  EXPECT_EQ(MapTile(map, -1, 0) * 10 + MapSetIndex(map, 2), 2550) << "left of the map empty; no set 2: the first";

  while (AddMetatile(map)) {
  }
  map.tileSet = 0;
  for (int c = 0; c < kTableCells; ++c) table.cells[c] = static_cast<uint8_t>(c);
  const Project full = data;
  EXPECT_FALSE(MakeMetatilesFromScreen(data, 0, 0, {0, 0, 32, 24}, block, message));
  EXPECT_EQ(data, full) << "refused whole";
}

// A screen whose thirds draw from three sets was cut as if every third drew from the map's set.
TEST(MapActions, MakeMetatilesKeepsThePictureOfThirdsFromOtherSets) {
  Project data = ScreenAndMap(1);
  SetName(data.tileSets[0].name, "Map set");
  for (auto [set, tile, colour] : {std::tuple{0, 5, 6}, {1, 5, 2}, {2, 5, 13}, {1, 6, 6}})  // 1's 6 looks like 0's 5
    for (int y = 0; y < 8; ++y)
      data.tileSets[set].pixels[tile][y][y] = 1, data.tileSets[set].foreground[tile][y] = colour;
  NameTable& table = data.nameTables[0];
  table.thirdTileSets[1] = 1, table.thirdTileSets[2] = 2;
  for (int c = 0; c < kTableCells; ++c) table.cells[c] = static_cast<uint8_t>(c % 4 == 0 ? 0 : c % 4 == 1 ? 5 : 6);
  table.cells[kTableCells - 1] = EmptyCell;
  data.maps[0].metatiles.push_back(Metatile{{1}});  // the map's own blank tile 1 is not free
  const Project before = data;
  MapBlock block;
  std::string message;
  ASSERT_TRUE(MakeMetatilesFromScreen(data, 0, 0, {0, 0, 32, 24}, block, message)) << message;
  EXPECT_EQ(message, "768 metatiles cut, 5 of them new; 2 tiles of other sets added to Map set");
  const Map& map = data.maps[0];
  for (int cell = 0; cell < kTableCells; ++cell)
    for (int pixel = 0; pixel < 64; ++pixel)
      ASSERT_EQ(
          TilePixelColour(data.tileSets[0], map.metatiles[block.cells[cell]].tiles[0], pixel / 8, pixel % 8),
          TilePixelColour(before.tileSets[TileSetForRow(table, cell / 32, 3)], table.cells[cell], pixel / 8, pixel % 8))
          << "cell " << cell;
  EXPECT_TRUE(data.tileSets[0].pixels[1][0][0] == 0 && data.tileSets[0].foreground[1][0] == 0);
  EXPECT_EQ(map.metatiles[block.cells[kTableCells - 1]].tiles[0], EmptyCell) << "an empty cell stays empty";

  // With no blank tile to spare the cut is refused, naming the thirds that do not fit.
  data = before;
  for (int tile = 0; tile < 255; ++tile) data.tileSets[0].background[tile][0] = 1;
  const Project full = data;
  EXPECT_FALSE(MakeMetatilesFromScreen(data, 0, 0, {0, 0, 32, 24}, block, message));
  EXPECT_EQ(message,
            "The map's set Map set has 6 free tiles too few for the middle third's tiles (set ) and the bottom "
            "third's tiles (set ); nothing was cut");
  EXPECT_EQ(data, full);
}
