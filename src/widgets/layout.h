#pragma once
#include "imgui.h"

// Studio widgets sit at fixed offsets from the workspace window's top-left
// corner (its screen position, not its content origin).
inline ImVec2 At(ImVec2 origin, float x, float y) { return ImVec2(origin.x + x, origin.y + y); }

// A rectangle outline drawn half a pixel inside [min, max].
inline void FrameInside(ImDrawList* draw, ImVec2 min, ImVec2 max, ImU32 colour, float thickness) {
  draw->AddRect(ImVec2(min.x + 0.5f, min.y + 0.5f), ImVec2(max.x - 0.5f, max.y - 0.5f), colour, 0, 0, thickness);
}

// A white outline on the last item's rectangle, the studios' mark for "chosen" or "on".
inline void OutlineLastItem(float thickness) {
  ImGui::GetWindowDrawList()->AddRect(ImGui::GetItemRectMin(), ImGui::GetItemRectMax(), IM_COL32(255, 255, 255, 255), 0,
                                      0, thickness);
}
