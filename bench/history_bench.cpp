// The undo history on the largest project (64 tile sets, 256 sprites, 256 name
// tables): the cost of recording one step and of undoing it, and the memory
// the step holds, for a one-pixel stroke, a PASTE of 256 tiles and a name-table import.
#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include "largest_project.h"
#include "model/history.h"
#include "studios/table/table_list_actions.h"
#include "studios/tile/tile_sheet_actions.h"

namespace {
struct LargestProject {
  std::unique_ptr<TileStudioState> tiles = std::make_unique<TileStudioState>();
  TableStudioState table;
  History h;
  LargestProject() {
    FillLargestProject();
    StartHistory(h, project, tiles->canvas);
  }
  ~LargestProject() { ResetProject(); }
};

const std::string kScreenHex(768 * 2, '4');

// Each iteration changes, records (timed), then undoes (timed separately) and redoes.
void TimeStep(benchmark::State& state, const std::function<void(LargestProject&, int)>& change) {
  LargestProject p;
  double recordSeconds = 0, undoSeconds = 0;
  std::size_t bytes = 0;
  int round = 0;
  for (auto _ : state) {
    change(p, round++);
    auto start = std::chrono::steady_clock::now();
    RecordChanges(p.h, project, p.tiles->canvas);
    recordSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    bytes = p.h.steps.back().bytes;
    start = std::chrono::steady_clock::now();
    Undo(p.h, project, p.tiles->canvas);
    undoSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    Redo(p.h, project, p.tiles->canvas);
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["record_ms"] = 1000 * recordSeconds / n;
  state.counters["undo_ms"] = 1000 * undoSeconds / n;
  state.counters["step_KiB"] = bytes / 1024.0;
}

void BM_HistoryOnePixelStroke(benchmark::State& state) {
  TimeStep(state, [](LargestProject&, int round) { tileSets[round % 64].pixels[0][0][round % 8] ^= 1; });
}
void BM_HistoryPasteOf256Tiles(benchmark::State& state) {
  TimeStep(state, [](LargestProject& p, int round) {
    p.tiles->selectionStart = 0, p.tiles->selectionEnd = 255, p.tiles->currentTileSet = round % 64;
    CopyTiles(*p.tiles, tileSets[(round + 1) % 64]);
    PasteTiles(*p.tiles, tileSets, nameTables);
  });
}
void BM_HistoryNameTableImport(benchmark::State& state) {
  TimeStep(state, [](LargestProject& p, int) {
    if (nameTables.size() >= 256) nameTables.pop_back();
    ImportNameTablesRawHex(p.table, nameTables, kScreenHex.c_str());
  });
}
BENCHMARK(BM_HistoryOnePixelStroke)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HistoryPasteOf256Tiles)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HistoryNameTableImport)->Unit(benchmark::kMillisecond);
}  // namespace
