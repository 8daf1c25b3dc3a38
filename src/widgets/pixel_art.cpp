#include "widgets/pixel_art.h"

#include <cstdio>

#include "model/metasprite_picture.h"

void DrawSpritePixels(ImDrawList* draw, const Sprite& sprite, int side, ImVec2 corner, float pixel) {
  const ImU32 colour = Palette[sprite.colour & 15];
  for (int r = 0; r < side; ++r)
    for (int c = 0; c < side; ++c)
      if (sprite.pixels[r][c])
        draw->AddRectFilled(ImVec2(corner.x + pixel * c, corner.y + pixel * r),
                            ImVec2(corner.x + pixel * (c + 1), corner.y + pixel * (r + 1)), colour);
}

void DrawMetaspritePixels(ImDrawList* draw, const Metasprite& metasprite, ImVec2 corner, float pixel) {
  const MetaspritePicture picture = DrawMetasprite(metasprite, sprites(), project.spriteSize.side);
  for (int r = 0; r < metasprite.height; ++r)
    for (int c = 0; c < metasprite.width; ++c)
      if (const uint8_t colour = picture.pixels[r][c])
        draw->AddRectFilled(ImVec2(corner.x + pixel * c, corner.y + pixel * r),
                            ImVec2(corner.x + pixel * (c + 1), corner.y + pixel * (r + 1)), Palette[colour]);
}

void DrawTileWithNumber(ImDrawList* draw, const TileSet& set, int tile, ImVec2 corner, float pixel) {
  for (int r = 0; r < 8; ++r) {
    const ImU32 foreground = Palette[set.foreground[tile][r] & 15];
    const ImU32 background = Palette[set.background[tile][r] & 15];
    for (int c = 0; c < 8; ++c) {
      const ImVec2 at(corner.x + pixel * c, corner.y + pixel * r);
      draw->AddRectFilled(at, ImVec2(at.x + pixel, at.y + pixel), set.pixels[tile][r][c] ? foreground : background);
    }
  }
  const float side = 8 * pixel;
  const ImU32 white = IM_COL32(255, 255, 255, 255);
  draw->AddRect(corner, ImVec2(corner.x + side, corner.y + side), white, 0, 0, 1);
  char number[8];
  std::snprintf(number, sizeof number, "%03d", tile);
  const int w = static_cast<int>(ImGui::CalcTextSize(number).x + 0.99999f);
  draw->AddText(ImVec2(corner.x + (side - w) / 2, corner.y + side + 2), white, number);
}
