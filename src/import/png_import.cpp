#include "import/png_import.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>
#include <map>
#include <vector>

#include "import/screen_tiles.h"
#include "storage/png_file.h"

namespace {
constexpr int kMaxSide = 8 * kTilesPerSet;  // a sheet one tile high or wide
constexpr int kMaxPixels = kChipWidth * kChipHeight;
constexpr double kOpaqueToTransparent = 1e6;  // a visible pixel never becomes colour 0, nor the reverse

struct Reduction {
  std::vector<Tile> tiles;  // row by row
  int reducedRows = 0;      // rows whose pixels matched more than two palette colours
};

// Each pixel's distance to each of the 16 colours; then the best pair per row.
Reduction ReduceToTiles(const RgbaImage& image) {
  const std::array<Lab, 16>& palette = PaletteLab();
  Reduction out;
  const int columns = image.width / 8, rows = image.height / 8;
  for (int ty = 0; ty < rows; ++ty)
    for (int tx = 0; tx < columns; ++tx) {
      Tile tile;
      for (int y = 0; y < 8; ++y) {
        double cost[8][16];
        std::map<int, int> nearest;
        for (int x = 0; x < 8; ++x) {
          const uint8_t* p = &image.rgba[((static_cast<std::size_t>(ty) * 8 + y) * image.width + tx * 8 + x) * 4];
          const bool transparent = p[3] < 128;
          const Lab lab = ToLab(p[0], p[1], p[2]);
          int best = 0;
          for (int c = 0; c < 16; ++c) {
            cost[x][c] = transparent == (c == 0) ? (c == 0 ? 0 : Distance(lab, palette[c])) : kOpaqueToTransparent;
            if (cost[x][c] < cost[x][best]) best = c;
          }
          ++nearest[best];
        }
        if (nearest.size() > 2) ++out.reducedRows;
        double bestLoss = std::numeric_limits<double>::max();
        int low = 0, high = 0;
        for (int a = 0; a < 16; ++a)
          for (int b = a; b < 16; ++b) {
            double loss = 0;
            for (int x = 0; x < 8; ++x) loss += std::min(cost[x][a], cost[x][b]);
            if (loss < bestLoss) bestLoss = loss, low = a, high = b;
          }
        // The nearer of the two; pixels of the higher colour are the set ones.
        for (int x = 0; x < 8; ++x)
          if (high != low && cost[x][high] < cost[x][low]) tile.rows[y] |= static_cast<uint8_t>(0x80 >> x);
        tile.foreground[y] = static_cast<uint8_t>(high);
        tile.background[y] = static_cast<uint8_t>(low);
      }
      out.tiles.push_back(tile);
    }
  return out;
}

std::string Plural(int count, const char* word) { return std::to_string(count) + " " + word + (count == 1 ? "" : "s"); }
}  // namespace

ImportResult ImportPngImage(const uint8_t* bytes, std::size_t size, const std::string& name, Project& data,
                            const ImportOptions& options) {
  ImportResult result;
  RgbaImage image;
  std::string error;
  if (!DecodePng(bytes, size, kMaxSide, kMaxSide, image, error) ||
      (static_cast<long>(image.width) * image.height > kMaxPixels && (error = "the picture is too large", true))) {
    result.message = "Cannot import the picture: " + error + ".";
    return result;
  }
  const bool screen = image.width == kChipWidth && image.height == kChipHeight;
  const int tiles = image.width / 8 * (image.height / 8);
  if (image.width % 8 || image.height % 8 || (!screen && tiles > kTilesPerSet)) {
    result.message =
        "Cannot import the picture: its sides must be multiples of 8 and, unless it is a 256 x 192 "
        "screen, hold at most 256 tiles.";
    return result;
  }
  const int newSets = screen && !options.oneSet ? kThirds : 1;
  if (data.tileSets.size() + newSets > kMaxImportedTileSets || (screen && data.nameTables.size() >= 256)) {
    result.message = "Cannot import the picture: the project has no room for its tile sets or name table.";
    return result;
  }

  Reduction reduction;
  if (options.dither == Dither::None)
    reduction = ReduceToTiles(image);
  else
    reduction.tiles = DitherToTiles(image, options.dither, options.strength, reduction.reducedRows);
  const int limit = std::clamp(options.maxTiles, 1, kMostImportedTiles);
  // Into a project that is still exactly a new one, the picture takes the place
  // of the empty default records instead of queuing behind them.
  if (data == DefaultProject()) {
    data.tileSets.clear();
    if (screen) data.nameTables.clear();
  }
  result.firstTileSet = static_cast<int>(data.tileSets.size());
  int made = 0, merged = 0;
  if (screen) {
    NameTable table;
    SetName(table.name, name.c_str());
    // Each third its own set, or all three cells' tiles in one.
    const int sets = options.oneSet ? 1 : kThirds, cellsPerSet = kTableCells / sets;
    for (int s = 0; s < sets; ++s) {
      TileSet set;
      if (options.oneSet) SetName(set.name, name.c_str());
      else FormatName(set.name, "%.14s %s", name.c_str(), s == 0 ? "top" : s == 1 ? "mid" : "bottom");
      const std::vector<Tile> cells(reduction.tiles.begin() + cellsPerSet * s, reduction.tiles.begin() + cellsPerSet * (s + 1));
      merged += BuildTileSet(cells, limit, set, table.cells + cellsPerSet * s, made);
      data.tileSets.push_back(set);
    }
    for (int third = 0; third < kThirds; ++third) table.thirdTileSets[third] = result.firstTileSet + (options.oneSet ? 0 : third);
    result.nameTable = static_cast<int>(data.nameTables.size());
    data.nameTables.push_back(table);
  } else {
    TileSet set;
    SetName(set.name, name.c_str());
    for (int i = 0; i < tiles; ++i) StoreTile(set, i, reduction.tiles[i]);
    made = tiles;
    data.tileSets.push_back(set);
  }
  result.ok = true;
  result.message = "Imported " + std::to_string(image.width) + " x " + std::to_string(image.height) +
                   (screen ? " screen: " : " tile sheet: ") + Plural(made, "tile") + " made, " +
                   Plural(merged, "tile") + " merged, " + Plural(reduction.reducedRows, "row") +
                   " with more than two colours reduced.";
  return result;
}
