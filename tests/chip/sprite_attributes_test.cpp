#include "chip/sprite_attributes.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "chip/chip_render.h"

namespace {
constexpr float kUnit = kViewUnitsPerChipPixel;

std::vector<Sprite> Sprites(int count) {
  std::vector<Sprite> list(count);
  for (int i = 0; i < count; ++i) list[i].colour = i % 16;
  return list;
}

// Which planes each line shows and drops, as "line:shown/dropped" for the lines with any.
std::string Lines(const NameTable& table, const std::vector<Sprite>& sprites, SpriteSize size = {}) {
  const std::vector<ScanLine> lines = ScanSpriteLines(BuildSpriteAttributes(table, sprites, size));
  std::string text;
  for (int line = 0; line < kChipHeight; ++line)
    if (line == 0 ? !lines[0].planes.empty() : lines[line].planes != lines[line - 1].planes)
      text += std::to_string(line) + ":" + std::to_string(lines[line].planes.size()) + " ";
  return text;
}
}  // namespace

TEST(SpriteAttributes, PlanesFollowTheEditorsDrawingOrderWithTheEarlyClockAndTheTerminator) {
  const std::vector<Sprite> sprites = Sprites(70);
  NameTable table;
  table.placements = {
      {3, 10 * kUnit, 20 * kUnit},       // plane 3: at (10, 20)
      {5, -7 * kUnit, 0},                // plane 2: 7 left of the edge, through the early clock
      {1, 2.5f * kUnit, 1.49f * kUnit},  // plane 1: halves round up, 1.49 down
      {69, 0, 0},                        // past the 64 sprites of the pattern table: left out
      {99, 0, 0},                        // names no sprite: left out
      {2, 0, 209 * kUnit},               // off the screen: left out
      {2, 300 * kUnit, 10 * kUnit},      // right of the screen: left out
      {4, -40 * kUnit, 0},               // past the early clock's reach: left out
      {6, 255 * kUnit, 191 * kUnit},     // plane 0, drawn on top: its top line is 191
  };
  const SpriteAttributes attributes = BuildSpriteAttributes(table, sprites, {});
  EXPECT_EQ(attributes.Bytes(),
            (std::vector<uint8_t>{190, 255, 24, 6, 0, 3, 4, 1, 255, 25, 20, 5 | 0x80, 19, 10, 12, 3, 208}));
  EXPECT_EQ(attributes.problems,
            (std::vector<std::string>{"placement 7: lies entirely off the screen, left out",
                                      "placement 6: lies entirely off the screen, left out",
                                      "placement 5: lies entirely off the screen, left out",
                                      "placement 4: names no sprite, left out",
                                      "placement 3: sprite 69 is past the 64 of the pattern table, left out"}));

  // 33 placements keep the last 32, with no terminator.
  NameTable full;
  for (int i = 0; i < 33; ++i) full.placements.push_back({i, 0, 0});
  const SpriteAttributes kept = BuildSpriteAttributes(full, sprites, {});
  EXPECT_EQ(kept.Bytes().size(), 32 * 4u);
  EXPECT_EQ(kept.planes.back().placement, 1);
  EXPECT_EQ(kept.problems, std::vector<std::string>{"1 placements past the 32 planes (the earliest) were left out"});
  EXPECT_EQ(ChipPixel(-2.375f) * 10 + ChipPixel(2.374f), 0) << "-0.5 rounds up to 0";
}

TEST(SpriteAttributes, LinesCountEveryPlaneThatCoversThemAndDropThePastFourth) {
  const std::vector<Sprite> sprites = Sprites(8);  // sprite 0 has colour 0: still counted
  auto row = [](int count, float dx, float dy, float left = 0) {
    NameTable table;
    for (int i = 0; i < count; ++i) table.placements.push_back({i, (left + dx * i) * kUnit, (50 + dy * i) * kUnit});
    return table;
  };
  EXPECT_EQ(Lines(row(4, 20, 0), sprites), "50:4 66:0 ") << "exactly four";
  EXPECT_EQ(Lines(row(5, 0, 0), sprites), "50:5 66:0 ") << "five in a column";
  EXPECT_EQ(Lines(row(5, 20, 4), sprites), "50:1 54:2 58:3 62:4 66:4 70:3 74:2 78:1 82:0 ") << "five staggered";
  EXPECT_EQ(Lines(row(5, 3, 0, -30), sprites), "50:5 66:0 ") << "unseen left of the edge through the early clock";
  EXPECT_EQ(BuildSpriteAttributes(row(1, 0, 0, -32), sprites, {}).Bytes(), (std::vector<uint8_t>{49, 0, 0, 0x80, 208}));
  NameTable low = row(5, 20, 0);
  for (SpritePlacement& placement : low.placements) placement.y = 185 * kUnit;
  EXPECT_EQ(Lines(low, sprites), "185:5 ") << "lines past 191 are not counted";
  EXPECT_EQ(BuildSpriteAttributes(low, sprites, {}).Bytes()[0], 184);
  const std::vector<ScanLine> lines = ScanSpriteLines(BuildSpriteAttributes(row(5, 0, 0), sprites, {}));
  EXPECT_EQ(lines[50].planes, (std::vector<int>{0, 1, 2, 3, 4}));
  EXPECT_EQ(CountOverflowingLines(lines), 16);

  // The top line and the top-left pixel are the sprite's, in both looks.
  std::vector<Sprite> solid = Sprites(2);
  solid[1].colour = 9;
  std::fill(&solid[1].pixels[0][0], &solid[1].pixels[0][0] + 256, 1);
  NameTable top;
  top.placements = {{1, 0, 0}};
  for (ScreenLook look : {ScreenLook::Editor, ScreenLook::Chip}) {
    const IndexedImage image = RenderScreen(top, {TileSet{}}, solid, {}, look);
    EXPECT_EQ(image.At(0, 0) * 100 + image.At(15, 15) * 10 + image.At(16, 0), 9 * 110) << static_cast<int>(look);
  }
  // Tile 255 shows in the chip's empty cells: a set with one visible pixel in it is worth a warning.
  std::vector<TileSet> sets(2);
  EXPECT_FALSE(EmptyCellsShowTile255({top}, sets, 0));
  sets[0].pixels[EmptyCell][5][3] = 1, sets[0].foreground[EmptyCell][5] = 15;
  EXPECT_TRUE(EmptyCellsShowTile255({top}, sets, 0));
  EXPECT_FALSE(EmptyCellsShowTile255({top}, {sets[1], sets[0]}, 1)) << "no screen draws from that set";
  std::fill(top.cells, top.cells + 768, uint8_t{0});
  top.cells[15 * 32 + 31] = EmptyCell;
  EXPECT_TRUE(EmptyCellsShowTile255({top}, sets, 0)) << "row 15's last cell is empty";
  top.cells[15 * 32 + 31] = 0;
  EXPECT_FALSE(EmptyCellsShowTile255({top}, sets, 0)) << "a screen with no empty cell shows no tile 255";
}

TEST(SpriteAttributes, EverySpriteSizeCoversItsLinesAndPixelsAndNamesItsPattern) {
  std::vector<Sprite> sprites = Sprites(72);
  std::fill(&sprites[3].pixels[0][0], &sprites[3].pixels[0][0] + 256, 1);
  sprites[3].colour = 9, sprites[3].pixels[0][1] = 0;
  // Sprite 70 is in an 8 x 8 pattern table only; the one 20 lines above the top shows only 32 high.
  NameTable table;
  table.placements = {{70, 0, 0}, {3, 100 * kUnit, -20 * kUnit}, {3, 0, 50 * kUnit}};
  for (auto [size, lines, pattern] : {std::tuple{SpriteSize{16, false}, "50:1 66:0 ", 12},
                                      {SpriteSize{16, true}, "0:1 12:0 50:1 82:0 ", 12},
                                      {SpriteSize{8, false}, "0:1 8:0 50:1 58:0 ", 3},
                                      {SpriteSize{8, true}, "0:1 16:0 50:1 66:0 ", 3}}) {
    const int side = size.ScreenSide(), scale = size.Scale();
    SCOPED_TRACE(side);
    EXPECT_EQ(Lines(table, sprites, size), lines);
    EXPECT_EQ(BuildSpriteAttributes(table, sprites, size).planes[0].pattern, pattern) << "plane 0: the one at line 50";
    const IndexedImage image = RenderScreen(table, {TileSet{}}, sprites, size, ScreenLook::Chip);
    EXPECT_EQ(image.At(side - 1, 50 + side - 1) * 10 + image.At(side, 50) + image.At(0, 50 + side), 90) << "its edges";
    EXPECT_EQ(image.At(scale, 50 + scale - 1) * 10 + image.At(2 * scale, 50), 9) << "pixel (0, 1) clear, scale wide";
  }
}
