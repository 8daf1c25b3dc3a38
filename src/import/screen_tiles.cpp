#include "import/screen_tiles.h"

#include <cmath>
#include <limits>
#include <map>

double Linear(uint8_t channel) {
  const double c = channel / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

Lab ToLab(uint8_t r, uint8_t g, uint8_t b) { return LinearToLab(Linear(r), Linear(g), Linear(b)); }

Lab LinearToLab(double lr, double lg, double lb) {
  const double xyz[3] = {(0.4124 * lr + 0.3576 * lg + 0.1805 * lb) / 0.95047, 0.2126 * lr + 0.7152 * lg + 0.0722 * lb,
                         (0.0193 * lr + 0.1192 * lg + 0.9505 * lb) / 1.08883};
  double f[3];
  for (int i = 0; i < 3; ++i) f[i] = xyz[i] > 0.008856 ? std::cbrt(xyz[i]) : 7.787 * xyz[i] + 16.0 / 116;
  return {116 * f[1] - 16, 500 * (f[0] - f[1]), 200 * (f[1] - f[2])};
}

namespace {
// Every palette's at once: imports run on several threads.
const std::array<std::array<Lab, 16>, kPalettes>& AllPaletteLabs() {
  static const auto labs = [] {
    std::array<std::array<Lab, 16>, kPalettes> all;
    for (int p = 0; p < kPalettes; ++p)
      for (int c = 0; c < 16; ++c) {
        const uint32_t packed = kChipPalettes[p].colours[c];
        all[p][c] = ToLab(packed & 0xFF, packed >> 8 & 0xFF, packed >> 16 & 0xFF);
      }
    return all;
  }();
  return labs;
}

std::size_t ShownPaletteIndex() { return static_cast<std::size_t>(PaletteIndex(project.palette)); }
}  // namespace

const std::array<Lab, 16>& PaletteLab() { return AllPaletteLabs()[ShownPaletteIndex()]; }

namespace {
// The summed colour difference of two tiles, pixel by pixel.
double TileDistance(const Tile& x, const Tile& y) {
  static const auto apart = [] {
    std::array<std::array<std::array<double, 16>, 16>, kPalettes> table;
    for (int p = 0; p < kPalettes; ++p)
      for (int c = 0; c < 16; ++c)
        for (int d = 0; d < 16; ++d) table[p][c][d] = Distance(AllPaletteLabs()[p][c], AllPaletteLabs()[p][d]);
    return table;
  }();
  const auto& shown = apart[ShownPaletteIndex()];
  double total = 0;
  for (int row = 0; row < 8; ++row)
    for (int column = 0; column < 8; ++column) total += shown[x.Colour(column, row)][y.Colour(column, row)];
  return total;
}

// Merges the tiles in `distinct` down to `limit`: each time the pair whose
// merge the eye notices least (their difference times the cells the less
// used one covers), the less used one (of equal ones the later) becoming the
// other. `cellTile` follows. Returns how many merged.
int MergeDownTo(std::size_t limit, std::vector<Tile>& distinct, std::vector<int>& cellTile) {
  const std::size_t n = distinct.size();
  if (n <= limit) return 0;
  std::vector<int> uses(n, 0), into(n);
  for (int tile : cellTile) ++uses[tile];
  std::vector<double> apart(n * n);
  for (std::size_t i = 0; i < n; ++i)
    for (std::size_t j = i + 1; j < n; ++j)
      apart[i * n + j] = apart[j * n + i] = TileDistance(distinct[i], distinct[j]);
  std::vector<bool> alive(n, true);
  auto cost = [&](std::size_t i, std::size_t j) { return apart[i * n + j] * std::min(uses[i], uses[j]); };
  std::vector<std::size_t> nearest(n);
  auto findNearest = [&](std::size_t i) {
    nearest[i] = i;
    for (std::size_t j = 0; j < n; ++j)
      if (j != i && alive[j] && (nearest[i] == i || cost(i, j) < cost(i, nearest[i]))) nearest[i] = j;
  };
  for (std::size_t i = 0; i < n; ++i) findNearest(i), into[i] = static_cast<int>(i);
  int merged = 0;
  for (std::size_t left = n; left > limit; --left, ++merged) {
    std::size_t best = n;
    for (std::size_t i = 0; i < n; ++i)
      if (alive[i] && (best == n || cost(i, nearest[i]) < cost(best, nearest[best]) ||
                       (cost(i, nearest[i]) == cost(best, nearest[best]) &&
                        std::min(i, nearest[i]) < std::min(best, nearest[best]))))
        best = i;
    std::size_t keep = std::min(best, nearest[best]), drop = std::max(best, nearest[best]);
    if (uses[drop] > uses[keep]) std::swap(keep, drop);
    alive[drop] = false, uses[keep] += uses[drop], into[drop] = static_cast<int>(keep);
    for (std::size_t i = 0; i < n; ++i)
      if (alive[i] && (i == keep || nearest[i] == keep || nearest[i] == drop)) findNearest(i);
  }
  // The survivors in their order, and each cell's tile through the merges.
  std::vector<int> number(n, -1);
  std::vector<Tile> kept;
  for (std::size_t i = 0; i < n; ++i)
    if (alive[i]) number[i] = static_cast<int>(kept.size()), kept.push_back(distinct[i]);
  for (int& tile : cellTile) {
    while (!alive[tile]) tile = into[tile];
    tile = number[tile];
  }
  distinct = std::move(kept);
  return merged;
}
}  // namespace

void StoreTile(TileSet& set, int index, const Tile& tile) {
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) set.pixels[index][y][x] = tile.rows[y] >> (7 - x) & 1;
    set.foreground[index][y] = tile.foreground[y];
    set.background[index][y] = tile.background[y];
  }
}

int BuildTileSet(const std::vector<Tile>& cells, int limit, TileSet& set, uint8_t* numbers, int& made) {
  std::vector<Tile> distinct;
  std::map<Tile, int> index;
  std::vector<int> cellTile;
  for (const Tile& tile : cells) {
    auto [at, added] = index.emplace(tile, static_cast<int>(distinct.size()));
    if (added) distinct.push_back(tile);
    cellTile.push_back(at->second);
  }
  const int merged = MergeDownTo(static_cast<std::size_t>(limit), distinct, cellTile);
  for (std::size_t i = 0; i < distinct.size(); ++i) StoreTile(set, static_cast<int>(i), distinct[i]);
  made += static_cast<int>(distinct.size());
  for (std::size_t cell = 0; cell < cellTile.size(); ++cell) numbers[cell] = static_cast<uint8_t>(cellTile[cell]);
  return merged;
}

int AddScreenTileSets(const std::vector<Tile>& cells, const std::string& name, bool oneSet, int limit, Project& data,
                      NameTable& table, int& made) {
  const int first = static_cast<int>(data.tileSets.size()), sets = oneSet ? 1 : kThirds;
  const int cellsPerSet = kTableCells / sets;
  int merged = 0;
  for (int s = 0; s < sets; ++s) {
    TileSet set;
    if (oneSet)
      SetName(set.name, name.c_str());
    else
      FormatName(set.name, "%.14s %s", name.c_str(), s == 0 ? "top" : s == 1 ? "mid" : "bottom");
    const std::vector<Tile> part(cells.begin() + cellsPerSet * s, cells.begin() + cellsPerSet * (s + 1));
    merged += BuildTileSet(part, limit, set, table.cells + cellsPerSet * s, made);
    data.tileSets.push_back(set);
  }
  for (int third = 0; third < kThirds; ++third) table.thirdTileSets[third] = first + (oneSet ? 0 : third);
  return merged;
}
