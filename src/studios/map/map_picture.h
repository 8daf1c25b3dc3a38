#pragma once
// The map as the Map Studio shows it, rendered on the CPU into RGBA pixels for
// one texture: a frame only renders again when the view or the data changed.

#include <cstdint>
#include <vector>

#include "model/project.h"

// Every tile's pixels in palette colours (colour 0 as black, the map having no
// backdrop) and each tile's average colour for views of less than a pixel a pixel.
struct TileColours {
  uint32_t pixels[kTilesPerSet][64];
  uint32_t average[kTilesPerSet];
};
void BuildTileColours(const TileSet& set, TileColours& colours);

// `width` x `height` pixels of the view whose top-left corner is map chip pixel
// (left, top), `zoom` view pixels a chip pixel; past the map's edge, dark grey.
void RenderMapView(const Map& map, const TileColours& colours, float left, float top, float zoom, int width, int height,
                   uint32_t* out);
