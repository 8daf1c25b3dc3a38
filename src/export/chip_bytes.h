#pragma once
// The byte layouts the video chip reads, as every export writes them.

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
// A map's metatiles as games read them: size x size tile numbers each, row by row.
std::vector<uint8_t> MetatileBytes(const Map& map);
// A byte a metatile: 1 for a solid one, which a walker cannot enter, else 0.
std::vector<uint8_t> SolidBytes(const Map& map);
// A metasprite as games read it to draw it: its part count, then for each part
// in plane order its y and x offsets (signed, in screen pixels: doubled for
// magnified sprites), its pattern number in the exported sprite pattern table
// (`patterns`, by sprite) and its colour. Parts whose sprite is not exported
// are left out.
std::vector<uint8_t> MetaspriteBytes(const Metasprite& metasprite, const std::vector<Sprite>& sprites,
                                     const std::vector<int>& patterns, SpriteSize size);
