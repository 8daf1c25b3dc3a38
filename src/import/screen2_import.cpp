#include "import/screen2_import.h"

#include <cstdio>
#include <map>
#include <utility>
#include <vector>

#include "chip/sprite_attributes.h"
#include "import/screen_tiles.h"

namespace {
constexpr std::size_t kHeader = 7;
constexpr std::size_t kToColours = 0x3800, kToSpritePatterns = 0x4000;
constexpr std::size_t kNames = 0x1800, kAttributes = 0x1B00, kColours = 0x2000, kSpritePatterns = 0x3800;

std::string Hex(unsigned value) {
  char text[8];
  std::snprintf(text, sizeof text, "0x%04X", value);
  return text;
}

// Why the file is no SCREEN 2 file, or "".
std::string Refusal(const uint8_t* bytes, std::size_t size) {
  if (size != kHeader + kToColours && size != kHeader + kToSpritePatterns)
    return "a SCREEN 2 file holds " + std::to_string(kHeader + kToColours) + " bytes (up to the colour table) or " +
           std::to_string(kHeader + kToSpritePatterns) + " (with the sprite patterns), this one " +
           std::to_string(size);
  if (bytes[0] != 0xFE) return "it does not start as a BLOAD file does (0xFE)";
  const unsigned start = bytes[1] | bytes[2] << 8, end = bytes[3] | bytes[4] << 8;
  if (start != 0) return "it loads at " + Hex(start) + ", not at the start of video memory";
  if (end != size - kHeader - 1)
    return "its header says it ends at " + Hex(end) + ", but it holds up to " +
           Hex(static_cast<unsigned>(size - kHeader - 1));
  return "";
}

Tile TileAt(const uint8_t* memory, int third, int number) {
  Tile tile;
  for (int y = 0; y < 8; ++y) {
    const std::size_t at = 0x800 * static_cast<std::size_t>(third) + 8 * static_cast<std::size_t>(number) + y;
    tile.rows[y] = memory[at];
    tile.foreground[y] = memory[kColours + at] >> 4;
    tile.background[y] = memory[kColours + at] & 15;
  }
  return tile;
}

Sprite SpriteAt(const uint8_t* memory, int number, int colour) {
  Sprite sprite;
  sprite.colour = colour;
  // Quarters in the chip's order: top left, bottom left, top right, bottom right.
  const int quarters[4][2] = {{0, 0}, {8, 0}, {0, 8}, {8, 8}};
  const uint8_t* bytes = memory + kSpritePatterns + 32 * static_cast<std::size_t>(number);
  for (int q = 0; q < 4; ++q)
    for (int r = 0; r < 8; ++r)
      for (int x = 0; x < 8; ++x)
        sprite.pixels[quarters[q][0] + r][quarters[q][1] + x] = bytes[8 * q + r] >> (7 - x) & 1;
  return sprite;
}

// The planes up to the terminator as sprites (one for each pattern and colour
// shown) and placements, the chip's plane 0 last as the editor draws it on top.
int AddSprites(const uint8_t* memory, const std::string& name, Project& data, NameTable& table) {
  std::map<std::pair<int, int>, int> made;  // (pattern, colour) -> sprite
  for (int plane = 0; plane < kSpritePlanes; ++plane) {
    const uint8_t* entry = memory + kAttributes + 4 * plane;
    if (entry[0] == kTerminatorY) break;
    const int number = entry[2] / 4, colour = entry[3] & 15;
    auto [at, added] = made.emplace(std::make_pair(number, colour), static_cast<int>(data.sprites.size()));
    if (added) {
      data.sprites.push_back(SpriteAt(memory, number, colour));
      FormatName(data.sprites.back().name, "%.14s %d", name.c_str(), number);
    }
    // Y holds the top line less one; past 239 it wraps to the lines above the screen.
    const int top = entry[0] < 240 ? entry[0] + 1 : entry[0] - 255;
    const int left = entry[1] - (entry[3] & kEarlyClock ? 32 : 0);
    table.placements.insert(table.placements.begin(),
                            {at->second, left * kViewUnitsPerChipPixel, top * kViewUnitsPerChipPixel});
  }
  return static_cast<int>(made.size());
}
}  // namespace

ImportResult ImportScreen2File(const uint8_t* bytes, std::size_t size, const std::string& name, Project& data) {
  ImportResult result;
  if (const std::string why = Refusal(bytes, size); !why.empty()) {
    result.message = "Cannot import the SCREEN 2 file: " + why + ".";
    return result;
  }
  if (data.tileSets.size() + kThirds > kMaxImportedTileSets || data.nameTables.size() >= 256) {
    result.message = "Cannot import the SCREEN 2 file: the project has no room for its tile sets or name table.";
    return result;
  }
  const uint8_t* memory = bytes + kHeader;
  const bool withSprites = size == kHeader + kToSpritePatterns;
  // Into a project that is still exactly a new one, the screen takes the place of the empty default records.
  if (IsUntouchedProject(data)) {
    data.tileSets.clear(), data.nameTables.clear();
    if (withSprites) data.sprites.clear();
  }
  result.firstTileSet = static_cast<int>(data.tileSets.size());
  NameTable table;
  SetName(table.name, name.c_str());
  std::vector<Tile> cells;
  for (int cell = 0; cell < kTableCells; ++cell) cells.push_back(TileAt(memory, cell / 256, memory[kNames + cell]));
  int made = 0;
  const int merged = AddScreenTileSets(cells, name, false, kMostImportedTiles, data, table, made);
  const int sprites = withSprites ? AddSprites(memory, name, data, table) : 0;
  result.nameTable = static_cast<int>(data.nameTables.size());
  data.nameTables.push_back(table);
  result.ok = true;
  result.message = "Imported the SCREEN 2 file: " + std::to_string(made) + " tiles, " + std::to_string(sprites) +
                   " sprites, " + std::to_string(table.placements.size()) + " placements" +
                   (merged ? ", " + std::to_string(merged) + " tiles merged (a third used all 256)" : "") + ".";
  return result;
}
