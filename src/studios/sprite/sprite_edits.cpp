#include "studios/sprite/sprite_edits.h"

#include <cmath>
#include <cstring>
#include <utility>

namespace {
constexpr int kSize = kSpriteSize;
using Pixels = uint8_t[kSize][kSize];

void Replace(Sprite& sprite, const Pixels& scratch) { std::memcpy(sprite.pixels, scratch, sizeof sprite.pixels); }
}  // namespace

void ShiftSpriteUp(Sprite& sprite) {
  std::memmove(sprite.pixels[0], sprite.pixels[1], kSize * (kSize - 1));
  std::memset(sprite.pixels[kSize - 1], 0, kSize);
}

void ShiftSpriteDown(Sprite& sprite) {
  std::memmove(sprite.pixels[1], sprite.pixels[0], kSize * (kSize - 1));
  std::memset(sprite.pixels[0], 0, kSize);
}

void ShiftSpriteLeft(Sprite& sprite) {
  for (auto& row : sprite.pixels) {
    std::memmove(row, row + 1, kSize - 1);
    row[kSize - 1] = 0;
  }
}

void ShiftSpriteRight(Sprite& sprite) {
  for (auto& row : sprite.pixels) {
    std::memmove(row + 1, row, kSize - 1);
    row[0] = 0;
  }
}

void FlipSpriteHorizontal(Sprite& sprite) {
  for (auto& row : sprite.pixels)
    for (int c = 0; c < kSize / 2; ++c) std::swap(row[c], row[kSize - 1 - c]);
}

void FlipSpriteVertical(Sprite& sprite) {
  for (int r = 0; r < kSize / 2; ++r) std::swap(sprite.pixels[r], sprite.pixels[kSize - 1 - r]);
}

void RotateSpriteClockwise90(Sprite& sprite) {
  Pixels scratch;
  for (int r = 0; r < kSize; ++r)
    for (int c = 0; c < kSize; ++c) scratch[r][c] = sprite.pixels[kSize - 1 - c][r];
  Replace(sprite, scratch);
}

void RotateSpriteCounterClockwise90(Sprite& sprite) {
  Pixels scratch;
  for (int r = 0; r < kSize; ++r)
    for (int c = 0; c < kSize; ++c) scratch[r][c] = sprite.pixels[c][kSize - 1 - r];
  Replace(sprite, scratch);
}

void RotateSprite180(Sprite& sprite) {
  Pixels scratch = {};
  for (int r = 0; r < kSize; ++r)
    for (int c = 0; c < kSize; ++c)
      if (sprite.pixels[r][c]) scratch[kSize - 1 - r][kSize - 1 - c] = 1;
  Replace(sprite, scratch);
}

void RotateSprite45(Sprite& sprite, bool clockwise) {
  const float angle = clockwise ? 0.785398f : -0.785398f;
  const float s = std::sin(angle), k = std::cos(angle);
  Pixels scratch = {};
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      if (!sprite.pixels[y][x]) continue;
      const float dx = static_cast<float>(x) - 7.5f, dy = static_cast<float>(y) - 7.5f;
      const int nx = static_cast<int>(std::round((k * dx - s * dy) + 7.5f));
      const int ny = static_cast<int>(std::round((k * dy + s * dx) + 7.5f));
      if (nx >= 0 && nx < kSize && ny >= 0 && ny < kSize) scratch[ny][nx] = 1;
    }
  Replace(sprite, scratch);
}

void ClearSpritePixels(Sprite& sprite) { std::memset(sprite.pixels, 0, sizeof sprite.pixels); }
