#include "chip/chip_bytes.h"

namespace {
// The leftmost pixel goes to the most significant bit, as the chip reads it.
template <typename Pixel>
uint8_t PackRow(const Pixel* pixels) {
  uint8_t row = 0;
  for (int column = 0; column < 8; ++column)
    if (pixels[column]) row |= static_cast<uint8_t>(0x80 >> column);
  return row;
}
}  // namespace

std::vector<uint8_t> PatternBytes(const TileSet& set) {
  std::vector<uint8_t> bytes;
  for (int tile = 0; tile < kTilesPerSet; ++tile)
    for (int r = 0; r < 8; ++r) bytes.push_back(PackRow(set.pixels[tile][r]));
  return bytes;
}

std::vector<uint8_t> ColourBytes(const TileSet& set) {
  std::vector<uint8_t> bytes;
  for (int tile = 0; tile < kTilesPerSet; ++tile)
    for (int r = 0; r < 8; ++r)
      bytes.push_back(static_cast<uint8_t>((set.foreground[tile][r] & 15) << 4 | (set.background[tile][r] & 15)));
  return bytes;
}

std::vector<uint8_t> SpritePatternBytes(const Sprite& sprite, SpriteSize size) {
  std::vector<uint8_t> bytes;
  if (size.side != kSpriteSize) {
    for (int r = 0; r < size.side; ++r) bytes.push_back(PackRow(sprite.pixels[r]));
    return bytes;
  }
  // Quarters in the chip's order: top left, bottom left, top right, bottom right.
  const int quarters[4][2] = {{0, 0}, {8, 0}, {0, 8}, {8, 8}};
  for (const auto& [top, left] : quarters)
    for (int r = 0; r < 8; ++r) bytes.push_back(PackRow(&sprite.pixels[top + r][left]));
  return bytes;
}
