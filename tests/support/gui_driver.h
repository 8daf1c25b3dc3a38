#pragma once
// A headless Dear ImGui: a real context at the editor's window size with no
// window and no renderer, running frames of the editor's own per-frame function
// while a test plays the user's mouse, keyboard and clipboard.

#include <functional>
#include <string>

#include "imgui.h"

class GuiDriver {
 public:
  static constexpr float kFrameSeconds = 1.0f / 60.0f;

  // A renderer backend builds the font atlas itself; without one the driver does.
  explicit GuiDriver(bool rendererBuildsFonts = false);
  ~GuiDriver();
  GuiDriver(const GuiDriver&) = delete;
  GuiDriver& operator=(const GuiDriver&) = delete;

  // Runs frames of the editor; the input queued since the last frame arrives in the first.
  void Frame(int count = 1);
  void AdvanceTime(float seconds);  // the next frame's delta time

  void MoveMouse(ImVec2 point);
  void Press(int button = 0);
  void Release(int button = 0);
  void Click(ImVec2 point, int button = 0);
  // Press at `from`, move to `to` over `steps` frames, release there.
  void Drag(ImVec2 from, ImVec2 to, int steps = 10);
  void PressKey(ImGuiKey key);
  void TypeText(const char* text);
  void SetClipboard(const std::string& text) { clipboard = text; }

  // The Workspace window's top-left corner: the studios' offsets start here.
  ImVec2 WorkspaceOrigin() const;
  // Centre of the tab with this label in the tab bar "EditorTabs".
  ImVec2 TabCenter(const char* title) const;

  ImGuiContext* context = nullptr;
  bool running = true;  // cleared by File > Exit
  std::string clipboard;
  std::function<void()> beforeNewFrame;  // for tools that add a renderer backend

 private:
  float nextDeltaTime = kFrameSeconds;
};
