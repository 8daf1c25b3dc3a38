#pragma once
// A headless Dear ImGui: a real context at the editor's window size with no
// window and no renderer, running frames of the editor's own per-frame function
// while a test plays the user's mouse, keyboard and clipboard. Every
// program-wide record starts and ends at its start values.

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "imgui.h"
#include "imgui_internal.h"

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
  void AdvanceTime(float seconds) { nextDeltaTime = seconds; }  // the next frame's delta time

  void MoveMouse(ImVec2 point) { Input().AddMousePosEvent(point.x, point.y); }
  void Press(int button = 0) { Input().AddMouseButtonEvent(button, true); }
  void Release(int button = 0) { Input().AddMouseButtonEvent(button, false); }
  void Click(ImVec2 point, int button = 0);
  // Press at `from`, move to `to` over `steps` frames, release there.
  void Drag(ImVec2 from, ImVec2 to, int steps = 10, int button = 0);
  void PressKey(ImGuiKeyChord chord);  // a key, with ImGuiMod_Ctrl and the like held while it goes down
  void TapKey(ImGuiKeyChord chord);    // the same, down and up before the next frame, as a quick tap arrives
  void TypeText(const char* text);

  // The Workspace window's top-left corner: the studios' offsets start here.
  ImVec2 WorkspaceOrigin() const;
  // A point given as the studios give positions, as an offset from that corner.
  ImVec2 At(float x, float y) const {
    const ImVec2 origin = WorkspaceOrigin();
    return ImVec2(origin.x + x, origin.y + y);
  }
  // Widgets drawn in the last frame, by the label they were given ("Yes", "Tile Studio").
  bool HasItem(const std::string& label) const { return !ItemCentres(label).empty(); }
  ImVec2 ItemCenter(const std::string& label) const;                // the last one drawn with this label
  std::vector<ImVec2> ItemCentres(const std::string& label) const;  // all of them, in the order drawn
  void ClickItem(const std::string& label) { Click(ItemCenter(label)); }
  // Unlabelled widgets (colour buttons, say) of exactly this size, in the order drawn.
  std::vector<ImVec2> CentresOfItemsSized(ImVec2 size) const;
  // The colour the last frame's draw data gives a point: that of the last
  // triangle drawn over it, as a renderer would show it (0 where none is).
  ImU32 ColourAt(ImVec2 point) const;

  ImGuiContext* context = nullptr;
  bool running = true;  // cleared by File > Exit
  std::string clipboard;
  std::function<void()> beforeNewFrame;  // for tools that add a renderer backend
  std::function<void()> draw;            // what a frame draws; the editor unless replaced

 private:
  // The driver's own context's input queue: events wait there for the next frame.
  ImGuiIO& Input() {
    ImGui::SetCurrentContext(context);
    return ImGui::GetIO();
  }
  static GuiDriver* Of(ImGuiContext* context) { return static_cast<GuiDriver*>(context->TestEngine); }

  float nextDeltaTime = kFrameSeconds;
  std::vector<std::pair<std::string, ImRect>> items;  // labelled items of the last frame, in order
  std::map<ImGuiID, ImRect> rectsThisFrame;
  std::vector<std::pair<ImGuiID, std::string>> labelsThisFrame;
  std::vector<ImRect> rectsInOrder, rectsInOrderThisFrame;
};
