#include "export/chip_bytes.h"

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

std::vector<uint8_t> MetatileBytes(const Map& map) {
  std::vector<uint8_t> bytes;
  for (const Metatile& metatile : map.metatiles)
    bytes.insert(bytes.end(), metatile.tiles, metatile.tiles + map.metatileSize * map.metatileSize);
  return bytes;
}

std::vector<uint8_t> SolidBytes(const Map& map) {
  std::vector<uint8_t> bytes;
  for (const Metatile& metatile : map.metatiles) bytes.push_back(metatile.solid ? 1 : 0);
  return bytes;
}

std::vector<uint8_t> MetaspriteBytes(const Metasprite& metasprite, const std::vector<Sprite>& sprites,
                                     const std::vector<int>& patterns, SpriteSize size) {
  std::vector<uint8_t> bytes{0};
  for (const MetaspritePart& part : metasprite.parts) {
    if (part.sprite < 0 || part.sprite >= static_cast<int>(patterns.size()) || patterns[part.sprite] < 0) continue;
    bytes.insert(bytes.end(),
                 {static_cast<uint8_t>(part.y * size.Scale()), static_cast<uint8_t>(part.x * size.Scale()),
                  static_cast<uint8_t>(patterns[part.sprite]), static_cast<uint8_t>(sprites[part.sprite].colour & 15)});
    ++bytes[0];
  }
  return bytes;
}

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
