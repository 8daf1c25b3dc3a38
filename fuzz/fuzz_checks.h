#pragma once
// Invariants the fuzz targets hold the code to: a broken one stops the run
// with the input saved, like a crash.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "model/project.h"

#define FUZZ_CHECK(condition)                                                                 \
  do {                                                                                        \
    if (!(condition)) {                                                                       \
      std::fprintf(stderr, "invariant broken: %s (%s:%d)\n", #condition, __FILE__, __LINE__); \
      std::abort();                                                                           \
    }                                                                                         \
  } while (0)

// Clipboard text as the GUI hands it over: the input up to its first zero.
inline std::string TextOf(const uint8_t* data, std::size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  return text.substr(0, text.find('\0'));
}

inline bool NameEnds(const char (&name)[kNameSize]) { return name[kNameSize - 1] == 0; }

inline bool TileSetSound(const TileSet& set) {
  if (!NameEnds(set.name)) return false;
  for (const auto& tile : set.pixels)
    for (const auto& row : tile)
      for (uint8_t pixel : row)
        if (pixel > 1) return false;
  return true;
}
