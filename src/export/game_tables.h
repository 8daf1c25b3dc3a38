#pragma once
// The tables a game reads beside the chip's own: maps' metatiles and solid
// flags, and metasprites' parts.

#include <cstdint>
#include <vector>

#include "model/project.h"

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
