#pragma once
// Times whole editor frames (NewFrame to Render) with one studio tab selected
// and the mouse off the window, and reports the frame's draw vertices.

#include <benchmark/benchmark.h>

#include "support/gui_driver.h"

inline void TimeEditorFrames(benchmark::State& state, const char* tab) {
  GuiDriver gui;
  gui.Frame(2);
  gui.ClickItem(tab);
  gui.MoveMouse(ImVec2(-1, -1));
  gui.Frame(3);
  for (auto _ : state) gui.Frame();
  state.counters["vertices"] = ImGui::GetDrawData()->TotalVtxCount;
}
