#pragma once
// Pictures into the modes that are no tiles of colour pairs: Multicolor (a
// 256 x 192 picture as 64 x 48 blocks, each the nearest of the 15 colours)
// and Text (a 240 x 192 picture in two colours, its 6 x 8 cells as
// patterns). Dithering as for the other screens: none (the nearest), ordered
// (Bayer halftones between the two nearest colours) or diffusion (the error
// carried into the blocks or pixels after, serpentine), scaled by `strength`.

#include <string>

#include "import/dither.h"

constexpr int kTextPictureWidth = kTextColumns * kTextPixelWidth;  // 240

// The blocks of a Multicolor screen.
void PictureToBlocks(const RgbaImage& image, Dither dither, int strength, NameTable& table);

// A Text screen: its two colours (letters and backdrop) are the pair that
// shows the picture best; its distinct cells become the set's patterns,
// merged (the rarest into the nearest) down to 255. Returns how many merged;
// `made` grows by the patterns stored.
int PictureToText(const RgbaImage& image, Dither dither, int strength, TileSet& set, NameTable& table, int& made);
