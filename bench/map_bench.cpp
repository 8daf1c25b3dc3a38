// The Map Studio on a 1024 x 1024 map of 2x2 metatiles: frames at full
// zoom-out and at one chip pixel a pixel (steady, and scrolling so that every
// frame renders the view again), a fill of half the map and its undo, the
// history a one-cell paint step holds, and the project file saved and loaded.
#include <chrono>

#include "editor_frames.h"
#include "storage/project_file.h"
#include "studios/map/map_actions.h"
#include "studios/map/map_studio_state.h"
#include "support/temp_dir.h"

namespace {
constexpr int kSide = 1024;

// 64 metatiles of tiles with a drawing in each; a wall down the middle column.
void FillLargestMap() {
  TileSet& set = tileSets[0];
  for (int tile = 0; tile < kTilesPerSet; ++tile)
    for (int y = 0; y < 8; ++y) {
      set.foreground[tile][y] = 1 + (tile + y) % 15, set.background[tile][y] = 1 + (tile * 5 + y) % 15;
      for (int x = 0; x < 8; ++x) set.pixels[tile][y][x] = (tile + x * y) % 3 == 0;
    }
  Map map = DefaultMap();
  map.metatiles.resize(64);
  for (int i = 0; i < 64; ++i)
    for (int t = 0; t < 4; ++t) map.metatiles[i].tiles[t] = static_cast<uint8_t>(i * 4 + t);
  map.width = map.height = kSide;
  map.cells.assign(static_cast<std::size_t>(kSide) * kSide, 0);
  for (int row = 0; row < kSide; ++row)
    for (int column = 0; column < kSide; ++column)
      map.At(column, row) = column == kSide / 2 ? 63 : static_cast<uint8_t>((column * 7 + row * 3) % 8);
  project.maps = {map};
}

// 0: the whole map, steady; 1: one chip pixel a pixel, steady; 2: at 1:1, scrolled a pixel each frame.
void BM_MapStudioFrame(benchmark::State& state) {
  GuiDriver gui;
  FillLargestMap();
  StartHistory(history, project, tileStudio.canvas);
  mapStudio.zoom = state.range(0) == 0 ? 0 : kOneToOneZoom;
  gui.Frame(2);
  gui.ClickItem("Map Studio");
  gui.MoveMouse(ImVec2(-1, -1));
  gui.Frame(3);
  for (auto _ : state) {
    if (state.range(0) == 2) mapStudio.viewLeft += 1;
    gui.Frame();
  }
  state.counters["vertices"] = ImGui::GetDrawData()->TotalVtxCount;
}
BENCHMARK(BM_MapStudioFrame)->ArgName("view")->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// A fill of the left half (the wall stops it), recorded as one step, then undone.
void BM_MapFillAndUndo(benchmark::State& state) {
  ResetProject();
  FillLargestMap();
  for (auto _ : state) {
    state.PauseTiming();
    FillRect(project.maps[0], {0, 0, kSide / 2, kSide}, 5);
    StartHistory(history, project, tileStudio.canvas);
    state.ResumeTiming();
    const auto start = std::chrono::steady_clock::now();
    FillArea(project.maps[0], {0, 0}, 9);
    RecordChanges(history, project, tileStudio.canvas);
    const auto filled = std::chrono::steady_clock::now();
    Undo(history, project, tileStudio.canvas);
    const auto undone = std::chrono::steady_clock::now();
    state.counters["fill_ms"] = std::chrono::duration<double, std::milli>(filled - start).count();
    state.counters["undo_ms"] = std::chrono::duration<double, std::milli>(undone - filled).count();
  }
  PaintBlock(project.maps[0], MapBlock{1, 1, {1}}, {500, 700});
  RecordChanges(history, project, tileStudio.canvas);
  state.counters["paint_step_bytes"] = static_cast<double>(history.steps.back().bytes);
}
BENCHMARK(BM_MapFillAndUndo)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_MapProjectSaveAndLoad(benchmark::State& state) {
  TempDir dir;
  ResetProject();
  FillLargestMap();
  const std::string path = dir.File("map.krv");
  for (auto _ : state) {
    if (SaveProject(path) != FileResult::Ok || LoadProject(path) != FileResult::Ok) state.SkipWithError("not saved");
  }
}
BENCHMARK(BM_MapProjectSaveAndLoad)->Unit(benchmark::kMillisecond);
}  // namespace
