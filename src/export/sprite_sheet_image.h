#pragma once
// The project's metasprites as a sprite sheet, in the grid the sheet import
// reads, so that a sheet imported and written again comes back the same.

#include <string>

#include "chip/chip_render.h"
#include "model/project.h"

// Every metasprite as the chip shows it, transparent (0) where no part is:
// the imported ones in the cells they came from, the others in rows after
// them. Empty (0 x 0) when there are none.
IndexedImage SpriteSheetImage(const Project& data);
// The same as a PNG, each pixel `scale` x `scale`; empty when there are no metasprites.
std::string SpriteSheetPng(const Project& data, int scale = 1);
