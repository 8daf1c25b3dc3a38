#pragma once
// Screens and tile sets as chip pixels: palette indices, one byte a pixel.
// The PNG export, the editor's chip view and the tests share these.

#include <cstdint>
#include <vector>

#include "chip/sprite_attributes.h"
#include "model/project.h"

struct IndexedImage {
  int width = 0, height = 0;
  std::vector<uint8_t> pixels;  // row by row; 0 = transparent
  uint8_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

enum class ScreenLook {
  Editor,  // as the editor draws it: empty cells show the backdrop, sprites in list order
  Chip,    // as the chip would: tile 255 in empty cells, sprites by plane with four to a line
};

// 256 x 192 in the screen's mode: in Graphics II each third from its tile set,
// in Graphics I every cell from the top third's set in its group's colours, in
// Text 40 columns of 6 pixels from kTextBorder on (no sprites), in Multicolor
// the blocks; colour 0 and empty cells showing the backdrop, sprites of `size`
// at their nearest whole chip pixel with colour 0 transparent.
IndexedImage RenderScreen(const NameTable& table, const std::vector<TileSet>& sets, const std::vector<Sprite>& sprites,
                          SpriteSize size, ScreenLook look);
// The whole map, each cell its metatile's tiles from `set`; colour 0 stays transparent.
IndexedImage RenderMap(const Map& map, const TileSet& set);
// The map's metatiles in a grid `columns` wide, left to right from the top,
// each from `set`; colour 0 and the cells after the last stay transparent.
IndexedImage RenderMetatiles(const Map& map, const TileSet& set, int columns);
// 128 x 128: the set's 256 tiles, 16 to a row; colour 0 stays transparent.
IndexedImage RenderTileSheet(const TileSet& set);

// True when a screen draws a third from set `setIndex` and that set's tile 255
// is not blank: the chip shows it in every empty cell, the editor does not.
bool EmptyCellsShowTile255(const std::vector<NameTable>& tables, const std::vector<TileSet>& sets, int setIndex);
