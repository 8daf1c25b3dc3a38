#pragma once
// Frames into metasprites, for the imports of sprite sheets and Aseprite
// files alike: each pixel the nearest of the chip's 15 colours in CIELAB,
// each frame a metasprite whose parts share one sprite with any earlier part
// of the same pattern and colour, and rows of frames the animation strips.

#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/metasprite_picture.h"
#include "model/project.h"

// Why a frame cannot become a metasprite; the import then leaves the project as it was.
struct FrameRefusal {
  std::string why;
};

// Whether an imported pixel is transparent: alpha below half, or the key colour (0xRRGGBB) where one is given.
inline bool PixelClear(const uint8_t* rgba, bool keyed, uint32_t key) {
  return rgba[3] < 128 || (keyed && (uint32_t(rgba[0]) << 16 | uint32_t(rgba[1]) << 8 | rgba[2]) == key);
}

// The nearest of the chip's 15 colours to each colour met, remembered; 0 for a clear pixel.
class ChipColourMatch {
 public:
  ChipColourMatch(bool keyed, uint32_t key) : keyed_(keyed), key_(key) {}
  uint8_t operator()(const uint8_t* rgba);

 private:
  bool keyed_;
  uint32_t key_;
  std::unordered_map<uint32_t, uint8_t> nearest_;
};

class FrameMetasprites {
 public:
  // Frames go into `next`, a copy of the project the caller keeps only when every frame is taken.
  FrameMetasprites(Project& next, int maxPerLine) : next_(next), maxPerLine_(maxPerLine) {}
  // The frame's picture as a metasprite named `name`, its index; -1 for a
  // frame with no pixel. `where` says which frame in a refusal ("row 2").
  // Throws FrameRefusal past the project's sprites or metasprites, or past
  // the sprites a line may have.
  int32_t Add(const MetaspritePicture& picture, int width, int height, const char* name, SheetCell sheet,
              const std::string& where);

  int frames = 0, parts = 0, worstLine = 0;
  int Sprites() const { return static_cast<int>(shared_.size()); }

 private:
  Project& next_;
  int maxPerLine_;
  std::map<std::string, int32_t> shared_;  // the sprite each pattern and colour of this import made
};

// Each list of metasprites fills the next empty strip, as far as there are
// empty strips and cells; a filled cell plays, as one dropped in does.
// Returns the strips filled.
int FramesIntoStrips(AnimationStrips& strips, const std::vector<std::vector<int32_t>>& lists);
