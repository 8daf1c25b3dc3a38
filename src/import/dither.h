#pragma once
// Pictures to tiles. Each 8-pixel row of a tile shows two colours: with no
// dithering each pixel the nearer of the pair that loses least; dithered, a
// mix of the two as ordered (Bayer) halftones or by error diffusion, the pair
// the one whose mixes lie closest in CIELAB to the row's pixels (what the eye
// sees of a dither from a step back). Diffusing, each row's error is carried
// into the rows to its right and below before their pairs are chosen.

#include <vector>

#include "import/screen_tiles.h"
#include "storage/png_file.h"

enum class Dither { None, Ordered, Diffusion };

// The picture's tiles row by row; `strength` 0 to 100 scales the halftone's
// spread or the error carried. `reducedRows` counts rows whose pixels are
// nearest to more than two palette colours.
std::vector<Tile> DitherToTiles(const RgbaImage& image, Dither mode, int strength, int& reducedRows);
