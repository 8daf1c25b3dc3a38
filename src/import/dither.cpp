#include "import/dither.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <set>

#include "import/linear_rgb.h"

namespace {
Lab LabOf(const Rgb& c) { return LinearToLab(c.r, c.g, c.b); }

// Two visible colours a row may show (low == high: one), and their mixes as
// the eye sees them: level[k] is k sixteenths of the higher.
struct Pair {
  int low, high;
  Rgb lowRgb, span;  // span: high - low
  double spanLength;
  Lab level[17];
};

// The shown palette's pairs; every palette's made at once, as imports run on several threads.
const std::vector<Pair>& Pairs() {
  static const auto pairs = [] {
    std::array<std::vector<Pair>, kPalettes> all;
    for (int p = 0; p < kPalettes; ++p)
      for (int low = 1; low < 16; ++low)
        for (int high = low; high < 16; ++high) {
          const Rgb lowRgb = PackedRgb(kChipPalettes[p].colours[low]);
          Pair pair{low, high, lowRgb, PackedRgb(kChipPalettes[p].colours[high]) - lowRgb, 0, {}};
          pair.spanLength = pair.span.Dot(pair.span);
          for (int k = 0; k <= 16; ++k) pair.level[k] = LabOf(pair.lowRgb + pair.span * (k / 16.0));
          all[p].push_back(pair);
        }
    return all;
  }();
  return pairs[PaletteIndex(project.palette)];
}

// Where a colour lies between the pair's two, 0 at the lower, 1 at the higher.
double Between(const Pair& pair, const Rgb& colour) {
  if (pair.spanLength == 0) return 0;
  return std::clamp((colour - pair.lowRgb).Dot(pair.span) / pair.spanLength, 0.0, 1.0);
}

// How far the row's colours lie from the mixes the pair can show: a halftone
// or a diffusion between two colours looks, from a step back, like the mix
// with the share of each pixel's place between them (to 1/16). Stops once
// past `enough`, when the pair cannot be the closest.
double Difference(const Pair& pair, const Rgb* row, const Lab* seen, double enough) {
  double total = 0;
  for (int x = 0; x < 8 && total < enough; ++x)
    total += Distance(pair.level[static_cast<int>(16 * Between(pair, row[x]) + 0.5)], seen[x]);
  return total;
}

struct Dithering {
  const RgbaImage& image;
  Dither mode;
  double strength;
  std::vector<Rgb> work;  // the picture in linear light, with the error carried into it so far

  bool Visible(int x, int y) const {
    return image.rgba[(static_cast<std::size_t>(y) * image.width + x) * 4 + 3] >= 128;
  }

  // The row's bits under `pair`; diffusing, the error each pixel leaves is
  // spread as it goes, right to left on odd lines (serpentine) so that errors
  // do not all drift one way.
  void Render(const Pair& pair, int left, int y, int* bits) {
    const int step = Leftwards(y) ? -1 : 1;
    for (int i = 0; i < 8; ++i) {
      const int x = step > 0 ? i : 7 - i;
      const std::size_t at = static_cast<std::size_t>(y) * image.width + left + x;
      const Rgb value = work[at];
      const double place = Between(pair, value);
      const double threshold =
          mode == Dither::Ordered ? 0.5 + ((kBayer[y & 3][(left + x) & 3] + 0.5) / 16 - 0.5) * strength : 0.5;
      bits[x] = pair.low != pair.high && place > threshold;
      if (mode != Dither::Diffusion) continue;
      // The error along the pair's line is the halftone's own; of the rest, which no
      // mix of this pair could show, half goes on: all of it makes later rows swing
      // between pairs in stripes (measured: blurred CIEDE2000 a third worse).
      const Rgb error = value - (pair.lowRgb + pair.span * bits[x]);
      const Rgb along = pair.span * (pair.spanLength > 0 ? error.Dot(pair.span) / pair.spanLength : 0);
      Spread(at, left + x, y, (along + (error - along) * 0.5) * strength, step);
    }
  }

  bool Leftwards(int y) const { return mode == Dither::Diffusion && y % 2 == 1; }

  // Floyd and Steinberg's shares: ahead 7, below behind 3, below 5, below ahead 1 (of 16).
  void Spread(std::size_t at, int x, int y, const Rgb& error, int step) {
    const int width = image.width;
    auto add = [&](int dx, int dy, double share) {
      dx *= step;
      if (x + dx < 0 || x + dx >= width || y + dy >= image.height) return;
      Rgb& to = work[static_cast<std::size_t>(static_cast<std::ptrdiff_t>(at) + dy * width + dx)];
      to = to + error * share;
      to = {std::clamp(to.r, -0.5, 1.5), std::clamp(to.g, -0.5, 1.5), std::clamp(to.b, -0.5, 1.5)};
    };
    add(1, 0, 7.0 / 16), add(-1, 1, 3.0 / 16), add(0, 1, 5.0 / 16), add(1, 1, 1.0 / 16);
  }

  // One row of a tile: the pair and bits that look closest, then (diffusing) its error passed on.
  void Row(int left, int y, Tile& tile, int row) {
    const std::size_t at = static_cast<std::size_t>(y) * image.width + left;
    int visible = 0;
    for (int x = 0; x < 8; ++x) visible += Visible(left + x, y);
    const Pair* chosen = nullptr;
    int bits[8] = {};
    if (visible == 8) {
      Lab seen[8];
      for (int x = 0; x < 8; ++x) seen[x] = LabOf(work[at + x]);
      double best = std::numeric_limits<double>::infinity();
      for (const Pair& pair : Pairs())
        if (const double difference = Difference(pair, &work[at], seen, best); difference < best)
          best = difference, chosen = &pair;
      Render(*chosen, left, y, bits);
    } else {  // transparent pixels keep colour 0; the visible ones take the colour nearest their average
      Rgb sum;
      for (int x = 0; x < 8; ++x)
        if (Visible(left + x, y)) sum = sum + work[at + x];
      const Lab average = LabOf(sum * (1.0 / std::max(visible, 1)));
      int nearest = 1;
      for (int c = 2; c < 16; ++c)
        if (Distance(PaletteLab()[c], average) < Distance(PaletteLab()[nearest], average)) nearest = c;
      for (int x = 0; x < 8; ++x) bits[x] = Visible(left + x, y);
      tile.foreground[row] = static_cast<uint8_t>(nearest);
    }
    for (int x = 0; x < 8; ++x)
      if (bits[x]) tile.rows[row] |= static_cast<uint8_t>(0x80 >> x);
    if (chosen)
      tile.foreground[row] = static_cast<uint8_t>(chosen->high),
      tile.background[row] = static_cast<uint8_t>(chosen->low);
  }
};

// Each palette colour's distance from each pixel of a tile's row; a visible
// pixel never becomes colour 0, nor the reverse.
using RowCosts = std::array<std::array<double, 16>, 8>;

RowCosts CostsOfRow(const RgbaImage& image, int left, int y) {
  constexpr double kOpaqueToTransparent = 1e6;
  RowCosts cost;
  for (int x = 0; x < 8; ++x) {
    const uint8_t* p = &image.rgba[(static_cast<std::size_t>(y) * image.width + left + x) * 4];
    const bool transparent = p[3] < 128;
    const Lab lab = ToLab(p[0], p[1], p[2]);
    for (int c = 0; c < 16; ++c)
      cost[x][c] = transparent == (c == 0) ? (c == 0 ? 0 : Distance(lab, PaletteLab()[c])) : kOpaqueToTransparent;
  }
  return cost;
}

// Whether the row's pixels are nearest to more than two palette colours.
bool NeedsMoreThanTwo(const RowCosts& cost) {
  std::set<int> nearest;
  for (const auto& pixel : cost)
    nearest.insert(static_cast<int>(std::min_element(pixel.begin(), pixel.end()) - pixel.begin()));
  return nearest.size() > 2;
}

// None: each row the pair that loses least, and each pixel the nearer of it.
std::vector<Tile> NearestPairTiles(const RgbaImage& image, int& reducedRows) {
  std::vector<Tile> tiles;
  const int columns = image.width / 8, rows = image.height / 8;
  for (int ty = 0; ty < rows; ++ty)
    for (int tx = 0; tx < columns; ++tx) {
      Tile tile;
      for (int y = 0; y < 8; ++y) {
        const RowCosts cost = CostsOfRow(image, tx * 8, ty * 8 + y);
        reducedRows += NeedsMoreThanTwo(cost);
        double bestLoss = std::numeric_limits<double>::max();
        int low = 0, high = 0;
        for (int a = 0; a < 16; ++a)
          for (int b = a; b < 16; ++b) {
            double loss = 0;
            for (int x = 0; x < 8; ++x) loss += std::min(cost[x][a], cost[x][b]);
            if (loss < bestLoss) bestLoss = loss, low = a, high = b;
          }
        // Pixels of the higher colour are the set ones.
        for (int x = 0; x < 8; ++x)
          if (high != low && cost[x][high] < cost[x][low]) tile.rows[y] |= static_cast<uint8_t>(0x80 >> x);
        tile.foreground[y] = static_cast<uint8_t>(high);
        tile.background[y] = static_cast<uint8_t>(low);
      }
      tiles.push_back(tile);
    }
  return tiles;
}
}  // namespace

std::vector<Tile> DitherToTiles(const RgbaImage& image, Dither mode, int strength, int& reducedRows) {
  reducedRows = 0;
  if (mode == Dither::None) return NearestPairTiles(image, reducedRows);
  for (int y = 0; y < image.height; ++y)
    for (int left = 0; left < image.width; left += 8) reducedRows += NeedsMoreThanTwo(CostsOfRow(image, left, y));
  Dithering dithering{image, mode, std::clamp(strength, 0, 100) / 100.0, {}};
  dithering.work.resize(static_cast<std::size_t>(image.width) * image.height);
  for (std::size_t i = 0; i < dithering.work.size(); ++i)
    dithering.work[i] = {Linear(image.rgba[4 * i]), Linear(image.rgba[4 * i + 1]), Linear(image.rgba[4 * i + 2])};
  const int columns = image.width / 8;
  std::vector<Tile> tiles(static_cast<std::size_t>(columns) * (image.height / 8));
  for (int y = 0; y < image.height; ++y)
    for (int i = 0; i < columns; ++i) {
      const int column = dithering.Leftwards(y) ? columns - 1 - i : i;
      dithering.Row(8 * column, y, tiles[static_cast<std::size_t>(y / 8) * columns + column], y % 8);
    }
  return tiles;
}
