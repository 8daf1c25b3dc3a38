#pragma once
// Tiled maps in: an orthogonal map of 8, 16 or 32-pixel tiles becomes a map of
// 1x1, 2x2 or 4x4 metatiles. Each cell's visible tile layers are drawn in
// order (flips applied); each distinct drawing is a metatile whose 8x8 pieces
// become tiles of one new tile set under the chip's rules, as the picture
// import makes them: the nearest colours, two a row, identical tiles shared
// and the closest merged past 255. A piece no layer covers stays the empty
// tile. Tilesets embedded or external (spacing, margin, a transparent colour),
// layers as CSV, XML or base64 (none, zlib, gzip) all read; an object named or
// typed "start" sets the walker's start, a tile's boolean property "solid"
// makes its metatiles solid, the map's int properties "speed" and "walkStrip"
// the walk's.

#include <functional>
#include <string>

#include "import/png_import.h"
#include "model/project.h"

// The bytes of a file the map names, by its path from the map's folder (or an
// absolute one); false, with the reason, when there are none.
using TiledFileReader = std::function<bool(const std::string& path, std::string& bytes, std::string& error)>;

// Files read from the folder of the map at `mapPath`, or by their absolute paths.
TiledFileReader FilesBeside(const std::string& mapPath);

// Adds the map of the TMX file's bytes to `data`, with its tile set, named
// `name`; a refused map leaves `data` as it was and says why.
ImportResult ImportTiledMap(const std::string& tmx, const std::string& name, Project& data,
                            const TiledFileReader& read);
