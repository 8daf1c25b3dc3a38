// Graphics I, Text and Multicolor screens: what the chip shows of them, their
// BLOAD files there and back, the project file, and choosing a screen's mode.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>

#include "chip/chip_render.h"
#include "chip/group_colours.h"
#include "export/build_outputs.h"
#include "chip/video_memory.h"
#include "import/graphics1_picture.h"
#include "import/png_import.h"
#include "import/screen_file_import.h"
#include "studios/table/table_mode_actions.h"
#include "studios/tile/tile_set_actions.h"
#include "studios/tile/tile_sheet_actions.h"
#include "storage/png_file.h"
#include "support/project_fixtures.h"

namespace {
// One set whose group 1 has six rows of 15 on 4 and two of 8 on 1; a screen in `mode` showing some of it.
Project ModeProject(ScreenMode mode) {
  Project data = DefaultProject();
  TileSet& set = data.tileSets[0];
  for (int tile = 0; tile < kTilesPerSet; ++tile)
    for (int row = 0; row < 8; ++row) {
      set.pixels[tile][row][row] = set.pixels[tile][row][(tile + row) % 8] = 1;
      set.foreground[tile][row] = tile == 8 && row >= 6 ? 8 : 15,
      set.background[tile][row] = tile == 8 && row >= 6 ? 1 : 4;
    }
  NameTable& table = data.nameTables[0];
  for (int cell = 0; cell < kTableCells; ++cell) table.cells[cell] = static_cast<uint8_t>(cell % 64);
  SetScreenMode(data, table, mode);
  for (std::size_t i = 0; i < table.blocks.size(); ++i) table.blocks[i] = static_cast<uint8_t>(i * 3 % 16);
  table.backdrop = 4, table.textColour = 11;
  return data;
}
}  // namespace

TEST(ScreenModes, TheChipShowsGroupColoursTextColumnsAndBlocks) {
  const Project g1 = ModeProject(ScreenMode::Graphics1);
  const TileSet& set = g1.tileSets[0];
  EXPECT_EQ(GroupColourBytes(set)[1], 0xF4) << "the pair most of group 1's rows have";
  EXPECT_EQ(TileKeepsItsColours(set, 8) * 10 + TileKeepsItsColours(set, 9), 1);
  const IndexedImage tiles = RenderScreen(g1.nameTables[0], g1.tileSets, {}, {}, ScreenLook::Chip);
  EXPECT_EQ(tiles.At(8 * 8 + 7, 7) * 100 + tiles.At(8 * 8 + 0, 7), 15 * 100 + 4) << "tile 8's last row in 15 on 4";

  const Project text = ModeProject(ScreenMode::Text);
  const NameTable& screen = text.nameTables[0];
  EXPECT_EQ(screen.textCells[40 + 3], 35) << "the names kept in the left 32 columns";
  EXPECT_EQ(screen.textCells[39], EmptyCell);
  const IndexedImage letters = RenderScreen(screen, text.tileSets, {}, {}, ScreenLook::Editor);
  // Cell (1, 0) shows tile 1: its row 0 sets pixels 0 and 1, its row 6 pixels 6 and 7, which the chip leaves out.
  EXPECT_EQ(Digits(&letters.pixels[kTextBorder + 6], 7), "BB4444B");
  EXPECT_EQ(Digits(&letters.pixels[6 * 256 + kTextBorder + 6], 7), "444444B");
  EXPECT_EQ(letters.At(kTextBorder - 1, 0), 4) << "the border";
  NameTable placed = screen;
  placed.placements = {{0, 0, 0}};
  Sprite solid;
  solid.colour = 9, solid.pixels[0][kTextBorder] = 1;
  EXPECT_EQ(RenderScreen(placed, text.tileSets, {solid}, {}, ScreenLook::Editor).pixels, letters.pixels)
      << "no sprites";

  Project blocks = ModeProject(ScreenMode::Multicolor);
  NameTable& painted = blocks.nameTables[0];
  const IndexedImage image = RenderScreen(painted, blocks.tileSets, {}, {}, ScreenLook::Chip);
  EXPECT_EQ(Digits(&image.pixels[9 * 4 * 256], 12), "444433336666") << "block row 9: colours 0 (the backdrop), 3, 6";
  const std::vector<uint8_t> patterns = MulticolorPatternBytes(painted);
  EXPECT_EQ(patterns[(1 + 32) * 8 + 1], (painted.blocks[9 * 64 + 2] << 4) | painted.blocks[9 * 64 + 3])
      << "block row 9, columns 2 and 3: pattern 33, byte 1";
  EXPECT_EQ(MulticolorNameBytes()[5 * 32 + 7], 7 + 32);
}

TEST(ScreenModes, ScreenFilesComeBackAndTheProjectFileKeepsEveryMode) {
  for (ScreenMode mode : {ScreenMode::Graphics1, ScreenMode::Text, ScreenMode::Multicolor}) {
    SCOPED_TRACE(kScreenModeNames[static_cast<int>(mode)]);
    const Project data = ModeProject(mode);
    const OutputFile file = ScreenFiles(data, SelectAll(data, kAllTables))[0];
    const ScreenFileKind& kind = kScreenFileKinds[static_cast<int>(mode)];
    EXPECT_EQ(file.name, std::string("Name_Table_1") + kind.extension);
    Project read = data;
    const auto bytes = reinterpret_cast<const uint8_t*>(file.bytes.data());
    ASSERT_TRUE(ImportScreenFile(bytes, file.bytes.size(), "back", read).ok);
    const NameTable& back = read.nameTables.back();
    const NameTable& sent = data.nameTables[0];
    EXPECT_EQ(back.mode, mode);
    EXPECT_EQ(back.textCells, sent.textCells);
    EXPECT_EQ(back.blocks, sent.blocks);
    if (mode == ScreenMode::Graphics1) {
      EXPECT_TRUE(std::equal(sent.cells, sent.cells + kTableCells, back.cells));
      EXPECT_EQ(GroupColourBytes(read.tileSets.back()), GroupColourBytes(data.tileSets[0]));
      EXPECT_TRUE(read.tileSets.back().graphics1) << "a SCREEN 1 file's set keeps the group rules";
    }
    EXPECT_FALSE(ImportScreenFile(bytes, file.bytes.size() - 1, "cut", read).ok);
    std::string moved = file.bytes;
    moved[1] = 1;
    EXPECT_NE(ImportScreenFile(reinterpret_cast<const uint8_t*>(moved.data()), moved.size(), "moved", read)
                  .message.find("loads at 0x0001"),
              std::string::npos);

    // The project file: the block only when a mode is used, every field refused where damaged.
    EXPECT_EQ(SerializeProject(DefaultProject()).find("MODB"), std::string::npos);
    const std::string image = SerializeProject(data);
    ASSERT_EQ(ParseImage(image, read), FileResult::Ok);
    EXPECT_TRUE(read == data);
    const std::size_t table = image.rfind("MODB") + 12;
    EXPECT_TRUE(RefusedWith(image, table, 4)) << "mode 4";
    EXPECT_TRUE(RefusedWith(image, table + 4, 16)) << "letters of colour 16";
    EXPECT_TRUE(RefusedWith(image, table + 8, 959, 4)) << "959 names";
    EXPECT_TRUE(mode != ScreenMode::Multicolor || RefusedWith(image, image.size() - 2, 16)) << "a block of colour 16";
  }
}

TEST(ScreenModes, AGraphicsISetKeepsAPairAGroupAndAPaintedRowColoursItsGroup) {
  Project data = ModeProject(ScreenMode::Graphics1);
  TileSet& set = data.tileSets[0];
  EXPECT_TRUE(SetShowsGroupColours(data, 0)) << "a Graphics I screen draws from it";
  EXPECT_EQ(CountUnfitTiles(set), 1);
  EXPECT_EQ(SetGraphics1(set, true, true), "Tile Set 1: 1 tile took the colour pair most of its group has");
  EXPECT_FALSE(set.graphics1) << "FIT GROUPS only fits";
  EXPECT_EQ(SetGraphics1(set, true),
            "Tile Set 1 is a Graphics I set; 0 tiles took the colour pair most of its group has");
  const Project before = data;
  set.foreground[10][3] = 9, set.background[10][3] = 1;  // one row painted
  EXPECT_EQ(KeepGroupColours(data, before),
            "A Graphics I group shares one colour pair: tiles 8-15 of Tile Set 1 now 9 on 1");
  EXPECT_EQ(GroupColourBytes(set)[1] * 1000 + GroupColourBytes(set)[0], 0x91 * 1000 + 0xF4);
  EXPECT_EQ(CountUnfitTiles(set), 0);
  EXPECT_EQ(KeepGroupColours(data, data), "");
}

// Each row one colour (dark yellow over dark red): no row's own pair was the tile's.
TEST(ScreenModes, RegressionAGraphicsITileTakesAPairOfItsColoursNotOnlyOfItsRows) {
  IndexedImage picture{kChipWidth, kChipHeight, std::vector<uint8_t>(kChipWidth * kChipHeight, 1)};
  for (int y = 0; y < 8; ++y)
    for (int x = 8; x < 16; ++x) picture.pixels[y * kChipWidth + x] = y < 7 ? 10 : 6;
  const std::string png = EncodePng(picture, 1);
  Project data = DefaultProject();
  const ImportResult result =
      ImportPicture(png, "two", data, ImportOptions{Dither::None, 100, false, 255, ScreenMode::Graphics1});
  EXPECT_NE(result.message.find("0 pixels recoloured"), std::string::npos) << result.message;
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      ASSERT_EQ(TilePixelColour(data.tileSets[0], data.nameTables[0].cells[1], y, x), y < 7 ? 10 : 6) << y;
}

TEST(ScreenModes, APictureBecomesAGraphicsIScreenGroupedToLoseLessThanFirstCome) {
  SKIP_UNDER_WINDOWS("runs Linux programs");
  // 31 rare pairs come first, then two pairs of 100 tiles each: first-come grouping gives the rare ones the groups.
  std::vector<Tile> tiles;
  const auto add = [&tiles](int foreground, int background, int pattern) {
    Tile tile;
    for (int y = 0; y < 8; ++y)
      tile.rows[y] = static_cast<uint8_t>(pattern * 37 + y * 11), tile.foreground[y] = foreground,
      tile.background[y] = background;
    tiles.push_back(tile);
  };
  for (int rare = 0; rare < 31; ++rare) add(2 + rare % 14, 1 + rare / 14, rare);
  for (int t = 0; t < 200; ++t) add(t < 100 ? 15 : 8, 4, t);
  const GroupingCosts costs = MeasureGrouping(tiles, std::vector<int>(tiles.size(), 1));
  const Grouping grouped = GroupTiles(costs), firstCome = GroupTilesFirstCome(costs);
  EXPECT_LT(grouped.Cost(costs) * 3, firstCome.Cost(costs));
  std::vector<int> filled(kColourGroups, 0);
  for (int group : grouped.group) ++filled[group];
  EXPECT_LE(*std::max_element(filled.begin(), filled.end()), kGroupTiles);
  EXPECT_LE(filled.back(), kGroupTiles - 1) << "tile 255 stays free";

  // A picture nobody here drew, imported as Graphics I: one set, every group one pair.
  TempDir dir;
  ASSERT_EQ(
      std::system(("convert wizard: -resize '256x192!' PNG24:" + dir.File("w.png") + " > /dev/null 2>&1").c_str()), 0);
  const std::string png = ReadFile(dir.File("w.png"));
  Project data = DefaultProject();
  ImportOptions options;
  options.mode = ScreenMode::Graphics1, options.dither = Dither::Ordered;
  ASSERT_TRUE(ImportPicture(png, "w", data, options).ok);
  ASSERT_EQ(data.tileSets.size() * 10 + data.nameTables.size(), 11u);
  EXPECT_EQ(data.nameTables[0].mode, ScreenMode::Graphics1);
  EXPECT_TRUE(data.tileSets[0].graphics1 && CountUnfitTiles(data.tileSets[0]) == 0);
  EXPECT_EQ(std::count(std::begin(data.nameTables[0].cells), std::end(data.nameTables[0].cells), EmptyCell), 0);

  // As Multicolor blocks, dithered, and as a Text screen from the same picture at 240 x 192.
  options.mode = ScreenMode::Multicolor, options.dither = Dither::Diffusion;
  ASSERT_TRUE(ImportPicture(png, "m", data, options).ok);
  const std::vector<uint8_t>& blocks = data.nameTables.back().blocks;
  EXPECT_EQ(std::set<uint8_t>(blocks.begin(), blocks.end()).size() > 4 && data.tileSets.size() == 1, true);
  options.mode = ScreenMode::Text;
  EXPECT_NE(ImportPicture(png, "t", data, options).message.find("a Text screen is made from a 240 x 192 picture"),
            std::string::npos);
  ASSERT_EQ(
      std::system(("convert wizard: -resize '240x192!' PNG24:" + dir.File("t.png") + " > /dev/null 2>&1").c_str()), 0);
  const std::string narrow = ReadFile(dir.File("t.png"));
  ASSERT_TRUE(ImportPicture(narrow, "t", data, options).ok);
  const NameTable& text = data.nameTables.back();
  EXPECT_EQ(text.textCells.size(), 960u);
  EXPECT_NE(text.textColour, text.backdrop);
  EXPECT_LE(*std::max_element(text.textCells.begin(), text.textCells.end()), kMostImportedTiles - 1);
}

TEST(ScreenModes, GroupTilesMovesTilesIntoGroupsOfOnePairAndTheScreensFollow) {
  Project data = DefaultProject();
  TileSet& set = data.tileSets[0];
  for (int tile = 0; tile < kTilesPerSet; ++tile)
    for (int row = 0; row < 8; ++row) {
      set.pixels[tile][row][tile % 8] = 1;
      set.foreground[tile][row] = tile % 2 ? 15 : 8, set.background[tile][row] = 1;  // pairs alternate: no group fits
    }
  for (int cell = 0; cell < kTableCells; ++cell) data.nameTables[0].cells[cell] = static_cast<uint8_t>(cell % 255);
  data.nameTables[0].mode = ScreenMode::Text, data.nameTables[0].textCells.assign(960, 30);
  EXPECT_GT(CountUnfitTiles(set), 100);
  const Project before = data;
  TileStudioState state;
  GroupTilesByColour(state, data.tileSets, data.nameTables);
  EXPECT_EQ(CountUnfitTiles(set), 0) << "each group one pair, tile 255 where it was";
  for (int cell : {0, 30, 500}) {
    const int was = before.nameTables[0].cells[cell], now = data.nameTables[0].cells[cell];
    EXPECT_EQ(set.foreground[now][0] * 10 + set.pixels[now][0][was % 8],
              before.tileSets[0].foreground[was][0] * 10 + 1);
  }
  EXPECT_EQ(data.nameTables[0].textCells[0], data.nameTables[0].cells[30]) << "a Text screen's names follow too";
}
