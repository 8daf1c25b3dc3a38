#pragma once
// Layers of tiles (a Tiled map's, an Aseprite file's tilemap) made a map of
// metatiles: each cell's layers drawn in order (flips applied); each distinct
// drawing a metatile whose 8x8 pieces become tiles of one new tile set under
// the chip's rules, as the picture import makes them: the nearest colours,
// two a row, identical tiles shared and the closest merged past 255. A piece
// no layer covers stays the empty tile; drawings that come out alike, solid
// or not alike, share a metatile.

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "import/png_import.h"
#include "model/project.h"
#include "storage/png_file.h"

// A cell's tile number with its flips, as Tiled stores them; 0 is no tile.
constexpr uint32_t kFlipH = 0x80000000u, kFlipV = 0x40000000u, kFlipD = 0x20000000u, kGidBits = 0x0FFFFFFFu;

struct TileLayerSet {
  uint32_t firstGid = 1;
  int count = 0, columns = 0, spacing = 0, margin = 0;
  RgbaImage picture;
  std::set<int> solid;  // tiles whose metatiles are solid
};

struct TileLayers {
  int width = 0, height = 0, side = 0;        // cells across and down; pixels a tile's side: 8, 16 or 32
  std::vector<TileLayerSet> tilesets;         // by first gid
  std::vector<std::vector<uint32_t>> layers;  // the visible ones, in drawing order, a gid with its flips a cell
  int startX = -1, startY = -1, speed = 0, walkStrip = -2;  // the walk's, where the file sets them
};

// Why layers cannot become a map; the import then leaves the project as it was.
struct TileLayerRefusal {
  std::string why;
};

// Adds the layers' map, with its tile set, named `name`; the result's message
// says what was made after the name. Throws TileLayerRefusal, leaving `data`
// as it was, where a cell names no tile or the map needs more than 256 metatiles.
ImportResult AddTileLayersMap(const TileLayers& layers, const std::string& name, Project& data);
