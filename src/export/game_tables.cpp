#include "export/game_tables.h"

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
