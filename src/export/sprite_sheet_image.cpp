#include "export/sprite_sheet_image.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "model/metasprite_picture.h"
#include "storage/png_file.h"

std::string SpriteSheetPng(const Project& data, int scale) {
  return data.metasprites.empty() ? std::string() : EncodePng(SpriteSheetImage(data), scale);
}

IndexedImage SpriteSheetImage(const Project& data) {
  if (data.metasprites.empty()) return {};
  int cellWidth = 0, cellHeight = 0, columns = 0, rows = 0;
  for (const Metasprite& metasprite : data.metasprites) {
    cellWidth = std::max(cellWidth, metasprite.width), cellHeight = std::max(cellHeight, metasprite.height);
    columns = std::max(columns, metasprite.sheet.columns), rows = std::max(rows, metasprite.sheet.rows);
  }
  if (columns == 0) columns = 8;
  // Imported metasprites in their cells; the others, and any whose cell is taken, in rows after them.
  std::vector<std::pair<int, int>> cells;
  std::vector<bool> taken(static_cast<std::size_t>(columns) * rows, false);
  int extra = 0;
  for (const Metasprite& metasprite : data.metasprites) {
    const SheetCell& sheet = metasprite.sheet;
    const std::size_t at = static_cast<std::size_t>(sheet.row) * columns + sheet.column;
    if (sheet.column >= 0 && sheet.row >= 0 && sheet.column < columns && sheet.row < rows && !taken[at]) {
      taken[at] = true;
      cells.push_back({sheet.column, sheet.row});
    } else {
      cells.push_back({extra % columns, rows + extra / columns});
      ++extra;
    }
  }
  const int allRows = rows + (extra + columns - 1) / columns;
  IndexedImage sheet{columns * cellWidth, allRows * cellHeight,
                     std::vector<uint8_t>(static_cast<std::size_t>(columns) * cellWidth * allRows * cellHeight, 0)};
  for (std::size_t i = 0; i < data.metasprites.size(); ++i) {
    const Metasprite& metasprite = data.metasprites[i];
    const MetaspritePicture picture = DrawMetasprite(metasprite, data.sprites, data.spriteSize.side);
    for (int y = 0; y < metasprite.height; ++y)
      for (int x = 0; x < metasprite.width; ++x)
        sheet.pixels[static_cast<std::size_t>(cells[i].second * cellHeight + y) * sheet.width +
                     cells[i].first * cellWidth + x] = picture.pixels[y][x];
  }
  return sheet;
}
