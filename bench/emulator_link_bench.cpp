// The live link's latency: from the frame whose sync sends a change to the
// moment openMSX's video memory holds it, for one name (2 bytes with its
// neighbour) and for the middle third switched to another tile set (4 KB);
// and, while a map plays, for a cell painted, until the game's engine has
// drawn it into the name table it shows.
// Needs openMSX and a display (scripts/bench gives it a virtual one).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>

#include "app/emulator/emulator_session.h"
#include "export/play_cartridge.h"
#include "chip/video_memory.h"
#include "support/project_fixtures.h"

namespace {
void BM_LiveLinkLatency(benchmark::State& state) {
  MakeMachineProject();
  std::string error;
  if (!RunOnEmulator(emulator, project, 0, error)) return state.SkipWithError(error.c_str());
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (!emulator.loaded && std::chrono::steady_clock::now() < deadline) SyncEmulator(emulator, project, 0);
  if (!emulator.loaded) return state.SkipWithError("the cartridge did not start");
  NameTable& table = nameTables[0];
  // The region each change touches, read back until it holds what the editor sent.
  const std::size_t address = state.range(0) ? kPatternBase + kThirdTableSize : kNameBase;
  const std::size_t size = state.range(0) ? kThirdTableSize : 2;
  const std::string question =
      "binary encode hex [debug read_block VRAM " + std::to_string(address) + " " + std::to_string(size) + "]";
  int step = 0;
  double worst = 0;
  for (auto _ : state) {
    ++step;
    if (state.range(0))
      table.thirdTileSets[1] = step % 2 ? 0 : 1;
    else
      table.cells[0] = static_cast<uint8_t>(step), table.cells[1] = static_cast<uint8_t>(step * 3);
    const auto start = std::chrono::steady_clock::now();
    SyncEmulator(emulator, project, 0);
    const std::string wanted = emulator.shown.substr(address, size);
    TclReply reply;
    while (AskTcl(emulator.link, question, reply, 5000) && BytesFromHex(reply.text) != wanted) {
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    worst = std::max(worst, seconds * 1000);
    state.SetIterationTime(seconds);
  }
  state.counters["worst_ms"] = worst;
  StopEmulator(emulator);
}
BENCHMARK(BM_LiveLinkLatency)
    ->ArgName("tile_set")
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Iterations(40)
    ->Unit(benchmark::kMillisecond);

void BM_PlayMapEditLatency(benchmark::State& state) {
  MakeWalkProject(2);
  std::string error;
  if (!PlayMapOnEmulator(emulator, project, 0, 0, 0, error)) return state.SkipWithError(error.c_str());
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (!emulator.loaded && std::chrono::steady_clock::now() < deadline) SyncEmulator(emulator, project, 0);
  if (!emulator.loaded) return state.SkipWithError("the cartridge did not start");
  // Cell (3, 2) is tiles (6, 4) to (7, 5) of the first view; its top-left name is read back.
  const std::string question = "debug read VRAM [expr {([vdpreg 2] & 15) * 0x400 + 4 * 32 + 6}]";
  Map& map = project.maps[0];
  int step = 0;
  double worst = 0;
  for (auto _ : state) {
    map.At(3, 2) = static_cast<uint8_t>(++step % 2);
    const std::string wanted = std::to_string(map.Tile(map.At(3, 2), 0, 0));
    const auto start = std::chrono::steady_clock::now();
    SyncEmulator(emulator, project, 0);
    TclReply reply;
    while (AskTcl(emulator.link, question, reply, 5000) && reply.text != wanted) {
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    worst = std::max(worst, seconds * 1000);
    state.SetIterationTime(seconds);
  }
  state.counters["worst_ms"] = worst;
  StopEmulator(emulator);
}
BENCHMARK(BM_PlayMapEditLatency)->UseManualTime()->Iterations(40)->Unit(benchmark::kMillisecond);
}  // namespace
