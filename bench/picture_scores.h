#pragma once
// How close a converted picture looks to its original: the mean colour
// difference a pixel, in CIELAB (dE76) and by CIEDE2000, as it is and after
// blurring both with a Gaussian of one pixel's standard deviation in linear
// light (a viewer's eye blending dither patterns, as S-CIELAB does).
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "chip/chip_render.h"
#include "import/screen_tiles.h"
#include "storage/png_file.h"

struct PictureScores {
  double de76 = 0, de2000 = 0, blurredDe76 = 0, blurredDe2000 = 0;
};

inline double Ciede2000(const Lab& x, const Lab& y) {
  constexpr double kDegrees = 180 / 3.14159265358979323846;
  const double c7 = std::pow((std::hypot(x.a, x.b) + std::hypot(y.a, y.b)) / 2, 7);
  const double g = 0.5 * (1 - std::sqrt(c7 / (c7 + std::pow(25.0, 7))));
  const double a1 = (1 + g) * x.a, a2 = (1 + g) * y.a;
  const double c1 = std::hypot(a1, x.b), c2 = std::hypot(a2, y.b);
  auto hue = [&](double b, double a) {
    const double h = (b == 0 && a == 0) ? 0 : std::atan2(b, a) * kDegrees;
    return h < 0 ? h + 360 : h;
  };
  const double h1 = hue(x.b, a1), h2 = hue(y.b, a2);
  double dh = c1 * c2 == 0 ? 0 : h2 - h1;
  if (dh > 180) dh -= 360;
  if (dh < -180) dh += 360;
  const double dH = 2 * std::sqrt(c1 * c2) * std::sin(dh / 2 / kDegrees);
  const double l = (x.l + y.l) / 2, c = (c1 + c2) / 2;
  double h = h1 + h2;
  if (c1 * c2 != 0) h = std::fabs(h1 - h2) <= 180 ? h / 2 : (h < 360 ? h + 360 : h - 360) / 2;
  const double t = 1 - 0.17 * std::cos((h - 30) / kDegrees) + 0.24 * std::cos(2 * h / kDegrees) +
                   0.32 * std::cos((3 * h + 6) / kDegrees) - 0.20 * std::cos((4 * h - 63) / kDegrees);
  const double rc = 2 * std::sqrt(std::pow(c, 7) / (std::pow(c, 7) + std::pow(25.0, 7)));
  const double rt = -std::sin(2 * 30 * std::exp(-std::pow((h - 275) / 25, 2)) / kDegrees) * rc;
  const double sl = 1 + 0.015 * std::pow(l - 50, 2) / std::sqrt(20 + std::pow(l - 50, 2));
  const double sc = 1 + 0.045 * c, sh = 1 + 0.015 * c * t;
  const double dl = (y.l - x.l) / sl, dc = (c2 - c1) / sc, dhs = dH / sh;
  return std::sqrt(dl * dl + dc * dc + dhs * dhs + rt * dc * dhs);
}

using LinearPicture = std::vector<std::array<double, 3>>;

inline void Blur(LinearPicture& picture, int width, int height) {
  double kernel[7], sum = 0;
  for (int i = -3; i <= 3; ++i) sum += kernel[i + 3] = std::exp(-i * i / 2.0);
  for (double& k : kernel) k /= sum;
  for (int pass = 0; pass < 2; ++pass) {  // along the lines, then down the columns
    LinearPicture blurred(picture.size(), {0, 0, 0});
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        for (int i = -3; i <= 3; ++i) {
          const int sx = pass ? x : std::clamp(x + i, 0, width - 1), sy = pass ? std::clamp(y + i, 0, height - 1) : y;
          for (int c = 0; c < 3; ++c) blurred[y * width + x][c] += kernel[i + 3] * picture[sy * width + sx][c];
        }
    picture = std::move(blurred);
  }
}

inline PictureScores ScorePicture(const RgbaImage& original, const IndexedImage& result) {
  const int width = original.width, height = original.height, count = width * height;
  LinearPicture a(count), b(count);
  for (int i = 0; i < count; ++i) {
    const uint32_t shown = Palette[result.pixels[i]];
    a[i] = {Linear(original.rgba[4 * i]), Linear(original.rgba[4 * i + 1]), Linear(original.rgba[4 * i + 2])};
    b[i] = {Linear(shown & 0xFF), Linear(shown >> 8 & 0xFF), Linear(shown >> 16 & 0xFF)};
  }
  PictureScores scores;
  for (int blurred = 0; blurred < 2; ++blurred) {
    if (blurred) Blur(a, width, height), Blur(b, width, height);
    double de76 = 0, de2000 = 0;
    for (int i = 0; i < count; ++i) {
      const Lab x = LinearToLab(a[i][0], a[i][1], a[i][2]), y = LinearToLab(b[i][0], b[i][1], b[i][2]);
      de76 += Distance(x, y) / count, de2000 += Ciede2000(x, y) / count;
    }
    (blurred ? scores.blurredDe76 : scores.de76) = de76;
    (blurred ? scores.blurredDe2000 : scores.de2000) = de2000;
  }
  return scores;
}
