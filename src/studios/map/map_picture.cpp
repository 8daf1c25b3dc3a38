#include "studios/map/map_picture.h"

#include <cmath>

namespace {
constexpr uint32_t kOutside = PackColour(40, 40, 40);

uint32_t Visible(int index) { return Palette[index == 0 ? 1 : index]; }
}  // namespace

void BuildTileColours(const TileSet& set, TileColours& colours) {
  for (int tile = 0; tile < kTilesPerSet; ++tile) {
    uint32_t sum[3] = {0, 0, 0};
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) {
        const uint32_t colour = Visible(TilePixelColour(set, tile, y, x));
        colours.pixels[tile][y * 8 + x] = colour;
        for (int c = 0; c < 3; ++c) sum[c] += colour >> (8 * c) & 0xFF;
      }
    colours.average[tile] = PackColour(sum[0] / 64, sum[1] / 64, sum[2] / 64);
  }
}

void RenderMapView(const Map& map, const TileColours& colours, float left, float top, float zoom, int width, int height,
                   uint32_t* out) {
  const int size = map.metatileSize;
  const long mapWidth = static_cast<long>(map.width) * size * 8, mapHeight = static_cast<long>(map.height) * size * 8;
  const bool detailed = zoom >= 1;   // below, a pixel stands for a tile's average
  std::vector<long> columns(width);  // each view column's chip pixel
  for (int x = 0; x < width; ++x) columns[x] = static_cast<long>(std::floor(left + x / zoom));
  for (int y = 0; y < height; ++y) {
    uint32_t* row = out + static_cast<std::size_t>(y) * width;
    const long py = static_cast<long>(std::floor(top + y / zoom));
    if (py < 0 || py >= mapHeight) {
      std::fill(row, row + width, kOutside);
      continue;
    }
    const int cellRow = static_cast<int>(py / (8 * size)), tileRow = static_cast<int>(py / 8 % size);
    const int pixelRow = static_cast<int>(py % 8);
    // Neighbouring view pixels mostly share a tile: look it up once per tile.
    long lastTile = -1;
    const uint32_t* tilePixels = nullptr;
    uint32_t average = 0;
    for (int x = 0; x < width; ++x) {
      const long px = columns[x];
      if (px < 0 || px >= mapWidth) {
        row[x] = kOutside;
        continue;
      }
      if (px / 8 != lastTile) {
        lastTile = px / 8;
        const int cell = map.At(static_cast<int>(px / (8 * size)), cellRow);
        const int tile = map.Tile(cell, static_cast<int>(lastTile % size), tileRow);
        tilePixels = colours.pixels[tile] + pixelRow * 8;
        average = colours.average[tile];
      }
      row[x] = detailed ? tilePixels[px % 8] : average;
    }
  }
}
