#pragma once
// The import windows' pictures: the file beside what the import makes of it,
// at a zoom (twice the size while both fit), each drawn as one rectangle per run of a
// colour along a line, as the chip view draws. The caller ends the result's
// group, so that it can add lines under it.

#include <algorithm>
#include <cmath>

#include "chip/chip_render.h"
#include "imgui.h"
#include "model/project.h"
#include "storage/png_file.h"

template <typename ColourAt>
void DrawPicturePreview(const char* id, int width, int height, ColourAt colourAt, float zoom) {
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
  ImGui::InvisibleButton(id, ImVec2(std::max(1.0f, width * zoom), std::max(1.0f, height * zoom)));
}

// Twice the size while a picture is small enough for two to fit.
inline float DefaultPreviewZoom(const RgbaImage& source) { return source.width <= 256 && source.height <= 256 ? 2 : 1; }

// The file's picture, then (when there is one) the result in a group left
// open. Returns the file's pixel clicked, or -1, -1.
inline ImVec2 DrawSourceBesideResult(const RgbaImage& source, const IndexedImage* result, float zoom) {
  ImGui::BeginGroup();
  DrawPicturePreview(
      "##source", source.width, source.height,
      [&source](int x, int y) {
        const uint8_t* p = &source.rgba[(static_cast<std::size_t>(y) * source.width + x) * 4];
        return IM_COL32(p[0], p[1], p[2], p[3]);
      },
      zoom);
  ImVec2 clicked(-1, -1);
  if (ImGui::IsItemClicked()) {
    const ImVec2 mouse = ImGui::GetIO().MousePos, corner = ImGui::GetItemRectMin();
    clicked = ImVec2(std::floor((mouse.x - corner.x) / zoom), std::floor((mouse.y - corner.y) / zoom));
  }
  ImGui::EndGroup();
  ImGui::SameLine();
  ImGui::BeginGroup();
  if (result)
    DrawPicturePreview(
        "##result", result->width, result->height,
        [result](int x, int y) {
          const uint8_t colour = result->At(x, y);
          return colour ? Palette[colour] : IM_COL32(0, 0, 0, 0);
        },
        zoom);
  return clicked;
}
