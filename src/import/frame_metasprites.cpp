#include "import/frame_metasprites.h"

#include <algorithm>

#include "import/screen_tiles.h"

namespace {
// A sprite's pixels and colour: parts equal in both share one sprite.
std::string SpriteKey(const Sprite& sprite, int colour) {
  return std::string(reinterpret_cast<const char*>(sprite.pixels), sizeof sprite.pixels) + static_cast<char>(colour);
}
}  // namespace

uint8_t ChipColourMatch::operator()(const uint8_t* rgba) {
  if (PixelClear(rgba, keyed_, key_)) return 0;
  const uint32_t rgb = uint32_t(rgba[0]) << 16 | uint32_t(rgba[1]) << 8 | rgba[2];
  const auto known = nearest_.find(rgb);
  if (known != nearest_.end()) return known->second;
  const Lab lab = ToLab(rgba[0], rgba[1], rgba[2]);
  uint8_t best = 1;
  for (uint8_t colour = 2; colour < 16; ++colour)
    if (Distance(lab, PaletteLab()[colour]) < Distance(lab, PaletteLab()[best])) best = colour;
  return nearest_[rgb] = best;
}

int32_t FrameMetasprites::Add(const MetaspritePicture& picture, int width, int height, const char* name,
                              SheetCell sheet, const std::string& where) {
  const int side = next_.spriteSize.side;
  Metasprite frame;
  SetName(frame.name, name);
  frame.width = width, frame.height = height, frame.sheet = sheet;
  for (const PicturePiece& piece : PicturePieces(picture, width, height, side)) {
    ++parts;
    const auto [known, added] = shared_.emplace(SpriteKey(piece.pattern, piece.colour), 0);
    if (added) {
      if (next_.sprites.size() >= kMaxSprites)
        throw FrameRefusal{"The frames need more than the 256 sprites a project holds (frame " +
                           std::to_string(frames + 1) + ", " + where + ")"};
      Sprite sprite = piece.pattern;
      NamePart(sprite, frame.name, piece.colour, piece.x, piece.y, side);
      sprite.colour = piece.colour;
      next_.sprites.push_back(sprite);
      known->second = static_cast<int32_t>(next_.sprites.size()) - 1;
    }
    frame.parts.push_back({known->second, piece.x, piece.y});
  }
  if (frame.parts.empty()) return -1;
  ++frames;
  const std::vector<int> lines = SpritesPerLine(frame, side);
  const int worst = lines.empty() ? 0 : *std::max_element(lines.begin(), lines.end());
  if (maxPerLine_ > 0 && worst > maxPerLine_)
    throw FrameRefusal{std::string("Frame ") + frame.name + " (" + where + ") needs " + std::to_string(worst) +
                       " sprites on a line, more than " + std::to_string(maxPerLine_)};
  worstLine = std::max(worstLine, worst);
  if (next_.metasprites.size() >= kMaxMetasprites) throw FrameRefusal{"There are more frames than a project holds"};
  next_.metasprites.push_back(frame);
  return static_cast<int32_t>(next_.metasprites.size()) - 1;
}

int FramesIntoStrips(AnimationStrips& strips, const std::vector<std::vector<int32_t>>& lists) {
  int filled = 0, strip = 0;
  for (const std::vector<int32_t>& frames : lists) {
    if (frames.empty()) continue;
    while (strip < kStrips && !EmptyStrip(strips, strip)) ++strip;
    if (strip == kStrips) break;
    for (int f = 0; f < kStripCells && f < static_cast<int>(frames.size()); ++f) {
      strips.cells[strip][f] = frames[f];
      strips.metasprite[strip][f] = true;
      strips.active[strip][f] = true;
    }
    ++filled;
  }
  return filled;
}
