#include "studios/sprite/sprite_edits.h"

#include <cmath>
#include <cstring>
#include <utility>

namespace {
using Pixels = uint8_t[kSpriteSize][kSpriteSize];

// The square's pixels written from `scratch`; the rest of the record (hidden
// while sprites are 8 x 8) stays as it was.
void Replace(Sprite& sprite, const Pixels& scratch, int side) {
  for (int r = 0; r < side; ++r) std::memcpy(sprite.pixels[r], scratch[r], static_cast<std::size_t>(side));
}

// Each pixel of the square takes the one `source(row, column)` names; one
// named outside the square is clear.
template <typename Source>
void Remap(Sprite& sprite, int side, Source source) {
  Pixels scratch = {};
  for (int r = 0; r < side; ++r)
    for (int c = 0; c < side; ++c) {
      const auto [row, column] = source(r, c);
      scratch[r][c] = row >= 0 && row < side && column >= 0 && column < side && sprite.pixels[row][column] ? 1 : 0;
    }
  Replace(sprite, scratch, side);
}
}  // namespace

void ShiftSpriteUp(Sprite& sprite, int side) {
  Remap(sprite, side, [](int r, int c) { return std::pair{r + 1, c}; });
}
void ShiftSpriteDown(Sprite& sprite, int side) {
  Remap(sprite, side, [](int r, int c) { return std::pair{r - 1, c}; });
}
void ShiftSpriteLeft(Sprite& sprite, int side) {
  Remap(sprite, side, [](int r, int c) { return std::pair{r, c + 1}; });
}
void ShiftSpriteRight(Sprite& sprite, int side) {
  Remap(sprite, side, [](int r, int c) { return std::pair{r, c - 1}; });
}
void FlipSpriteHorizontal(Sprite& sprite, int side) {
  Remap(sprite, side, [side](int r, int c) { return std::pair{r, side - 1 - c}; });
}
void FlipSpriteVertical(Sprite& sprite, int side) {
  Remap(sprite, side, [side](int r, int c) { return std::pair{side - 1 - r, c}; });
}
void RotateSpriteClockwise90(Sprite& sprite, int side) {
  Remap(sprite, side, [side](int r, int c) { return std::pair{side - 1 - c, r}; });
}
void RotateSpriteCounterClockwise90(Sprite& sprite, int side) {
  Remap(sprite, side, [side](int r, int c) { return std::pair{c, side - 1 - r}; });
}
void RotateSprite180(Sprite& sprite, int side) {
  Remap(sprite, side, [side](int r, int c) { return std::pair{side - 1 - r, side - 1 - c}; });
}

void RotateSprite45(Sprite& sprite, int side, bool clockwise) {
  const float angle = clockwise ? 0.785398f : -0.785398f;
  const float s = std::sin(angle), k = std::cos(angle), middle = (side - 1) / 2.0f;
  Pixels scratch = {};
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side; ++x) {
      if (!sprite.pixels[y][x]) continue;
      const float dx = static_cast<float>(x) - middle, dy = static_cast<float>(y) - middle;
      const int nx = static_cast<int>(std::round((k * dx - s * dy) + middle));
      const int ny = static_cast<int>(std::round((k * dy + s * dx) + middle));
      if (nx >= 0 && nx < side && ny >= 0 && ny < side) scratch[ny][nx] = 1;
    }
  Replace(sprite, scratch, side);
}

void ClearSpritePixels(Sprite& sprite) { std::memset(sprite.pixels, 0, sizeof sprite.pixels); }
