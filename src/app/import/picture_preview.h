#pragma once
// Pictures drawn into the import windows at a zoom: one rectangle per run of
// a colour along a line, as the chip view draws.

#include "imgui.h"

template <typename ColourAt>
void DrawPicturePreview(int width, int height, ColourAt colourAt, float zoom) {
  const ImVec2 corner = ImGui::GetCursorScreenPos();
  ImDrawList* draw = ImGui::GetWindowDrawList();
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width;) {
      const ImU32 colour = colourAt(x, y);
      int end = x + 1;
      while (end < width && colourAt(end, y) == colour) ++end;
      draw->AddRectFilled(ImVec2(corner.x + x * zoom, corner.y + y * zoom),
                          ImVec2(corner.x + end * zoom, corner.y + (y + 1) * zoom), colour);
      x = end;
    }
  ImGui::Dummy(ImVec2(width * zoom, height * zoom));
}
