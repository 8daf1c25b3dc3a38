#pragma once
// Dear ImGui reports every item to these hooks when a context asks for it
// (ImGuiContext::TestEngineHookItems). The editor never does; the headless
// test driver does, to find widgets by their labels.

#include "imgui.h"

struct ImGuiContext;

struct ImGuiItemObserver {
  void (*itemAdded)(ImGuiContext* context, ImGuiID id, ImVec2 min, ImVec2 max) = nullptr;
  void (*itemLabelled)(ImGuiContext* context, ImGuiID id, const char* label) = nullptr;
};
extern ImGuiItemObserver imguiItemObserver;
