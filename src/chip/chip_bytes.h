#pragma once
// The byte layouts the video chip reads: the exports, the cartridges and the
// live link all write these.

#include <cstdint>
#include <vector>

#include "model/project.h"

// The bytes the chip reads, as every export writes them: 8 pattern rows a tile
// (the leftmost pixel in the top bit), 8 colour bytes a tile (foreground in the
// high four bits), 32 bytes a 16 x 16 sprite in the chip's quarter order or
// 8 bytes an 8 x 8 one (its record's top-left quarter).
std::vector<uint8_t> PatternBytes(const TileSet& set);
std::vector<uint8_t> ColourBytes(const TileSet& set);
std::vector<uint8_t> SpritePatternBytes(const Sprite& sprite, SpriteSize size);
