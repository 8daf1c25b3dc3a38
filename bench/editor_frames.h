#pragma once
// Times whole editor frames (NewFrame to Render, the history's recording
// included) with one studio tab selected and the mouse off the window, and
// reports the frame's draw vertices. `setUp` fills the project first.

#include <benchmark/benchmark.h>

#include <functional>

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
}
