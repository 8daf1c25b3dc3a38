#include "export/map_setup.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <set>

#include "chip/map_walk.h"
#include "import/png_import.h"
#include "model/map_screens.h"
#include "model/metasprite_picture.h"

namespace {
template <typename Record>
int IndexNamed(const std::vector<Record>& records, const std::string& name) {
  for (std::size_t i = 0; i < records.size(); ++i)
    if (name == records[i].name) return static_cast<int>(i);
  return -1;
}

// The map named `name`, or false with the reason.
bool FindMap(const Project& data, const std::string& name, int& index, std::string& message) {
  index = IndexNamed(data.maps, name);
  if (index < 0) message = "there is no map named \"" + name + "\"";
  return index >= 0;
}

// "3,7-9" as numbers from 0 to `limit` - 1; false when it is not such a list or names one past it.
bool NumberList(const std::string& text, int limit, std::set<int>& numbers) {
  const char* at = text.c_str();
  while (*at) {
    char* end = nullptr;
    const long first = std::strtol(at, &end, 10);
    long last = first;
    if (end == at || first < 0) return false;
    if (*end == '-') {
      at = end + 1;
      last = std::strtol(at, &end, 10);
      if (end == at || last < first) return false;
    }
    if (last >= limit) return false;
    for (long n = first; n <= last; ++n) numbers.insert(static_cast<int>(n));
    if (*end == ',')
      ++end;
    else if (*end)
      return false;
    at = end;
  }
  return !numbers.empty();
}

// The strip that shows the one sprite or metasprite, an empty one made to, or -1 when every strip is in use.
int StripOfOne(AnimationStrips& strips, int32_t record, bool metasprite) {
  for (int strip = 0; strip < kStrips; ++strip) {
    const bool alone = std::all_of(std::begin(strips.cells[strip]) + 1, std::end(strips.cells[strip]),
                                   [](int32_t c) { return c < 0; });
    if (alone && strips.cells[strip][0] == record && strips.metasprite[strip][0] == metasprite) return strip;
  }
  for (int strip = 0; strip < kStrips; ++strip)
    if (EmptyStrip(strips, strip)) {
      strips.cells[strip][0] = record, strips.metasprite[strip][0] = metasprite, strips.active[strip][0] = true;
      return strip;
    }
  return -1;
}

bool HasPixels(const Sprite& sprite) {
  return std::any_of(&sprite.pixels[0][0], &sprite.pixels[0][0] + sizeof sprite.pixels,
                     [](uint8_t pixel) { return pixel != 0; });
}
}  // namespace

bool MakeMapFromScreen(Project& data, const std::string& screen, int size, const std::string& name,
                       std::string& message) {
  const int table = IndexNamed(data.nameTables, screen);
  if (table < 0) return message = "there is no screen named \"" + screen + "\"", false;
  if (!ValidMetatileSize(size))
    return message = "a metatile is 1, 2 or 4 tiles across, not " + std::to_string(size), false;
  const std::string mapName = name.empty() ? screen : name;
  if (IndexNamed(data.maps, mapName) >= 0) return message = "a map named \"" + mapName + "\" is there already", false;
  Project next = data;
  Map map = DefaultMap();
  SetName(map.name, mapName.c_str());
  map.metatileSize = size;
  std::fill(std::begin(map.metatiles[0].tiles), std::end(map.metatiles[0].tiles), EmptyCell);
  map.tileSet = std::max(0, data.nameTables[table].thirdTileSets[0]);
  map.width = kTableColumns / size, map.height = kTableRows / size;
  map.cells.assign(static_cast<std::size_t>(map.width) * map.height, 0);
  next.maps.push_back(map);
  MapBlock block;
  std::string cut;
  if (!MakeMetatilesFromScreen(next, static_cast<int>(next.maps.size()) - 1, table, {0, 0, kTableColumns, kTableRows},
                               block, cut))
    return message = cut, false;
  next.maps.back().cells = block.cells;
  data = std::move(next);
  message = "map " + mapName + ": " + std::to_string(map.width) + " x " + std::to_string(map.height) + " cells of " +
            std::to_string(size) + "x" + std::to_string(size) + " metatiles from screen " + screen + ", " + cut;
  return true;
}

bool MarkSolid(Project& data, const std::string& mapName, const std::string& list, std::string& message) {
  int index = 0;
  if (!FindMap(data, mapName, index, message)) return false;
  Map& map = data.maps[index];
  const bool byTiles = list.compare(0, 6, "tiles:") == 0;
  const int limit = byTiles ? 256 : static_cast<int>(map.metatiles.size());
  std::set<int> numbers;
  if (!NumberList(byTiles ? list.substr(6) : list, limit, numbers))
    return message = "\"" + list + "\" is not a list such as 3,7-9 of " + (byTiles ? "tiles" : "metatiles") +
                     " from 0 to " + std::to_string(limit - 1),
           false;
  std::vector<int> solid;
  const int size = map.metatileSize;
  for (int metatile = 0; metatile < static_cast<int>(map.metatiles.size()); ++metatile) {
    const uint8_t* tiles = map.metatiles[metatile].tiles;
    if (byTiles ? std::any_of(tiles, tiles + size * size, [&](uint8_t tile) { return numbers.count(tile) > 0; })
                : numbers.count(metatile) > 0)
      solid.push_back(metatile);
  }
  if (solid.empty()) return message = "no metatile of " + mapName + " holds tiles " + list.substr(6), false;
  for (int metatile : solid) map.metatiles[metatile].solid = true;
  message = "map " + mapName + ": " + Plural(static_cast<int>(solid.size()), "metatile") + " solid";
  return true;
}

bool SetWalker(Project& data, const std::string& mapName, const std::string& walker, std::string& message) {
  int index = 0;
  if (!FindMap(data, mapName, index, message)) return false;
  Project next = data;
  int strip = -1;
  if (walker.size() == 7 && walker.compare(0, 6, "strip ") == 0 && walker[6] >= '1' && walker[6] < '1' + kStrips) {
    strip = walker[6] - '1';
    if (EmptyStrip(next.strips, strip)) return message = "animation strip " + walker.substr(6) + " is empty", false;
  } else if (const int metasprite = IndexNamed(next.metasprites, walker); metasprite >= 0) {
    if (next.metasprites[metasprite].parts.empty()) return message = "metasprite " + walker + " has no pixels", false;
    strip = StripOfOne(next.strips, metasprite, true);
  } else if (const int sprite = IndexNamed(next.sprites, walker); sprite >= 0) {
    if (!HasPixels(next.sprites[sprite])) return message = "sprite " + walker + " has no pixels", false;
    strip = StripOfOne(next.strips, sprite, false);
  } else {
    return message = "\"" + walker + "\" is no strip (strip 1 to strip 4), metasprite or sprite", false;
  }
  if (strip < 0)
    return message = "every animation strip is in use: free one for " + walker + ", or name a strip", false;
  next.maps[index].play.walkStrip = strip;
  data = std::move(next);
  message = "map " + mapName + ": walks as strip " + std::to_string(strip + 1);
  return true;
}

bool SetWalkStart(Project& data, const std::string& mapName, int x, int y, std::string& message) {
  int index = 0;
  if (!FindMap(data, mapName, index, message)) return false;
  Project next = data;
  Map& map = next.maps[index];
  const int width = map.width * map.metatileSize * 8, height = map.height * map.metatileSize * 8;
  if (x < 0 || y < 0 || x >= width || y >= height)
    return message = std::to_string(x) + "," + std::to_string(y) + " is off the " + std::to_string(width) + " x " +
                     std::to_string(height) + "-pixel map",
           false;
  map.play.startX = x, map.play.startY = y;
  if (const WalkWorld world = MakeWalkWorld(next, index, 0, 0); !world.error.empty())
    return message =
               "the map cannot be played from " + std::to_string(x) + "," + std::to_string(y) + ": " + world.error,
           false;
  data = std::move(next);
  message = "map " + mapName + ": starts at " + std::to_string(x) + "," + std::to_string(y);
  return true;
}

bool SetWalkSpeed(Project& data, const std::string& mapName, int speed, std::string& message) {
  int index = 0;
  if (!FindMap(data, mapName, index, message)) return false;
  if (speed < 1 || speed > kMaxWalkSpeed)
    return message = "a walk's speed is 1 to " + std::to_string(kMaxWalkSpeed) + " pixels a frame", false;
  data.maps[index].play.speed = speed;
  message = "map " + mapName + ": walks " + std::to_string(speed) + " pixels a frame";
  return true;
}
