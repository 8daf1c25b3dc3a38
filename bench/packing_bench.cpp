// The packers on the tables a game loads: every table of the largest project,
// and a screen made from a picture (12 KB of patterns and colours and its
// names), one table after another on one core as the budget of 50 ms a screen
// counts, and through the export's own PackTables on every core. Counters give
// the packed and unpacked bytes and their ratio.
#include <benchmark/benchmark.h>

#include <cmath>

#include "compress/pletter.h"
#include "compress/zx0.h"
#include "export/build_outputs.h"
#include "export/packed_tables.h"
#include "import/png_import.h"
#include "largest_project.h"
#include "storage/png_file.h"

namespace {
std::vector<PackedTable> TablesOf(const Project& data) {
  std::vector<PackedTable> tables;
  for (const OutputFile& file : BinaryTableFiles(data, SelectAll(data, kAllTables)))
    if (file.name != "index.txt" && !file.bytes.empty())
      tables.push_back({file.name, std::vector<uint8_t>(file.bytes.begin(), file.bytes.end())});
  return tables;
}

// A landscape as a converter leaves it: a dithered sky, a sun, hills and a lake
// with the grain of a photograph, so that nearly every tile differs.
std::vector<PackedTable> PictureScreenTables() {
  IndexedImage picture{256, 192, std::vector<uint8_t>(256 * 192)};
  for (int y = 0; y < 192; ++y)
    for (int x = 0; x < 256; ++x) {
      const unsigned grain = (static_cast<unsigned>(x) * 73856093u ^ static_cast<unsigned>(y) * 19349663u) % 97;
      const int bayer = ((x & 1) * 2 + (y & 1) * 3 + (grain < 20)) % 4;
      uint8_t colour = (y * 4 / 64 + (bayer > 1)) % 2 ? 7 : 5;  // sky
      if (std::hypot(x - 190, y - 40) < 22) colour = (x + y) % 5 ? 11 : 10;
      const double hill = 110 + 18 * std::sin(x / 23.0) + 9 * std::sin(x / 7.0);
      if (y > hill) colour = grain < 30 ? 12 : grain < 40 ? 1 : 2;
      if (y > 160) colour = (x / 4 + y / 3 + grain / 40) % 3 ? 4 : 15;  // lake
      picture.pixels[y * 256 + x] = colour;
    }
  const std::string png = EncodePng(picture, 1);
  Project data = DefaultProject();
  data.tileSets.clear(), data.nameTables.clear(), data.sprites.clear();
  ImportPngImage(reinterpret_cast<const uint8_t*>(png.data()), png.size(), "Landscape", data);
  return TablesOf(data);
}

void Count(benchmark::State& state, const std::vector<PackedTable>& tables, std::size_t packed) {
  std::size_t unpacked = 0;
  for (const PackedTable& table : tables) unpacked += table.bytes.size();
  state.counters["unpacked"] = static_cast<double>(unpacked);
  state.counters["packed"] = static_cast<double>(packed);
  state.counters["ratio"] = static_cast<double>(packed) / static_cast<double>(unpacked);
}

// One table after another on one core.
void PackOneByOne(benchmark::State& state, const std::vector<PackedTable>& tables) {
  const auto pack = state.range(0) == 0 ? PackZx0 : PackPletter;
  std::size_t packed = 0;
  for (auto _ : state) {
    packed = 0;
    for (const PackedTable& table : tables) packed += pack(table.bytes.data(), table.bytes.size()).size();
  }
  Count(state, tables, packed);
}

// Through the export: identical tables once, every core, each decoded back.
void PackForExport(benchmark::State& state, const std::vector<PackedTable>& tables) {
  std::size_t packed = 0;
  for (auto _ : state) {
    std::vector<PackedTable> copy = tables;
    std::string error;
    if (!PackTables(state.range(0) == 0 ? Compression::Zx0 : Compression::Pletter, copy, error))
      state.SkipWithError(error.c_str());
    packed = 0;
    for (const PackedTable& table : copy) packed += table.bytes.size();
  }
  Count(state, tables, packed);
}

void BM_PackPictureScreenOneCore(benchmark::State& state) { PackOneByOne(state, PictureScreenTables()); }
void BM_PackPictureScreenForExport(benchmark::State& state) { PackForExport(state, PictureScreenTables()); }
void BM_PackLargestProjectForExport(benchmark::State& state) {
  FillLargestProject();
  PackForExport(state, TablesOf(project));
  ResetProject();
}
// Argument 0: ZX0; 1: Pletter.
BENCHMARK(BM_PackPictureScreenOneCore)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PackPictureScreenForExport)->DenseRange(0, 1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_PackLargestProjectForExport)->DenseRange(0, 1)->Unit(benchmark::kMillisecond)->UseRealTime();
}  // namespace
