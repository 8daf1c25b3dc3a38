#include "chip/map_walk.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {
constexpr int kScreenWidth = kTableColumns * 8, kScreenHeight = kTableRows * 8;

struct PlacedSprite {
  int sprite, x, y;  // x, y in screen pixels from the frame's corner
};

std::string Quoted(const char* name) { return std::string("\"") + name + "\""; }

// The frames the walker shows: the strip's sprites and metasprites, or the first sprite.
std::vector<std::vector<PlacedSprite>> WalkerFrames(const Project& data, int strip, std::string& error) {
  std::vector<std::vector<PlacedSprite>> frames;
  const int count = static_cast<int>(data.sprites.size()), scale = data.spriteSize.Scale();
  if (strip < 0) {
    if (count == 0) error = "the project has no sprite to walk with";
    return count == 0 ? frames : std::vector<std::vector<PlacedSprite>>{{{0, 0, 0}}};
  }
  for (int cell = 0; cell < kStripCells; ++cell) {
    const int index = data.strips.cells[strip][cell];
    std::vector<PlacedSprite> frame;
    if (index >= 0 && data.strips.metasprite[strip][cell]) {
      if (static_cast<std::size_t>(index) < data.metasprites.size())
        for (const MetaspritePart& part : data.metasprites[index].parts)
          if (part.sprite >= 0 && part.sprite < count) frame.push_back({part.sprite, part.x * scale, part.y * scale});
    } else if (index >= 0 && index < count) {
      frame.push_back({index, 0, 0});
    }
    if (!frame.empty()) frames.push_back(std::move(frame));
  }
  if (frames.empty()) error = "animation strip " + std::to_string(strip + 1) + " has no frame to walk with";
  return frames;
}

// The frames as parts from the corner of the box they all fit in.
void PlaceFrames(const Project& data, const std::vector<std::vector<PlacedSprite>>& frames, WalkWorld& world) {
  const int side = data.spriteSize.ScreenSide();
  int left = INT_MAX, top = INT_MAX, right = INT_MIN, bottom = INT_MIN;
  for (const auto& frame : frames)
    for (const PlacedSprite& sprite : frame) {
      left = std::min(left, sprite.x), top = std::min(top, sprite.y);
      right = std::max(right, sprite.x + side), bottom = std::max(bottom, sprite.y + side);
    }
  world.boxWidth = right - left, world.boxHeight = bottom - top;
  for (const auto& frame : frames) {
    std::vector<WalkPart>& parts = world.frames.emplace_back();
    for (const PlacedSprite& sprite : frame)
      parts.push_back({static_cast<uint8_t>(sprite.x - left), static_cast<uint8_t>(sprite.y - top),
                       static_cast<uint8_t>(data.spriteSize.PatternNumber(sprite.sprite)),
                       static_cast<uint8_t>(data.sprites[sprite.sprite].colour & 15)});
  }
}

// Whether the chip shows any pixel of the sprite: a set one, in a colour.
bool ShowsPixels(const Sprite& sprite, int side) {
  for (int row = 0; row < side; ++row)
    for (int column = 0; column < side; ++column)
      if (sprite.pixels[row][column] && (sprite.colour & 15) != 0) return true;
  return false;
}

std::string CheckFrames(const Project& data, const std::vector<std::vector<PlacedSprite>>& frames) {
  bool shown = false;  // an invisible walker would start the game with nothing to move
  for (const auto& frame : frames)
    for (const PlacedSprite& sprite : frame)
      shown = shown || ShowsPixels(data.sprites[sprite.sprite], data.spriteSize.side);
  if (!frames.empty() && !shown) return "the walker has no pixels to show: draw its sprites first";
  for (const auto& frame : frames) {
    if (frame.size() > kMaxWalkParts)
      return "a walk frame has " + std::to_string(frame.size()) + " sprites, more than the " +
             std::to_string(kMaxWalkParts) + " the chip shows";
    for (const PlacedSprite& sprite : frame)
      if (sprite.sprite >= data.spriteSize.PatternTableSprites())
        return "the walker's sprite " + Quoted(data.sprites[sprite.sprite].name) + " is past the " +
               std::to_string(data.spriteSize.PatternTableSprites()) + " the sprite pattern table holds";
  }
  return {};
}

// The box's corner at `x`, `y` fits the map and no solid metatile.
bool Free(const WalkWorld& world, int x, int y) {
  if (x < 0 || y < 0 || x + world.boxWidth > world.tilesWide * 8 || y + world.boxHeight > world.tilesHigh * 8)
    return false;
  for (int row = y >> world.shift; row <= (y + world.boxHeight - 1) >> world.shift; ++row)
    for (int column = x >> world.shift; column <= (x + world.boxWidth - 1) >> world.shift; ++column)
      if (world.map->metatiles[world.map->At(column, row)].solid) return false;
  return true;
}

// The view's first tile on one axis: `first` when the walker's span [at, at + size) is in it, else centred on it.
int FirstView(int first, int at, int size, int screen, int tiles) {
  const int last = tiles - screen / 8;
  first = std::clamp(first, 0, last);
  if (at >= first * 8 && at + size <= first * 8 + screen) return first;
  return std::clamp((at + size / 2 - screen / 2) / 8, 0, last);
}

// One axis of the scroll: a tile towards the walker when it is within the margin of an edge.
void Follow(int& view, int at, int size, int screen, int margin, int tiles) {
  const int shown = at - view * 8;
  if (shown < margin && view > 0)
    --view;
  else if (shown + size > screen - margin && view < tiles - screen / 8)
    ++view;
}
}  // namespace

int WalkFrameTicks(const AnimationStrips& strips) {
  return std::max(1, static_cast<int>(std::lround(strips.frameSeconds * kWalkFramesPerSecond)));
}

WalkWorld MakeWalkWorld(const Project& data, std::size_t index, int frameColumn, int frameRow) {
  WalkWorld world;
  if (index >= data.maps.size()) return world.error = "there is no map to play", world;
  const Map& map = data.maps[index];
  const std::string name = Quoted(map.name);
  world.map = &map;
  world.shift = 3 + (map.metatileSize == 4 ? 2 : map.metatileSize == 2 ? 1 : 0);
  world.tilesWide = map.width * map.metatileSize, world.tilesHigh = map.height * map.metatileSize;
  if (map.width > kMaxWalkMapSide || map.height > kMaxWalkMapSide)
    return world.error = name + " is " + std::to_string(map.width) + " x " + std::to_string(map.height) +
                         " cells: a map plays up to " + std::to_string(kMaxWalkMapSide) + " x " +
                         std::to_string(kMaxWalkMapSide),
           world;
  if (world.tilesWide < kTableColumns || world.tilesHigh < kTableRows)
    return world.error = name + " is " + std::to_string(world.tilesWide) + " x " + std::to_string(world.tilesHigh) +
                         " tiles, smaller than the 32 x 24 of a screen",
           world;
  const auto frames = WalkerFrames(data, map.play.walkStrip, world.error);
  if (world.error.empty()) world.error = CheckFrames(data, frames);
  if (!world.error.empty()) return world;
  PlaceFrames(data, frames, world);
  world.frameTicks = WalkFrameTicks(data.strips);
  world.speed = std::clamp(map.play.speed, 1, kMaxWalkSpeed);
  frameColumn = std::clamp(frameColumn, 0, world.tilesWide - kTableColumns);
  frameRow = std::clamp(frameRow, 0, world.tilesHigh - kTableRows);
  world.startX = map.play.startX >= 0 ? map.play.startX : frameColumn * 8 + (kScreenWidth - world.boxWidth) / 2;
  world.startY = map.play.startY >= 0 ? map.play.startY : frameRow * 8 + (kScreenHeight - world.boxHeight) / 2;
  const std::string start =
      "the walker's start (" + std::to_string(world.startX) + ", " + std::to_string(world.startY) + ")";
  if (world.startX + world.boxWidth > world.tilesWide * 8 || world.startY + world.boxHeight > world.tilesHigh * 8)
    return world.error = start + " is off the map: set the start again", world;
  if (!Free(world, world.startX, world.startY))
    return world.error = start + " is on a solid metatile: set the start where the walker is free", world;
  world.viewColumn = FirstView(frameColumn, world.startX, world.boxWidth, kScreenWidth, world.tilesWide);
  world.viewRow = FirstView(frameRow, world.startY, world.boxHeight, kScreenHeight, world.tilesHigh);
  return world;
}

WalkState StartWalk(const WalkWorld& world) {
  WalkState state;
  state.x = world.startX, state.y = world.startY;
  state.viewColumn = world.viewColumn, state.viewRow = world.viewRow;
  return state;
}

bool SolidAt(const WalkWorld& world, int x, int y) {
  return world.map->metatiles[world.map->At(x >> world.shift, y >> world.shift)].solid;
}

void StepWalk(const WalkWorld& world, WalkState& state, uint8_t keys) {
  const int dx = (keys & kWalkRight ? 1 : 0) - (keys & kWalkLeft ? 1 : 0);
  const int dy = (keys & kWalkDown ? 1 : 0) - (keys & kWalkUp ? 1 : 0);
  bool moved = false;
  for (int step = 0; step < world.speed; ++step) {
    if (dx != 0 && Free(world, state.x + dx, state.y)) state.x += dx, moved = true;
    if (dy != 0 && Free(world, state.x, state.y + dy)) state.y += dy, moved = true;
  }
  if (moved && ++state.tick >= world.frameTicks)
    state.tick = 0, state.frame = (state.frame + 1) % static_cast<int>(world.frames.size());
  Follow(state.viewColumn, state.x, world.boxWidth, kScreenWidth, kWalkMarginX, world.tilesWide);
  Follow(state.viewRow, state.y, world.boxHeight, kScreenHeight, kWalkMarginY, world.tilesHigh);
}

std::array<uint8_t, kTableCells> WindowNames(const WalkWorld& world, int viewColumn, int viewRow) {
  std::array<uint8_t, kTableCells> names{};
  for (int row = 0; row < kTableRows; ++row)
    for (int column = 0; column < kTableColumns; ++column)
      names[row * kTableColumns + column] = MapTile(*world.map, viewColumn + column, viewRow + row);
  return names;
}

std::vector<uint8_t> WalkerAttributes(const WalkWorld& world, const WalkState& state) {
  std::vector<uint8_t> attributes;
  const int left = state.x - state.viewColumn * 8, top = state.y - state.viewRow * 8;
  for (const WalkPart& part : world.frames[state.frame])
    attributes.insert(attributes.end(), {static_cast<uint8_t>(top + part.y - 1), static_cast<uint8_t>(left + part.x),
                                         part.pattern, part.colour});
  attributes.push_back(208);
  return attributes;
}

WalkOutcome PredictWalk(const WalkWorld& world, const std::vector<WalkInput>& inputs) {
  WalkState state = StartWalk(world);
  for (const WalkInput& input : inputs)
    for (int frame = 0; frame < input.frames; ++frame) StepWalk(world, state, input.keys);
  return {state, WindowNames(world, state.viewColumn, state.viewRow), WalkerAttributes(world, state)};
}
