#pragma once
// Aseprite files read: a header, then frames of little-endian chunks (layers,
// cels raw, linked or zlib-packed, palettes, tags, tilesets and tilemaps).
// Each frame comes out as its visible image layers show it, drawn in order
// with their opacity, and each tilemap layer as layers of tiles; the rest of
// the format's structure stays in the reader.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "import/tile_layers.h"
#include "storage/png_file.h"

// So that a header or a pile of cels cannot ask for gigabytes or hours: every
// frame's canvas together, and every cel's pixels drawn together.
constexpr int kMaxAsepritePixels = 4 << 20;
constexpr int kMaxAsepriteDrawn = 16 << 20;

struct AsepriteTag {
  std::string name;
  int from = 0, to = 0;  // frames, both played
  int direction = 0;     // 0 forward, 1 reverse, 2 ping-pong, 3 ping-pong starting backwards
};

// A tilemap layer as its first cel in the file lays it on the canvas's grid of its tiles.
struct AsepriteTilemap {
  std::string name;  // the layer's
  int tileWidth = 0, tileHeight = 0;
  TileLayers map;  // one layer and one tileset, its tile 0 the empty one
};

struct AsepriteFile {
  int width = 0, height = 0;
  std::vector<RgbaImage> frames;  // the canvas as each frame shows it
  std::vector<int> durations;     // milliseconds a frame
  std::vector<AsepriteTag> tags;
  std::vector<AsepriteTilemap> tilemaps;
};

// False, with the reason, for a file that is damaged or not Aseprite's.
bool ReadAsepriteFile(const uint8_t* bytes, std::size_t size, AsepriteFile& file, std::string& error);

// A tag's frames in the order they play once through.
std::vector<int> TagFrames(const AsepriteTag& tag);
