// Pictures into screens in each dithering mode: the time of one import (the
// Import Picture window's preview does the same) and how close the result
// looks, on pictures nobody on the project made (ImageMagick's built-in
// photograph and illustrations, as Debian's package ships them, scaled to a
// screen) and on a generated plasma.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "import/dither.h"
#include "import/graphics1_picture.h"
#include "import/png_import.h"
#include "picture_scores.h"
#include "support/project_fixtures.h"
#include "support/temp_dir.h"

namespace {
constexpr const char* kPictures[] = {"rose:", "wizard:", "logo:", "granite:", "plasma:fractal"};

// The picture at 256 x 192, made by ImageMagick into a file once.
const std::string& PictureFile(int index) {
  static TempDir dir;
  static std::string files[std::size(kPictures)];
  std::string& file = files[index];
  if (file.empty()) {
    const std::string path = dir.File(std::to_string(index) + ".png");
    const std::string command = std::string("convert -seed 7 -size 256x192 ") + kPictures[index] +
                                " -resize '256x192!' -alpha off PNG24:" + path + " > /dev/null 2>&1";
    if (std::system(command.c_str()) == 0) file = ReadFile(path);
  }
  return file;
}

void BM_ImportPicture(benchmark::State& state) {
  const std::string& png = PictureFile(static_cast<int>(state.range(0)));
  if (png.empty()) return state.SkipWithError("ImageMagick's convert made no picture");
  const auto* bytes = reinterpret_cast<const uint8_t*>(png.data());
  ImportOptions options;
  options.dither = static_cast<Dither>(state.range(1));
  // The import matches, and the score compares, in the open project's palette.
  const PaletteId palette = static_cast<PaletteId>(state.range(2));
  project.palette = palette;
  Project into;
  for (auto _ : state) {
    into = DefaultProject();
    into.palette = palette;
    benchmark::DoNotOptimize(ImportPngImage(bytes, png.size(), "bench", into, options));
  }
  RgbaImage original;
  std::string error;
  DecodePng(bytes, png.size(), 256, 192, original, error);
  const PictureScores scores = ScorePicture(
      original, RenderScreen(into.nameTables[0], into.tileSets, into.sprites, into.spriteSize, ScreenLook::Chip));
  project.palette = PaletteId::Tms9918a;
  state.SetLabel(std::string(kPictures[state.range(0)]) + " " +
                 (const char*[]){"none", "ordered", "diffusion"}[state.range(1)] + " " +
                 PaletteOf(palette).name);
  state.counters["dE76"] = scores.de76;
  state.counters["dE2000"] = scores.de2000;
  state.counters["blurred_dE76"] = scores.blurredDe76;
  state.counters["blurred_dE2000"] = scores.blurredDe2000;
}
// Arguments: the picture, the mode (0 none, 1 ordered, 2 diffusion), the palette
// (every mode in the first; the others without dithering and with diffusion).
BENCHMARK(BM_ImportPicture)
    ->ArgsProduct({{0, 1, 2, 3, 4}, {0, 1, 2}, {0}})
    ->ArgsProduct({{0, 1, 2, 3, 4}, {0, 2}, {1, 2, 3, 4}})
    ->Unit(benchmark::kMillisecond);

// The same pictures as Graphics I screens: the time of the grouping import,
// and how close it looks beside the first-come grouping a simple converter makes.
void BM_Graphics1Picture(benchmark::State& state) {
  const std::string& png = PictureFile(static_cast<int>(state.range(0)));
  if (png.empty()) return state.SkipWithError("ImageMagick's convert made no picture");
  RgbaImage original;
  std::string error;
  DecodePng(reinterpret_cast<const uint8_t*>(png.data()), png.size(), 256, 192, original, error);
  int reduced = 0;
  const std::vector<Tile> cells = DitherToTiles(original, static_cast<Dither>(state.range(1)), 100, reduced);
  NameTable table;
  table.mode = ScreenMode::Graphics1;
  std::vector<TileSet> sets(1);
  const auto score = [&](bool optimise) {
    int made = 0;
    BuildGraphics1Set(cells, "bench", sets[0], table.cells, made, optimise);
    return ScorePicture(original, RenderScreen(table, sets, {}, {}, ScreenLook::Chip)).blurredDe2000;
  };
  const double firstCome = score(false);
  for (auto _ : state) {
    int made = 0;
    BuildGraphics1Set(cells, "bench", sets[0], table.cells, made);
  }
  state.SetLabel(std::string(kPictures[state.range(0)]) + " " +
                 (const char*[]){"none", "ordered", "diffusion"}[state.range(1)]);
  state.counters["grouped_blurred_dE2000"] = score(true);
  state.counters["first_come_blurred_dE2000"] = firstCome;
}
BENCHMARK(BM_Graphics1Picture)->ArgsProduct({{0, 1, 2, 3, 4}, {0, 1, 2}})->Unit(benchmark::kMillisecond);
}  // namespace
