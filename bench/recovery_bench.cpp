// The frames of an editor writing recovery copies of the largest project: the
// frame that takes a snapshot each time (the worst case, when every frame is
// due), and the worst frame of the run while the writer works beside them.
#include <algorithm>
#include <chrono>

#include "app/recovery/recovery.h"
#include "editor_frames.h"
#include "largest_project.h"
#include "support/temp_dir.h"

namespace {
void BM_FrameWhileRecoveryCopiesAreWritten(benchmark::State& state) {
  TempDir dir;
  recovery.folder = dir.path().string();
  StartRecovery(recovery);
  recovery.intervalSeconds = state.range(0) ? 0 : 1e9;  // 1: a snapshot every frame; 0: none
  GuiDriver gui;
  FillLargestProject();
  StartHistory(history, project, tileStudio.canvas);
  history.savedPosition = -1;  // unsaved changes
  gui.Frame(3);
  double worst = 0, now = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    TickRecovery(recovery, now += 1);
    gui.Frame();
    worst =
        std::max(worst, std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  state.counters["worst_ms"] = worst;
  StopRecovery(recovery);
  recovery.folder = kRecoveryDirectory;
  recovery.lastCopySeconds = -1e300;
}
BENCHMARK(BM_FrameWhileRecoveryCopiesAreWritten)->ArgName("snapshot")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
}  // namespace
