#include "chip/sprite_attributes.h"

#include <cmath>

int ChipPixel(float viewUnits) { return static_cast<int>(std::floor(viewUnits / kViewUnitsPerChipPixel + 0.5f)); }

float SnapToChipPixel(float viewUnits) { return ChipPixel(viewUnits) * kViewUnitsPerChipPixel; }

std::vector<uint8_t> SpriteAttributes::Bytes() const {
  std::vector<uint8_t> bytes;
  for (const SpritePlane& plane : planes) bytes.insert(bytes.end(), {plane.y, plane.x, plane.pattern, plane.colour});
  if (planes.size() < kSpritePlanes) bytes.push_back(kTerminatorY);
  return bytes;
}

SpriteAttributes BuildSpriteAttributes(const NameTable& table, const std::vector<Sprite>& sprites, SpriteSize size) {
  SpriteAttributes out;
  out.size = size;
  const int side = size.ScreenSide();
  int leftOver = 0;
  // The editor draws later placements on top; the chip draws plane 0 on top.
  for (int i = static_cast<int>(table.placements.size()) - 1; i >= 0; --i) {
    const SpritePlacement& placement = table.placements[i];
    auto problem = [&](const std::string& what) {
      out.problems.push_back("placement " + std::to_string(i) + ": " + what);
    };
    const int sprite = placement.spriteIndex;
    if (sprite < 0 || sprite >= static_cast<int>(sprites.size())) {
      problem("names no sprite, left out");
      continue;
    }
    if (sprite >= size.PatternTableSprites()) {
      problem("sprite " + std::to_string(sprite) + " is past the " + std::to_string(size.PatternTableSprites()) +
              " of the pattern table, left out");
      continue;
    }
    // Tops from -31 to 191 store as Y 224-255 and 0-190, so no kept placement
    // can store the 208 that would end the table early.
    const int left = ChipPixel(placement.x), top = ChipPixel(placement.y);
    if (left < -32 || left >= kChipWidth || top <= -side || top >= kChipHeight) {
      problem("lies entirely off the screen, left out");
      continue;
    }
    // The early clock reaches 32 pixels left: such a sprite is unseen but still takes its lines.
    if (left <= -side) problem("lies entirely off the screen, kept");
    if (static_cast<int>(out.planes.size()) == kSpritePlanes) {
      ++leftOver;
      continue;
    }
    // Left of the screen the early clock shifts the sprite 32 pixels left.
    const bool early = left < 0;
    out.planes.push_back({static_cast<uint8_t>(top - 1), static_cast<uint8_t>(early ? left + 32 : left),
                          static_cast<uint8_t>(size.PatternNumber(sprite)),
                          static_cast<uint8_t>((sprites[sprite].colour & 15) | (early ? kEarlyClock : 0)), i, sprite,
                          top, left});
  }
  if (leftOver > 0)
    out.problems.push_back(std::to_string(leftOver) + " placements past the 32 planes (the earliest) were left out");
  return out;
}

std::vector<ScanLine> ScanSpriteLines(const SpriteAttributes& attributes) {
  std::vector<ScanLine> lines(kChipHeight);
  for (int plane = 0; plane < static_cast<int>(attributes.planes.size()); ++plane) {
    const int top = attributes.planes[plane].top;
    for (int line = std::max(top, 0); line < std::min(top + attributes.size.ScreenSide(), kChipHeight); ++line)
      lines[line].planes.push_back(plane);
  }
  return lines;
}

int CountOverflowingLines(const std::vector<ScanLine>& lines) {
  int count = 0;
  for (const ScanLine& line : lines) count += line.Overflows();
  return count;
}
