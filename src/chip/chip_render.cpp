#include "chip/chip_render.h"

#include <algorithm>

#include "chip/group_colours.h"

namespace {
IndexedImage Blank(int width, int height, uint8_t colour) {
  return {width, height, std::vector<uint8_t>(static_cast<std::size_t>(width) * height, colour)};
}

void DrawTile(IndexedImage& image, const TileSet& set, int tile, int left, int top, uint8_t behind) {
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      const int colour = TilePixelColour(set, tile, y, x);
      image.pixels[static_cast<std::size_t>(top + y) * image.width + left + x] =
          static_cast<uint8_t>(colour == 0 ? behind : colour);
    }
}

// Screen line `row` of a sprite (counted from its top) from `left` on, each
// pattern pixel `size.Scale()` wide; colour 0 draws nothing.
void DrawSpriteLine(IndexedImage& image, const Sprite& sprite, SpriteSize size, int row, int left, int line) {
  const uint8_t colour = static_cast<uint8_t>(sprite.colour & 15);
  if (colour == 0) return;
  for (int x = 0; x < size.ScreenSide(); ++x)
    if (sprite.pixels[row / size.Scale()][x / size.Scale()] && left + x >= 0 && left + x < image.width)
      image.pixels[static_cast<std::size_t>(line) * image.width + left + x] = colour;
}

// Graphics I: each tile's rows in its group's pair.
void DrawGroupTile(IndexedImage& image, const TileSet& set, int tile, int left, int top, uint8_t behind) {
  const ColourPair pair = GroupColours(set, tile / kGroupTiles);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      const int colour = set.pixels[tile][y][x] ? pair.foreground : pair.background;
      image.pixels[static_cast<std::size_t>(top + y) * image.width + left + x] =
          static_cast<uint8_t>(colour == 0 ? behind : colour);
    }
}

// Text: 40 columns of 6 pixels between borders of 8, the letters in one colour over the backdrop.
void DrawTextScreen(IndexedImage& image, const NameTable& table, const TileSet& set, ScreenLook look, uint8_t behind) {
  const uint8_t letters = static_cast<uint8_t>(table.textColour & 15 ? table.textColour & 15 : behind);
  for (int row = 0; row < kTableRows; ++row)
    for (int column = 0; column < kTextColumns; ++column) {
      const int tile = table.textCells[row * kTextColumns + column];
      if (tile == EmptyCell && look == ScreenLook::Editor) continue;
      for (int y = 0; y < 8; ++y)
        for (int x = 0; x < kTextPixelWidth; ++x)
          image.pixels[static_cast<std::size_t>(8 * row + y) * image.width + kTextBorder + kTextPixelWidth * column +
                       x] = set.pixels[tile][y][x] ? letters : behind;
    }
}

void DrawBlocks(IndexedImage& image, const NameTable& table, uint8_t behind) {
  for (int y = 0; y < kChipHeight; ++y)
    for (int x = 0; x < kChipWidth; ++x) {
      const uint8_t colour = table.blocks[(y / kBlockSide) * kBlockColumns + x / kBlockSide] & 15;
      image.pixels[static_cast<std::size_t>(y) * image.width + x] = colour ? colour : behind;
    }
}

// The screen's tiles or blocks as its mode shows them; false when it shows no sprites.
bool DrawBackground(IndexedImage& image, const NameTable& table, const std::vector<TileSet>& sets, ScreenLook look) {
  const uint8_t backdrop = static_cast<uint8_t>(table.backdrop & 15);
  if (table.mode == ScreenMode::Multicolor) {
    if (table.blocks.size() == static_cast<std::size_t>(kBlockColumns * kBlockRows)) DrawBlocks(image, table, backdrop);
    return true;
  }
  if (sets.empty()) return table.mode != ScreenMode::Text;
  const TileSet& first = sets[TileSetForRow(table, 0, sets.size())];
  if (table.mode == ScreenMode::Text) {
    if (table.textCells.size() == static_cast<std::size_t>(kTextColumns * kTableRows))
      DrawTextScreen(image, table, first, look, backdrop);
    return false;
  }
  for (int row = 0; row < kTableRows; ++row) {
    const TileSet& set = sets[TileSetForRow(table, row, sets.size())];
    for (int column = 0; column < kTableColumns; ++column) {
      const int tile = table.cells[row * kTableColumns + column];
      if (tile == EmptyCell && look == ScreenLook::Editor) continue;
      if (table.mode == ScreenMode::Graphics1)
        DrawGroupTile(image, first, tile, 8 * column, 8 * row, backdrop);
      else
        DrawTile(image, set, tile, 8 * column, 8 * row, backdrop);
    }
  }
  return true;
}

void DrawSprite(IndexedImage& image, const Sprite& sprite, SpriteSize size, int left, int top) {
  for (int row = 0; row < size.ScreenSide(); ++row)
    if (top + row >= 0 && top + row < image.height) DrawSpriteLine(image, sprite, size, row, left, top + row);
}
}  // namespace

IndexedImage RenderScreen(const NameTable& table, const std::vector<TileSet>& sets, const std::vector<Sprite>& sprites,
                          SpriteSize size, ScreenLook look) {
  IndexedImage image = Blank(kChipWidth, kChipHeight, static_cast<uint8_t>(table.backdrop & 15));
  if (!DrawBackground(image, table, sets, look)) return image;
  if (look == ScreenLook::Editor) {
    for (const SpritePlacement& placement : table.placements)
      if (placement.spriteIndex >= 0 && placement.spriteIndex < static_cast<int>(sprites.size()))
        DrawSprite(image, sprites[placement.spriteIndex], size, ChipPixel(placement.x), ChipPixel(placement.y));
    return image;
  }
  // Plane 0 is on top: draw from the last plane up, each line only for the first four planes on it.
  const SpriteAttributes attributes = BuildSpriteAttributes(table, sprites, size);
  const std::vector<ScanLine> lines = ScanSpriteLines(attributes);
  for (int line = 0; line < kChipHeight; ++line) {
    const std::vector<int>& planes = lines[line].planes;
    for (int k = std::min<int>(planes.size(), kSpritesPerLine) - 1; k >= 0; --k) {
      const SpritePlane& plane = attributes.planes[planes[k]];
      DrawSpriteLine(image, sprites[plane.sprite], size, line - plane.top, plane.left, line);
    }
  }
  return image;
}

IndexedImage RenderMap(const Map& map, const TileSet& set) {
  const int size = map.metatileSize;
  IndexedImage image = Blank(map.width * size * 8, map.height * size * 8, 0);
  for (int row = 0; row < map.height; ++row)
    for (int column = 0; column < map.width; ++column)
      for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
          DrawTile(image, set, map.Tile(map.At(column, row), x, y), 8 * (column * size + x), 8 * (row * size + y), 0);
  return image;
}

IndexedImage RenderMetatiles(const Map& map, const TileSet& set, int columns) {
  const int size = map.metatileSize, count = static_cast<int>(map.metatiles.size());
  const int rows = (count + columns - 1) / columns;
  IndexedImage image = Blank(columns * size * 8, rows * size * 8, 0);
  for (int metatile = 0; metatile < count; ++metatile)
    for (int y = 0; y < size; ++y)
      for (int x = 0; x < size; ++x)
        DrawTile(image, set, map.Tile(metatile, x, y), 8 * ((metatile % columns) * size + x),
                 8 * ((metatile / columns) * size + y), 0);
  return image;
}

IndexedImage RenderTileSheet(const TileSet& set) {
  IndexedImage image = Blank(128, 128, 0);
  for (int tile = 0; tile < kTilesPerSet; ++tile) DrawTile(image, set, tile, 8 * (tile % 16), 8 * (tile / 16), 0);
  return image;
}

bool EmptyCellsShowTile255(const std::vector<NameTable>& tables, const std::vector<TileSet>& sets, int setIndex) {
  const TileSet& set = sets[setIndex];
  bool blank = true;
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) blank &= TilePixelColour(set, EmptyCell, y, x) == 0;
  if (blank) return false;
  // Only a row that has an empty cell shows tile 255 there (a picture import fills every cell).
  for (const NameTable& table : tables)
    for (int row = 0; row < kTableRows; ++row) {
      const uint8_t* cells = table.cells + row * kTableColumns;
      if (TileSetForRow(table, row, sets.size()) == setIndex &&
          std::find(cells, cells + kTableColumns, EmptyCell) != cells + kTableColumns)
        return true;
    }
  return false;
}
