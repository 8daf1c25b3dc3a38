// A game's build step: tessellary-export writing the largest project to every
// format, timed as a whole process; and importing a 256 x 192 screen picture.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "chip/chip_render.h"
#include "import/png_import.h"
#include "largest_project.h"
#include "storage/png_file.h"
#include "storage/project_file.h"
#include "support/temp_dir.h"

namespace {
void BM_ExportLargestProjectToEveryFormat(benchmark::State& state) {
  TempDir dir;
  FillLargestProject();
  if (SaveProject(dir.File("largest.krv")) != FileResult::Ok) state.SkipWithError("cannot save the project");
  const std::string command = std::string(TESSELLARY_EXPORT) + " " + dir.File("largest.krv") + " --asm " +
                              dir.File("gfx.asm") + " --basic " + dir.File("gfx.bas") + " --sat " +
                              dir.File("sat.asm") + " --bin " + dir.File("bin") + " --sc2 " + dir.File("sc2") +
                              " --png " + dir.File("png") + " > /dev/null 2>&1";
  for (auto _ : state)
    if (std::system(command.c_str()) != 0) state.SkipWithError("tessellary-export failed");
  ResetProject();
}

void BM_ImportScreenPicture(benchmark::State& state) {
  // A screen of many distinct tiles with a colour clash in every row.
  IndexedImage picture{256, 192, std::vector<uint8_t>(256 * 192)};
  for (int y = 0; y < 192; ++y)
    for (int x = 0; x < 256; ++x) picture.pixels[y * 256 + x] = static_cast<uint8_t>(1 + (x * 7 + y * 3 + x * y) % 15);
  const std::string png = EncodePng(picture, 1);
  for (auto _ : state) {
    Project into = DefaultProject();
    const ImportResult result =
        ImportPngImage(reinterpret_cast<const uint8_t*>(png.data()), png.size(), "bench", into);
    if (!result.ok) state.SkipWithError(result.message.c_str());
    benchmark::DoNotOptimize(into);
  }
}
BENCHMARK(BM_ExportLargestProjectToEveryFormat)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ImportScreenPicture)->Unit(benchmark::kMillisecond);
}  // namespace
