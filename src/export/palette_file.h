#pragma once
// The project's palette for an artist's tools: colour 0 (transparent, written
// black) and the chip's 15 colours, in the palette format a file's extension
// names: GIMP's .gpl (which Aseprite, Krita and GIMP read), JASC's .pal or a
// .hex list of RRGGBB lines.

#include <string>

#include "model/palettes.h"

// The file's text; empty when the extension (any letter case) is none of .gpl, .pal and .hex.
std::string PaletteFileText(const ChipPalette& palette, const std::string& path);
