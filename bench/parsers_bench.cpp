// Throughput of the clipboard parsers on a paste the size of a large project.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>
#include <string>

#include "import/clipboard_parsers.h"

namespace {
// Assembly in the style users paste: labels, comments, db lines of 8-32 bytes
// in every notation the parser reads.
std::string GeneratedAssembly(std::size_t size) {
  std::mt19937 random(42);
  std::string text;
  text.reserve(size + 256);
  char number[16];
  int label = 0;
  while (text.size() < size) {
    if (random() % 8 == 0) text += "; ---- graphics block ----\n";
    if (random() % 4 == 0) text += "tiles_" + std::to_string(label++) + ":\n";
    text += "    db ";
    const int count = 8 + static_cast<int>(random() % 25);
    for (int i = 0; i < count; ++i) {
      const unsigned value = random() % 256;
      switch (random() % 4) {
        case 0:
          std::snprintf(number, sizeof number, "$%02X", value);
          break;
        case 1:
          std::snprintf(number, sizeof number, "0%02Xh", value);
          break;
        case 2:
          std::snprintf(number, sizeof number, "0x%02X", value);
          break;
        default:
          number[0] = '%';
          for (int bit = 0; bit < 8; ++bit) number[1 + bit] = (value >> (7 - bit) & 1) ? '1' : '0';
          number[9] = 0;
      }
      if (i) text += ", ";
      text += number;
    }
    if (random() % 3 == 0) text += " ; row data";
    text += '\n';
  }
  return text;
}

const std::string& Paste() {
  static const std::string text = GeneratedAssembly(4 << 20);
  return text;
}

void BM_ParseTokenImport(benchmark::State& state) {
  const std::string& text = Paste();
  for (auto _ : state) benchmark::DoNotOptimize(ParseTokenImport(text.c_str()));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ParseTokenImport)->Unit(benchmark::kMillisecond);

void BM_ParseRawHexImport(benchmark::State& state) {
  const std::string& text = Paste();
  for (auto _ : state) benchmark::DoNotOptimize(ParseRawHexImport(text.c_str()));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ParseRawHexImport)->Unit(benchmark::kMillisecond);
}  // namespace
