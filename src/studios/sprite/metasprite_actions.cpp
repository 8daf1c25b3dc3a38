#include "studios/sprite/metasprite_actions.h"

#include <algorithm>

namespace {
bool HasCurrent(const SpriteStudioState& state, const Project& data) {
  return state.currentMetasprite >= 0 && state.currentMetasprite < static_cast<int>(data.metasprites.size());
}
}  // namespace

void KeepCurrentMetaspriteInRange(SpriteStudioState& state, const Project& data) {
  if (!HasCurrent(state, data)) state.currentMetasprite = data.metasprites.empty() ? -1 : 0;
}

std::string AddMetasprite(SpriteStudioState& state, Project& data) {
  if (data.metasprites.size() >= kMaxMetasprites)
    return "A project holds at most " + std::to_string(kMaxMetasprites) + " metasprites";
  Metasprite metasprite;
  FormatName(metasprite.name, "Metasprite %d", static_cast<int>(data.metasprites.size()) + 1);
  data.metasprites.push_back(metasprite);
  state.currentMetasprite = static_cast<int>(data.metasprites.size()) - 1;
  return std::string("Added ") + metasprite.name;
}

std::string DeleteMetasprite(SpriteStudioState& state, Project& data) {
  if (!HasCurrent(state, data)) return "";
  const Metasprite gone = data.metasprites[state.currentMetasprite];
  data.metasprites.erase(data.metasprites.begin() + state.currentMetasprite);
  ForgetMetasprite(data.strips, state.currentMetasprite);
  if (state.currentMetasprite >= static_cast<int>(data.metasprites.size()))
    state.currentMetasprite = static_cast<int>(data.metasprites.size()) - 1;
  if (gone.parts.empty()) return std::string("Deleted ") + gone.name;
  return std::string("Deleted ") + gone.name + ": its " + std::to_string(gone.parts.size()) +
         " sprites stay in the sprite list";
}

bool PaintMetasprite(SpriteStudioState& state, Project& data, int x, int y, int colour, std::string& error) {
  if (!HasCurrent(state, data)) return false;
  const Metasprite& metasprite = data.metasprites[state.currentMetasprite];
  if (x < 0 || y < 0 || x >= metasprite.width || y >= metasprite.height) return false;
  MetaspritePicture picture = DrawMetasprite(metasprite, data.sprites, data.spriteSize.side);
  if (picture.pixels[y][x] == colour) return true;
  picture.pixels[y][x] = static_cast<uint8_t>(colour & 15);
  return SetMetaspritePicture(data, state.currentMetasprite, picture, error);
}

bool ResizeMetasprite(SpriteStudioState& state, Project& data, int width, int height, std::string& error) {
  if (!HasCurrent(state, data)) return false;
  const int side = data.spriteSize.side;
  for (int length : {width, height})
    if (length < side || length > kMaxMetaspriteSide || length % side) {
      error = "A metasprite is a multiple of the " + std::to_string(side) + "-pixel sprite size up to 64 a side";
      return false;
    }
  Metasprite& metasprite = data.metasprites[state.currentMetasprite];
  const MetaspritePicture picture = DrawMetasprite(metasprite, data.sprites, side);
  const Metasprite before = metasprite;
  metasprite.width = width, metasprite.height = height;
  if (SetMetaspritePicture(data, state.currentMetasprite, picture, error)) return true;
  data.metasprites[state.currentMetasprite] = before;
  return false;
}

bool MoveMetaspritePicture(SpriteStudioState& state, Project& data, MetaspriteMove move, std::string& error) {
  if (!HasCurrent(state, data)) return false;
  const Metasprite& metasprite = data.metasprites[state.currentMetasprite];
  const int w = metasprite.width, h = metasprite.height;
  const bool turns = move == MetaspriteMove::RotateClockwise || move == MetaspriteMove::RotateCounterClockwise;
  if (turns && w != h) {
    error = "Only a square metasprite turns a quarter";
    return false;
  }
  const MetaspritePicture before = DrawMetasprite(metasprite, data.sprites, data.spriteSize.side);
  MetaspritePicture after;  // read and written checked: a walk past the picture throws rather than corrupts
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      int fromX = x, fromY = y;  // the pixel that lands at (x, y)
      switch (move) {
        case MetaspriteMove::FlipHorizontal:
          fromX = w - 1 - x;
          break;
        case MetaspriteMove::FlipVertical:
          fromY = h - 1 - y;
          break;
        case MetaspriteMove::RotateClockwise:
          fromX = y, fromY = w - 1 - x;
          break;
        case MetaspriteMove::RotateCounterClockwise:
          fromX = h - 1 - y, fromY = x;
          break;
        case MetaspriteMove::Left:
          fromX = (x + 1) % w;
          break;
        case MetaspriteMove::Right:
          fromX = (x + w - 1) % w;
          break;
        case MetaspriteMove::Up:
          fromY = (y + 1) % h;
          break;
        case MetaspriteMove::Down:
          fromY = (y + h - 1) % h;
          break;
      }
      after.pixels.at(y).at(x) = before.pixels.at(fromY).at(fromX);
    }
  return SetMetaspritePicture(data, state.currentMetasprite, after, error);
}

int SharedParts(const SpriteStudioState& state, const Project& data) {
  if (!HasCurrent(state, data)) return 0;
  int shared = 0;
  for (const MetaspritePart& part : data.metasprites[state.currentMetasprite].parts)
    for (std::size_t other = 0; other < data.metasprites.size(); ++other) {
      if (static_cast<int>(other) == state.currentMetasprite) continue;
      const std::vector<MetaspritePart>& parts = data.metasprites[other].parts;
      if (std::any_of(parts.begin(), parts.end(), [&](const MetaspritePart& p) { return p.sprite == part.sprite; })) {
        ++shared;
        break;
      }
    }
  return shared;
}
