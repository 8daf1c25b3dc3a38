#pragma once
// Pictures to tiles with dithering: each 8-pixel row of a tile shows a mix of
// its two colours, as ordered (Bayer) halftones or with error diffusion, and
// takes the pair whose rendering looks closest to the picture to an eye that
// blends neighbouring pixels (both compared after a [1 2 1] blur along the
// row, in linear light, measured in CIELAB). With diffusion each row's error
// is carried into the rows to its right and below before their pairs are chosen.

#include <vector>

#include "import/screen_tiles.h"
#include "storage/png_file.h"

enum class Dither { None, Ordered, Diffusion };

// The picture's tiles row by row; `strength` 0 to 100 scales the halftone's
// spread or the error carried. `reducedRows` counts rows whose pixels are
// nearest to more than two palette colours.
std::vector<Tile> DitherToTiles(const RgbaImage& image, Dither mode, int strength, int& reducedRows);
