#pragma once
// The Tile Studio's 3 x 2-tile edit canvas: the user's drawing, kept in the
// undo history although the project file does not store it.

#include <cstdint>
#include <cstring>

constexpr int kCanvasRows = 16;
constexpr int kCanvasColumns = 24;

struct CanvasImage {
  uint8_t pixels[kCanvasRows][kCanvasColumns] = {};  // non-zero = foreground
  int32_t foreground[kCanvasRows][kCanvasColumns] = {};
  int32_t background[kCanvasRows][kCanvasColumns] = {};
};

inline bool operator==(const CanvasImage& a, const CanvasImage& b) {
  return std::memcmp(a.pixels, b.pixels, sizeof a.pixels) == 0 &&
         std::memcmp(a.foreground, b.foreground, sizeof a.foreground) == 0 &&
         std::memcmp(a.background, b.background, sizeof a.background) == 0;
}
inline bool operator!=(const CanvasImage& a, const CanvasImage& b) { return !(a == b); }
