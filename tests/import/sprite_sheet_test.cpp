// Sprite sheets in and out: frames nobody here drew round trip pixel for
// pixel, parts share their sprites, and unsuitable sheets are refused whole.
#include "import/sprite_sheet.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "export/build_outputs.h"
#include "export/export_blocks.h"
#include "export/export_labels.h"
#include "export/sprite_sheet_image.h"
#include "model/metasprite_picture.h"
#include "storage/png_file.h"
#include "support/project_fixtures.h"
#include "support/temp_dir.h"

namespace {
SpriteSheetResult Import(const std::string& png, Project& data, SpriteSheetOptions options = {}) {
  return ImportSpriteSheet(reinterpret_cast<const uint8_t*>(png.data()), png.size(), "walk", data, options);
}
}  // namespace

TEST(SpriteSheet, FramesNobodyDrewComeBackPixelForPixel) {
  SKIP_UNDER_WINDOWS("runs Linux programs");
  TempDir dir;
  const std::string sheet = MadeSpriteSheet(dir);
  ASSERT_FALSE(sheet.empty()) << "ImageMagick made no sheet";
  Project data = DefaultProject();
  const SpriteSheetResult made = ImportWalkSheet(sheet, data);
  ASSERT_TRUE(made.ok) << made.message;
  EXPECT_EQ(made.frames, 5) << "the empty cell makes none";
  EXPECT_EQ(data.metasprites[4].sheet.column * 100 + data.metasprites[4].sheet.columns, 406);
  EXPECT_STREQ(data.metasprites[0].name, "walk 1");
  const RgbaImage before = Decoded(sheet), after = Decoded(SpriteSheetPng(data));
  ASSERT_EQ(after.width * 1000 + after.height, before.width * 1000 + before.height);
  for (std::size_t i = 0; i < before.rgba.size(); i += 4)
    ASSERT_TRUE(before.rgba[i + 3] == 0 ? after.rgba[i + 3] == 0
                                        : std::equal(&before.rgba[i], &before.rgba[i + 4], &after.rgba[i]))
        << "pixel " << i / 4;

  const std::vector<OutputFile> pngs = PngFiles(data, 1, SelectAll(data, kAllTables));
  EXPECT_TRUE(pngs.back().name == "metasprites.png" && pngs.back().bytes == SpriteSheetPng(data)) << "the PNG target's";

  // The same sheet again shares nothing with the first, but its own repeated parts once.
  const std::size_t sprites = data.sprites.size();
  Project twice = data;
  ASSERT_TRUE(ImportWalkSheet(sheet, twice).ok);
  EXPECT_EQ(twice.sprites.size() - sprites, sprites - 1);
  for (const std::string& renamed : LabelExportedRecords(data).renamed)
    ADD_FAILURE() << "parts and frames are named apart: " << renamed;
  // Each import's row of frames fills the next empty strip, its cells playing.
  EXPECT_EQ(Digits(twice.strips.cells[0], 6) + Digits(twice.strips.cells[1], 6), "01234?56789?");
  EXPECT_TRUE(twice.strips.active[0][4] && twice.strips.metasprite[1][4] && twice.strips.active[1][0]);
}

TEST(SpriteSheet, UnsuitableSheetsAreRefusedWithTheReasonAndChangeNothing) {
  IndexedImage frames{48, 16, std::vector<uint8_t>(48 * 16, 0)};
  for (int x = 0; x < 16; ++x)
    for (int y = 0; y < 16; ++y) frames.pixels[y * 48 + x] = static_cast<uint8_t>(1 + (x + y) % 15);  // 15 colours
  const std::string png = EncodePng(frames, 1);
  SpriteSheetOptions wide, limited, even;
  wide.cellWidth = 20, limited.maxPerLine = 4, even.cellWidth = 32;
  const struct {
    std::string bytes;
    SpriteSheetOptions options;
    const char* reason;
  } cases[] = {
      {"not a picture", {}, "not a PNG"},
      {png, wide, "A cell is a multiple of the 16-pixel sprite size up to 64 a side, not 20 x 16"},
      {png, even, "Cells of 32 x 16 do not divide the 48 x 16 sheet"},
      {png, limited, "Frame walk 1 (row 1) needs 15 sprites on a line, more than 4"},
      {EncodePng(IndexedImage{16, 16, std::vector<uint8_t>(256, 0)}, 1), {}, "Every cell of the sheet is empty"},
  };
  for (const auto& c : cases) {
    Project data = DefaultProject();
    const Project before = data;
    const SpriteSheetResult result = Import(c.bytes, data, c.options);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.message.find(c.reason), std::string::npos) << result.message;
    EXPECT_TRUE(data == before) << c.reason;
  }
  Project full = DefaultProject();
  full.sprites.resize(250);
  EXPECT_NE(Import(png, full).message.find("more than the 256 sprites a project holds"), std::string::npos);
}

// The cell size guessed from the gaps between frames, at either sprite side.
TEST(SpriteSheet, TheCellSizeIsGuessedFromTheGapsBetweenFrames) {
  const struct {
    int width, height, frameWidth, frameHeight, margin, spriteSide, guessWidth, guessHeight;
  } cases[] = {
      {128, 32, 32, 32, 2, 16, 32, 32},  // not 16: the frames' art crosses its edges
      {96, 96, 48, 32, 1, 8, 48, 32},    // nor 24
      {64, 64, 64, 64, 2, 16, 64, 64},   // one frame
      {64, 16, 16, 16, 0, 16, 0, 0},     // frames touching: no gap to go by
  };
  for (const auto& c : cases)
    for (const bool keyed : {false, true}) {  // clear, or a background colour keyed
      RgbaImage sheet{c.width, c.height, std::vector<uint8_t>(static_cast<std::size_t>(c.width) * c.height * 4, 0)};
      const SpriteSheetOptions options{16, 16, keyed, 0x0000FF, 0};
      for (int i = 0; i < c.width * c.height; ++i) {
        const int inX = i % c.width % c.frameWidth, inY = i / c.width % c.frameHeight, m = c.margin;
        const bool art = inX >= m && inX < c.frameWidth - m && inY >= m && inY < c.frameHeight - m;
        sheet.rgba[4 * i + (art ? 0 : 2)] = 255, sheet.rgba[4 * i + 3] = art || keyed ? 255 : 0;
      }
      const CellSize guess = GuessSheetCell(sheet, options, c.spriteSide);
      EXPECT_EQ(guess.width * 100 + guess.height, c.guessWidth * 100 + c.guessHeight) << c.width << "x" << c.height;
    }
}
