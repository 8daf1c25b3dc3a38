#pragma once
// PNG pictures in and out through libpng: chip pixels out as an indexed picture
// in the palette's colours, any PNG in as RGBA with a cap on its size.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "chip/chip_render.h"

struct RgbaImage {
  int width = 0, height = 0;
  std::vector<uint8_t> rgba;  // row by row, four bytes a pixel
};

// Each chip pixel becomes a `scale` x `scale` block; colour 0 is fully transparent.
std::string EncodePng(const IndexedImage& image, int scale);

// False, with the reason, for bytes that are not a PNG or a picture wider or
// taller than the limits (refused before its pixels are read).
bool DecodePng(const uint8_t* data, std::size_t size, int maxWidth, int maxHeight, RgbaImage& out, std::string& error);
