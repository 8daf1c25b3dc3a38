#pragma once
// SCREEN 2 files from other converters and MSX programs into the project: the
// 7-byte BLOAD header (0xFE, then where it loads, where it ends and where it
// runs, each 16 bits, low byte first) and video memory from 0x0000, either to
// 0x37FF (patterns, names, sprite attributes, colours) as the SCREEN 2 export
// writes it, or on to 0x3FFF with the sprite patterns.

#include <cstddef>
#include <cstdint>
#include <string>

#include "import/png_import.h"

// Adds the screen as a name table with a tile set per third (each third's
// tiles stored once) and, when the file holds the sprite patterns, the
// sprites its attribute table shows and their placements. A refused file
// leaves `data` as it was and says why.
ImportResult ImportScreen2File(const uint8_t* bytes, std::size_t size, const std::string& name, Project& data);
