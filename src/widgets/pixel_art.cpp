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
  for (int r = 0; r < 8; ++r)
    DrawTileRow(draw, set.pixels[tile][r], Palette[set.foreground[tile][r] & 15], Palette[set.background[tile][r] & 15],
                ImVec2(corner.x, corner.y + pixel * r), pixel);
  const float side = 8 * pixel;
  const ImU32 white = IM_COL32(255, 255, 255, 255);
  draw->AddRect(corner, ImVec2(corner.x + side, corner.y + side), white, 0, 0, 1);
  char number[8];
  std::snprintf(number, sizeof number, "%03d", tile);
  const int w = static_cast<int>(ImGui::CalcTextSize(number).x + 0.99999f);
  draw->AddText(ImVec2(corner.x + (side - w) / 2, corner.y + side + 2), white, number);
}

void DrawTileRow(ImDrawList* draw, const uint8_t (&pixels)[8], ImU32 foreground, ImU32 background, ImVec2 corner,
                 float pixel) {
  for (int x = 0, end = 1; x < 8; x = end++) {
    while (end < 8 && !pixels[end] == !pixels[x]) ++end;
    draw->AddRectFilled(ImVec2(corner.x + x * pixel, corner.y), ImVec2(corner.x + end * pixel, corner.y + pixel),
                        pixels[x] ? foreground : background);
  }
}
