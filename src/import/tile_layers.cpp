#include "import/tile_layers.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <map>

#include "import/dither.h"
#include "import/screen_tiles.h"

namespace {
constexpr int kMaxCombinations = 4096;  // distinct cell drawings worked out before the metatiles are counted

// The tileset and tile a gid names.
std::pair<const TileLayerSet*, int> TileOf(const TileLayers& map, uint32_t gid) {
  const uint32_t plain = gid & kGidBits;
  for (auto tileset = map.tilesets.rbegin(); tileset != map.tilesets.rend(); ++tileset)
    if (plain >= tileset->firstGid) {
      const uint32_t tile = plain - tileset->firstGid;
      if (tile < static_cast<uint32_t>(tileset->count)) return {&*tileset, static_cast<int>(tile)};
      break;
    }
  throw TileLayerRefusal{"a cell names tile " + std::to_string(plain) + ", which no tileset holds"};
}

// The cell drawing: each gid of `key` over the last, flipped as it says, clear where none covers.
void DrawCell(const TileLayers& map, const std::vector<uint32_t>& key, uint8_t* out, int pitch) {
  const int side = map.side;
  for (uint32_t gid : key) {
    const auto [tileset, tile] = TileOf(map, gid);
    const int left = tileset->margin + (tile % tileset->columns) * (side + tileset->spacing);
    const int top = tileset->margin + (tile / tileset->columns) * (side + tileset->spacing);
    for (int y = 0; y < side; ++y)
      for (int x = 0; x < side; ++x) {
        // The diagonal flip comes first, then the horizontal and the vertical: undone in reverse.
        const int unflippedY = gid & kFlipV ? side - 1 - y : y, unflippedX = gid & kFlipH ? side - 1 - x : x;
        const int sx = gid & kFlipD ? unflippedY : unflippedX, sy = gid & kFlipD ? unflippedX : unflippedY;
        const uint8_t* p =
            &tileset->picture.rgba[(static_cast<std::size_t>(top + sy) * tileset->picture.width + left + sx) * 4];
        if (p[3] >= 128) std::memcpy(out + static_cast<std::size_t>(y) * pitch + x * 4, p, 4);
      }
  }
}

}  // namespace

ImportResult AddTileLayersMap(const TileLayers& tiled, const std::string& name, Project& data) {
  ImportResult result;
  // Each cell's visible gids, bottom layer first; the distinct ones in order.
  const std::size_t cells = static_cast<std::size_t>(tiled.width) * tiled.height;
  std::map<std::vector<uint32_t>, int> combinations;
  std::vector<const int*> cellCombination(cells);  // into `combinations`, whose entries stay put
  for (std::size_t cell = 0; cell < cells; ++cell) {
    std::vector<uint32_t> key;
    for (const std::vector<uint32_t>& layer : tiled.layers)
      if (layer[cell] & kGidBits) key.push_back(layer[cell]);
    cellCombination[cell] = &combinations.emplace(std::move(key), 0).first->second;
    if (combinations.size() > kMaxCombinations)
      throw TileLayerRefusal{"the map draws more than " + std::to_string(kMaxCombinations) +
                             " different cells: a map holds 256 metatiles"};
  }
  // Every combination drawn, one under the other, and made tiles.
  const int side = tiled.side, size = side / 8, count = static_cast<int>(combinations.size());
  RgbaImage drawn{side, side * count, std::vector<uint8_t>(static_cast<std::size_t>(side) * side * count * 4, 0)};
  int index = 0;
  for (auto& [key, at] : combinations) {
    at = index;
    DrawCell(tiled, key, &drawn.rgba[static_cast<std::size_t>(index++) * side * side * 4], side * 4);
  }
  int reduced = 0;
  const std::vector<Tile> pieces = DitherToTiles(drawn, Dither::None, 100, reduced);
  std::vector<Tile> covered;
  std::vector<int> pieceCell(pieces.size(), -1);  // into `covered`; -1 for a piece nothing covers
  for (std::size_t piece = 0; piece < pieces.size(); ++piece) {
    const std::size_t left = piece % size * 8, top = piece / size * 8;
    bool any = false;
    for (std::size_t y = top; y < top + 8 && !any; ++y)
      for (std::size_t x = left; x < left + 8 && !any; ++x) any = drawn.rgba[(y * side + x) * 4 + 3] >= 128;
    if (any) pieceCell[piece] = static_cast<int>(covered.size()), covered.push_back(pieces[piece]);
  }
  TileSet set;
  SetName(set.name, name.c_str());
  std::vector<uint8_t> numbers(covered.size());
  int made = 0;
  const int merged = BuildTileSet(covered, kMostImportedTiles, set, numbers.data(), made);
  // Combinations that came out alike, solid or not alike, share a metatile.
  Map map;
  SetName(map.name, name.c_str());
  map.metatileSize = size, map.width = tiled.width, map.height = tiled.height;
  std::map<std::array<uint8_t, 17>, int> metatiles;
  std::vector<int> metatileOf(count);
  for (const auto& [key, at] : combinations) {
    Metatile metatile;
    for (int piece = 0; piece < size * size; ++piece) {
      const int cell = pieceCell[static_cast<std::size_t>(at) * size * size + piece];
      metatile.tiles[piece] = cell < 0 ? EmptyCell : numbers[cell];
    }
    for (uint32_t gid : key) {
      const auto [tileset, tile] = TileOf(tiled, gid);
      metatile.solid = metatile.solid || tileset->solid.count(tile) > 0;
    }
    std::array<uint8_t, 17> look;
    std::copy(std::begin(metatile.tiles), std::end(metatile.tiles), look.begin());
    look[16] = metatile.solid;
    const auto [found, added] = metatiles.emplace(look, static_cast<int>(map.metatiles.size()));
    if (added) map.metatiles.push_back(metatile);
    metatileOf[at] = found->second;
  }
  if (map.metatiles.size() > static_cast<std::size_t>(kMaxMetatiles))
    throw TileLayerRefusal{"the map needs " + std::to_string(map.metatiles.size()) +
                           " different metatiles, more than the 256 a map holds"};
  map.cells.resize(cells);
  for (std::size_t cell = 0; cell < cells; ++cell)
    map.cells[cell] = static_cast<uint8_t>(metatileOf[*cellCombination[cell]]);
  map.play.startX = tiled.startX, map.play.startY = tiled.startY;
  if (tiled.speed >= 1 && tiled.speed <= kMaxWalkSpeed) map.play.speed = tiled.speed;
  if (tiled.walkStrip >= -1 && tiled.walkStrip < kStrips) map.play.walkStrip = tiled.walkStrip;
  if (data.tileSets.size() >= static_cast<std::size_t>(kMaxImportedTileSets))
    throw TileLayerRefusal{"the project holds as many tile sets as it can"};
  map.tileSet = static_cast<int>(data.tileSets.size());
  data.tileSets.push_back(set);
  data.maps.push_back(std::move(map));
  result.ok = true;
  result.firstTileSet = data.maps.back().tileSet;
  result.message = name + ": " + std::to_string(tiled.width) + " x " + std::to_string(tiled.height) + " cells of " +
                   std::to_string(side) + "-pixel metatiles, " +
                   Plural(static_cast<int>(data.maps.back().metatiles.size()), "metatile") + " and " +
                   Plural(made, "tile") + "; " + Plural(reduced, "row") + " with more than two colours reduced, " +
                   Plural(merged, "tile") + " merged";
  return result;
}
