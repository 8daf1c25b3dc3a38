// Dithered picture import: every mode keeps flat areas and rows of two palette
// colours exactly; ordered and diffusion render a ramp between two colours as
// a mix in the right proportion where none gives each row one colour; and the
// tile budgets hold, merging within a stated error.
#include "import/dither.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "chip/chip_render.h"
#include "import/mode_pictures.h"
#include "import/png_import.h"
#include "support/project_fixtures.h"

namespace {
RgbaImage Picture(int width, int height, const std::function<uint32_t(int, int)>& colour) {
  RgbaImage image{width, height, std::vector<uint8_t>(static_cast<std::size_t>(width) * height * 4)};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const uint32_t c = colour(x, y);
      uint8_t* p = &image.rgba[(static_cast<std::size_t>(y) * width + x) * 4];
      p[0] = c & 0xFF, p[1] = c >> 8 & 0xFF, p[2] = c >> 16 & 0xFF, p[3] = 255;
    }
  return image;
}

int ColourAt(const std::vector<Tile>& tiles, int width, int x, int y) {
  return tiles[static_cast<std::size_t>(y / 8) * (width / 8) + x / 8].Colour(x % 8, y % 8);
}

constexpr Dither kModes[] = {Dither::None, Dither::Ordered, Dither::Diffusion};
}  // namespace

TEST(Dither, EveryModeKeepsFlatAreasAndRowsOfTwoPaletteColoursExactly) {
  std::mt19937 random(3);
  std::vector<std::pair<int, int>> pairs(64 * 8);
  for (auto& [a, b] : pairs) a = 1 + random() % 15, b = 1 + random() % 15;
  std::vector<int> shown(64 * 64);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) {
      const auto [a, b] = pairs[static_cast<std::size_t>(y) * 8 + x / 8];
      shown[static_cast<std::size_t>(y) * 64 + x] = random() % 2 ? a : b;
    }
  const RgbaImage flat = Picture(64, 64, [](int, int) { return Palette[6]; });
  const RgbaImage rows = Picture(64, 64, [&](int x, int y) { return Palette[shown[static_cast<std::size_t>(y) * 64 + x]]; });
  for (const Dither mode : kModes) {
    int reduced = 0;
    const std::vector<Tile> flatTiles = DitherToTiles(flat, mode, 100, reduced);
    const std::vector<Tile> rowTiles = DitherToTiles(rows, mode, 100, reduced);
    int wrong = 0;
    for (int y = 0; y < 64; ++y)
      for (int x = 0; x < 64; ++x)
        wrong += (ColourAt(flatTiles, 64, x, y) != 6) + (ColourAt(rowTiles, 64, x, y) != shown[y * 64 + x]);
    EXPECT_EQ(wrong, 0) << static_cast<int>(mode);
    EXPECT_EQ(reduced, 0);
  }
}

TEST(Dither, ARampBetweenTwoColoursBecomesTheirMixInProportion) {
  // Eight bands from black to dark blue in linear light, no palette colour between them.
  const auto share = [](int x) { return (x / 32 + 0.5) / 8; };
  const auto sRgb = [](double light) {
    return static_cast<uint32_t>(
        std::lround(255 * (light <= 0.0031308 ? 12.92 * light : 1.055 * std::pow(light, 1 / 2.4) - 0.055)));
  };
  const RgbaImage ramp = Picture(256, 32, [&](int x, int) {
    const uint32_t blue = Palette[4];
    const double t = share(x);
    return sRgb(t * Linear(blue & 0xFF)) | sRgb(t * Linear(blue >> 8 & 0xFF)) << 8 | sRgb(t * Linear(blue >> 16 & 0xFF)) << 16;
  });
  for (const Dither mode : kModes) {
    int reduced = 0;
    const std::vector<Tile> tiles = DitherToTiles(ramp, mode, 100, reduced);
    std::string firsts;
    for (int band = 0; band < 8; ++band) firsts += "0123456789ABCDEF"[ColourAt(tiles, 256, band * 32, 0)];
    if (mode == Dither::None) EXPECT_EQ(firsts, "15444444") << "as the import always did";
    if (mode == Dither::Diffusion) {  // odd rows run right to left, so that the error does not drift one way
      std::string colours;
      for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 256; ++x) colours += static_cast<char>(ColourAt(tiles, 256, x, y));
      EXPECT_EQ(Fingerprint(colours), 7733264622975075923ull);
    }
    for (int band = 0; band < 8; ++band) {
      double blue = 0;
      bool oneColourRows = true;
      for (int y = 0; y < 32; ++y)
        for (int x = band * 32; x < band * 32 + 32; ++x) {
          blue += (ColourAt(tiles, 256, x, y) == 4) / (32.0 * 32);
          oneColourRows &= ColourAt(tiles, 256, x, y) == ColourAt(tiles, 256, x - x % 8, y);
        }
      if (mode == Dither::None)
        EXPECT_TRUE(oneColourRows) << "band " << band;
      else
        EXPECT_NEAR(blue, share(band * 32), 0.07) << "mode " << static_cast<int>(mode) << ", band " << band;
    }
  }
}

TEST(Dither, TileBudgetsHoldAndMergesStayCloseToThePicture) {
  // A Text screen of 256 patterns: the rarest (one pixel) merges into its nearest, the blank first one.
  const auto textPixel = [](int x, int y) {
    const int cell = y / 8 * kTextColumns + x / kTextPixelWidth, column = x % kTextPixelWidth, row = y % 8;
    if (cell == 700) return column == 2 && row == 3;
    const int pattern = cell >= 1 && cell <= 508 ? (cell + 1) / 2 : 0;  // 1 to 254, each twice
    const int bits = row == 0 ? 63 : row == 1 ? pattern & 63 : row == 2 ? pattern >> 6 : 0;
    return pattern > 0 && (bits >> column & 1) != 0;
  };
  const RgbaImage text =
      Picture(kTextPictureWidth, kChipHeight, [&](int x, int y) { return textPixel(x, y) ? 0xFFFFFFu : 0u; });
  TileSet textSet;
  NameTable textTable;
  int made = 0;
  EXPECT_EQ(PictureToText(text, Dither::None, 100, textSet, textTable, made), 1);
  EXPECT_EQ(textTable.textCells[700], textTable.textCells[0]);

  // Every tile differs, from a few patterns by a pixel or two: merges should cost about that.
  IndexedImage picture{256, 192, std::vector<uint8_t>(256 * 192)};
  std::mt19937 random(5);
  for (int y = 0; y < 192; ++y)
    for (int x = 0; x < 256; ++x)
      picture.pixels[y * 256 + x] = static_cast<uint8_t>((x / 8 + y / 8) % 3 == 0 ? 4 : (x + y) % 4 == 0 ? 10 : 2);
  for (int tile = 0; tile < kTableCells; ++tile)
    for (int dot = 0; dot < 2; ++dot) picture.pixels[(tile / 32 * 8 + random() % 8) * 256 + tile % 32 * 8 + random() % 8] = 15;
  const std::string png = EncodePng(picture, 1);
  const struct {
    bool oneSet;
    int maxTiles;
    std::size_t sets;
  } budgets[] = {{true, 255, 1}, {true, 60, 1}, {false, 30, 3}};
  for (const auto& budget : budgets) {
    Project into = DefaultProject();
    ImportOptions options;
    options.oneSet = budget.oneSet, options.maxTiles = budget.maxTiles;
    const ImportResult result = ImportPicture(png, "dots", into, options);
    ASSERT_TRUE(result.ok) << result.message;
    ASSERT_EQ(into.tileSets.size(), budget.sets);
    const NameTable& table = into.nameTables[0];
    for (int third = 0; third < kThirds; ++third)
      EXPECT_EQ(table.thirdTileSets[third], budget.oneSet ? 0 : third);
    for (int cell = 0; cell < kTableCells; ++cell) EXPECT_LT(table.cells[cell], budget.maxTiles) << cell;
    // The merged picture: each pixel's colour difference from the picture, on average, at most
    // what four wrong pixels a tile would cost.
    const IndexedImage shown = RenderScreen(table, into.tileSets, into.sprites, into.spriteSize, ScreenLook::Chip);
    double difference = 0;
    for (std::size_t i = 0; i < shown.pixels.size(); ++i)
      difference += Distance(PaletteLab()[shown.pixels[i]], PaletteLab()[picture.pixels[i]]) / shown.pixels.size();
    EXPECT_LT(difference, 4 * Distance(PaletteLab()[15], PaletteLab()[2]) / 64) << budget.maxTiles;
  }
}
