#include "import/mode_pictures.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <limits>
#include <map>

#include "import/linear_rgb.h"

namespace {
// In linear light; a transparent pixel is black.
Rgb PixelAt(const RgbaImage& image, int x, int y) {
  const uint8_t* p = &image.rgba[(static_cast<std::size_t>(y) * image.width + x) * 4];
  if (p[3] < 128) return {};
  return {Linear(p[0]), Linear(p[1]), Linear(p[2])};
}

double Threshold(Dither dither, int strength, int x, int y) {
  return dither == Dither::Ordered ? 0.5 + ((kBayer[y & 3][x & 3] + 0.5) / 16 - 0.5) * strength / 100.0 : 0.5;
}

// Where `colour` lies from `low` (0) to `high` (1).
double Between(const Rgb& colour, const Rgb& low, const Rgb& high) {
  const Rgb span = high - low;
  const double length = span.Dot(span);
  return length == 0 ? 0 : std::clamp((colour - low).Dot(span) / length, 0.0, 1.0);
}

// Floyd-Steinberg over a grid walked serpentine: `pick(x, y, carried)` chooses
// and returns the error it leaves, spread to the neighbours still to come.
template <typename Value, typename Pick>
void Diffuse(int width, int height, double share, Value zero, Pick pick) {
  std::vector<Value> carried(static_cast<std::size_t>(width) * height, zero);
  for (int y = 0; y < height; ++y) {
    const bool back = y % 2 == 1;
    for (int i = 0; i < width; ++i) {
      const int x = back ? width - 1 - i : i, ahead = back ? -1 : 1;
      const Value error = pick(x, y, carried[static_cast<std::size_t>(y) * width + x]) * share;
      const auto spread = [&](int dx, int dy, double part) {
        if (x + dx >= 0 && x + dx < width && y + dy < height)
          carried[static_cast<std::size_t>(y + dy) * width + x + dx] =
              carried[static_cast<std::size_t>(y + dy) * width + x + dx] + error * part;
      };
      spread(ahead, 0, 7 / 16.0), spread(-ahead, 1, 3 / 16.0), spread(0, 1, 5 / 16.0), spread(ahead, 1, 1 / 16.0);
    }
  }
}

// The two of the 15 colours nearest in CIELAB, the nearer first.
std::pair<int, int> Nearest(const Rgb& colour) {
  const Lab lab =
      LinearToLab(std::clamp(colour.r, 0.0, 1.0), std::clamp(colour.g, 0.0, 1.0), std::clamp(colour.b, 0.0, 1.0));
  int first = 1, second = 2;
  for (int c = 1; c < 16; ++c) {
    const double d = Distance(lab, PaletteLab()[c]);
    if (d < Distance(lab, PaletteLab()[first]))
      second = first, first = c;
    else if (c != first && d < Distance(lab, PaletteLab()[second]))
      second = c;
  }
  return {first, second};
}

int Differing(const std::array<uint8_t, 8>& a, const std::array<uint8_t, 8>& b) {
  int bits = 0;
  for (int y = 0; y < 8; ++y) bits += static_cast<int>(std::bitset<8>(a[y] ^ b[y]).count());
  return bits;
}
}  // namespace

void PictureToBlocks(const RgbaImage& image, Dither dither, int strength, NameTable& table) {
  std::vector<Rgb> average(kBlockColumns * kBlockRows);
  for (int y = 0; y < kChipHeight; ++y)
    for (int x = 0; x < kChipWidth; ++x) {
      Rgb& sum = average[(y / kBlockSide) * kBlockColumns + x / kBlockSide];
      sum = sum + PixelAt(image, x, y) * (1.0 / (kBlockSide * kBlockSide));
    }
  table.blocks.assign(average.size(), 0);
  const auto choose = [&](int x, int y, const Rgb& carried) {
    const Rgb colour = average[y * kBlockColumns + x] + carried;
    const auto [first, second] = Nearest(colour);
    const bool further = Between(colour, PaletteRgb(first), PaletteRgb(second)) > Threshold(dither, strength, x, y);
    const int chosen = dither == Dither::Ordered && further ? second : first;
    table.blocks[y * kBlockColumns + x] = static_cast<uint8_t>(chosen);
    return colour - PaletteRgb(chosen);
  };
  Diffuse(kBlockColumns, kBlockRows, dither == Dither::Diffusion ? strength / 100.0 : 0.0, Rgb{}, choose);
}

int PictureToText(const RgbaImage& image, Dither dither, int strength, TileSet& set, NameTable& table, int& made) {
  // The pair that shows the picture's colours best, over a histogram of them.
  std::map<uint32_t, int> counts;
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) {
      const uint8_t* p = &image.rgba[(static_cast<std::size_t>(y) * image.width + x) * 4];
      ++counts[p[3] < 128 ? 0 : uint32_t(p[0] >> 3) << 10 | uint32_t(p[1] >> 3) << 5 | (p[2] >> 3)];
    }
  std::vector<std::pair<Lab, int>> seen;
  for (const auto& [key, count] : counts)
    seen.push_back({ToLab(static_cast<uint8_t>((key >> 10) << 3 | 4), static_cast<uint8_t>((key >> 5 & 31) << 3 | 4),
                          static_cast<uint8_t>((key & 31) << 3 | 4)),
                    count});
  int letters = 15, behind = 1;
  double least = std::numeric_limits<double>::max();
  for (int a = 1; a < 16; ++a)
    for (int b = a + 1; b < 16; ++b) {
      double loss = 0;
      for (const auto& [lab, count] : seen)
        loss += std::min(Distance(lab, PaletteLab()[a]), Distance(lab, PaletteLab()[b])) * count;
      if (loss < least) least = loss, letters = a, behind = b;
    }
  // The lighter of the two as the letters, as text usually is.
  if (PaletteLab()[letters].l < PaletteLab()[behind].l) std::swap(letters, behind);

  std::vector<std::array<uint8_t, 8>> cells(kTextColumns * kTableRows, std::array<uint8_t, 8>{});
  const Rgb low = PaletteRgb(behind), high = PaletteRgb(letters);
  const auto choose = [&](int x, int y, double carried) {
    const double t = Between(PixelAt(image, x, y), low, high) + carried;
    const bool set = t > Threshold(dither, strength, x, y);
    if (set) cells[(y / 8) * kTextColumns + x / kTextPixelWidth][y % 8] |= 0x80 >> (x % kTextPixelWidth);
    return t - (set ? 1.0 : 0.0);
  };
  Diffuse(kTextPictureWidth, kChipHeight, dither == Dither::Diffusion ? strength / 100.0 : 0.0, 0.0, choose);

  // The distinct cells, the rarest merged into the nearest while more than 255.
  std::vector<std::array<uint8_t, 8>> patterns;
  std::vector<int> uses, cellPattern;
  std::map<std::array<uint8_t, 8>, int> index;
  for (const auto& cell : cells) {
    const auto [at, added] = index.emplace(cell, static_cast<int>(patterns.size()));
    if (added) patterns.push_back(cell), uses.push_back(0);
    ++uses[at->second];
    cellPattern.push_back(at->second);
  }
  std::vector<int> into(patterns.size());
  for (std::size_t p = 0; p < into.size(); ++p) into[p] = static_cast<int>(p);
  int merged = 0;
  for (int kept = static_cast<int>(patterns.size()); kept > kMostImportedTiles; --kept, ++merged) {
    int rarest = -1;
    for (std::size_t p = 0; p < patterns.size(); ++p)
      if (into[p] == static_cast<int>(p) && (rarest < 0 || uses[p] < uses[rarest])) rarest = static_cast<int>(p);
    int nearest = -1;
    for (std::size_t p = 0; p < patterns.size(); ++p)
      if (into[p] == static_cast<int>(p) && static_cast<int>(p) != rarest &&
          (nearest < 0 || Differing(patterns[p], patterns[rarest]) < Differing(patterns[nearest], patterns[rarest])))
        nearest = static_cast<int>(p);
    for (int& target : into)
      if (target == rarest) target = nearest;
    uses[nearest] += uses[rarest];
  }
  std::vector<int> number(patterns.size(), -1);
  int next = 0;
  for (std::size_t p = 0; p < patterns.size(); ++p)
    if (into[p] == static_cast<int>(p)) {
      number[p] = next++;
      for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) set.pixels[number[p]][y][x] = patterns[p][y] >> (7 - x) & 1;
        set.foreground[number[p]][y] = letters, set.background[number[p]][y] = behind;
      }
    }
  made += next;
  table.mode = ScreenMode::Text;
  table.textColour = letters, table.backdrop = behind;
  table.textCells.clear();
  for (int pattern : cellPattern) table.textCells.push_back(static_cast<uint8_t>(number[into[pattern]]));
  return merged;
}
