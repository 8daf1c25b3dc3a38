#pragma once
// Times whole editor frames (NewFrame to Render, the history's recording
// included) with one studio tab selected and the mouse off the window, and
// reports the frame's draw vertices and how long its fingerprint takes (the
// cost every real frame pays to know whether it must be presented). `setUp`
// fills the project first.

#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>

#include "app/shell/frame_fingerprint.h"
#include "model/history.h"
#include "studios/tile/tile_studio_state.h"
#include "support/gui_driver.h"

inline void TimeEditorFrames(benchmark::State& state, const char* tab, const std::function<void()>& setUp) {
  GuiDriver gui;
  setUp();
  StartHistory(history, project, tileStudio.canvas);
  gui.Frame(2);
  gui.ClickItem(tab);
  gui.MoveMouse(ImVec2(-1, -1));
  gui.Frame(3);
  for (auto _ : state) gui.Frame();
  state.counters["vertices"] = ImGui::GetDrawData()->TotalVtxCount;
  constexpr int kRounds = 50;
  const auto start = std::chrono::steady_clock::now();
  uint64_t fingerprints = 0;
  for (int round = 0; round < kRounds; ++round) fingerprints += FrameFingerprint(*ImGui::GetDrawData());
  benchmark::DoNotOptimize(fingerprints);
  state.counters["fingerprint_us"] =
      std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count() / kRounds;
}
