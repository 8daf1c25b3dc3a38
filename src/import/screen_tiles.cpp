#include "import/screen_tiles.h"

#include <cmath>
#include <limits>
#include <map>

namespace {
double Linear(double channel) {
  channel /= 255;
  return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}
}  // namespace

Lab ToLab(uint8_t r, uint8_t g, uint8_t b) {
  const double lr = Linear(r), lg = Linear(g), lb = Linear(b);
  const double xyz[3] = {(0.4124 * lr + 0.3576 * lg + 0.1805 * lb) / 0.95047, 0.2126 * lr + 0.7152 * lg + 0.0722 * lb,
                         (0.0193 * lr + 0.1192 * lg + 0.9505 * lb) / 1.08883};
  double f[3];
  for (int i = 0; i < 3; ++i) f[i] = xyz[i] > 0.008856 ? std::cbrt(xyz[i]) : 7.787 * xyz[i] + 16.0 / 116;
  return {116 * f[1] - 16, 500 * (f[0] - f[1]), 200 * (f[1] - f[2])};
}

double Distance(const Lab& x, const Lab& y) {
  return std::sqrt(std::pow(x.l - y.l, 2) + std::pow(x.a - y.a, 2) + std::pow(x.b - y.b, 2));
}

const std::array<Lab, 16>& PaletteLab() {
  static const std::array<Lab, 16> lab = [] {
    std::array<Lab, 16> colours;
    for (int c = 0; c < 16; ++c) colours[c] = ToLab(Palette[c] & 0xFF, Palette[c] >> 8 & 0xFF, Palette[c] >> 16 & 0xFF);
    return colours;
  }();
  return lab;
}

namespace {
double TileDistance(const Tile& x, const Tile& y) {
  const std::array<Lab, 16>& palette = PaletteLab();
  double total = 0;
  for (int row = 0; row < 8; ++row)
    for (int column = 0; column < 8; ++column)
      total += Distance(palette[x.Colour(column, row)], palette[y.Colour(column, row)]);
  return total;
}
}  // namespace

void StoreTile(TileSet& set, int index, const Tile& tile) {
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) set.pixels[index][y][x] = tile.rows[y] >> (7 - x) & 1;
    set.foreground[index][y] = tile.foreground[y];
    set.background[index][y] = tile.background[y];
  }
}

int BuildThird(const std::vector<Tile>& cells, TileSet& set, uint8_t* numbers, int& made) {
  std::vector<Tile> distinct;
  std::map<Tile, int> index;
  std::vector<int> cellTile;
  for (const Tile& tile : cells) {
    auto [at, added] = index.emplace(tile, static_cast<int>(distinct.size()));
    if (added) distinct.push_back(tile);
    cellTile.push_back(at->second);
  }
  int merged = 0;
  // A third has 256 cells, so at most one pair merges: the closest, into the earlier.
  while (distinct.size() > kTilesPerSet - 1) {
    std::size_t keep = 0, drop = 1;
    double closest = std::numeric_limits<double>::max();
    for (std::size_t i = 0; i < distinct.size(); ++i)
      for (std::size_t j = i + 1; j < distinct.size(); ++j)
        if (const double d = TileDistance(distinct[i], distinct[j]); d < closest) closest = d, keep = i, drop = j;
    distinct.erase(distinct.begin() + static_cast<std::ptrdiff_t>(drop));
    for (int& tile : cellTile)
      if (tile == static_cast<int>(drop))
        tile = static_cast<int>(keep);
      else if (tile > static_cast<int>(drop))
        --tile;
    ++merged;
  }
  for (std::size_t i = 0; i < distinct.size(); ++i) StoreTile(set, static_cast<int>(i), distinct[i]);
  made += static_cast<int>(distinct.size());
  for (std::size_t cell = 0; cell < cellTile.size(); ++cell) numbers[cell] = static_cast<uint8_t>(cellTile[cell]);
  return merged;
}
