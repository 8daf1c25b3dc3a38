// The Pletter encoder: for each mode an exact shortest parse by dynamic
// programming (a literal costs 9 bits; a copy 1 + code(length - 1) + 8 bits,
// and `mode` more when its offset is past 128, so for each length only whether
// a near or a far offset reaches it matters), then the cheapest mode written.
#include <algorithm>
#include <climits>
#include <iterator>

#include "compress/bit_writer.h"
#include "compress/pletter.h"
#include "compress/window_minimum.h"

namespace {
constexpr int kModes = 6;
constexpr int kEndBits = 34;
// The farthest offset of each mode: j = offset - 1 below 256 in mode 1, below 128 + 128 << mode after.
constexpr uint32_t kReach[kModes + 1] = {128, 256, 640, 1152, 2176, 4224, 8320};  // [0]: the near offsets

struct Step {
  uint32_t to = 0;      // the position after the token
  uint32_t offset = 0;  // 0: a literal
};

// For each position, the longest copy and an offset giving it, within each reach.
struct Reaches {
  std::vector<uint32_t> length, offset;  // [position * 7 + class]
};

Reaches LongestCopies(const uint8_t* data, uint32_t n) {
  Reaches reaches{std::vector<uint32_t>(std::size_t(n) * 7, 0), std::vector<uint32_t>(std::size_t(n) * 7, 0)};
  const std::vector<uint8_t> reversed(std::make_reverse_iterator(data + n), std::make_reverse_iterator(data));
  // The copy length at the position after, by offset: offsets past a position are never read below it.
  std::vector<uint32_t> run(kReach[kModes] + 1, 0);
  uint32_t* __restrict runs = run.data();
  for (uint32_t i = n; i-- > 1;) {
    const uint32_t farthest = std::min(i, kReach[kModes]);
    const uint8_t byte = data[i];
    const uint8_t* __restrict back = &reversed[n - 1 - i];  // back[o] is the byte o before i
    uint32_t* length = &reaches.length[std::size_t(i) * 7];
    uint32_t* offset = &reaches.offset[std::size_t(i) * 7];
    for (std::size_t cls = 0, first = 1; cls < 7 && first <= farthest; first = kReach[cls++] + 1) {
      const std::size_t last = std::min(farthest, kReach[cls]);
      uint32_t longest = 0;
      for (std::size_t o = first; o <= last; ++o) {  // vectorises
        runs[o] = (runs[o] + 1) * static_cast<uint32_t>(back[o] == byte);
        longest = std::max(longest, runs[o]);
      }
      std::size_t o = first;
      while (runs[o] != longest) ++o;
      length[cls] = longest, offset[cls] = static_cast<uint32_t>(o);
    }
  }
  return reaches;
}

int FarBits(int mode) { return mode == 1 ? 0 : mode; }

// The fewest bits in `mode`, and each position's token in that parse. The
// code of length - 1 is constant over lengths 2^k + 1 .. 2^(k+1), so each
// class of lengths needs only the cheapest position it can reach.
int64_t Parse(const Reaches& reaches, uint32_t n, int mode, std::vector<Step>& steps) {
  std::vector<int64_t> rest(n + 1, INT64_MAX / 4);  // the fewest bits from each position to the end
  WindowMinimum window(rest);
  steps.assign(n + 1, Step{});
  rest[n] = kEndBits;
  window.KnownFrom(n);
  for (uint32_t i = n; i-- > 1;) {
    rest[i] = 9 + rest[i + 1], steps[i] = Step{i + 1, 0};
    const uint32_t* length = &reaches.length[std::size_t(i) * 7];
    const uint32_t* offset = &reaches.offset[std::size_t(i) * 7];
    uint32_t farLength = 0, farOffset = 0;
    for (int cls = 1; cls <= mode; ++cls)
      if (length[cls] > farLength) farLength = length[cls], farOffset = offset[cls];
    auto copies = [&](uint32_t shortest, uint32_t longest, uint32_t copyOffset, int extra) {
      for (int k = 0; (1u << k) + 1 <= longest; ++k) {
        const uint32_t lo = std::max(shortest, (1u << k) + 1), hi = std::min(longest, 2u << k);
        if (lo > hi) continue;
        const uint32_t to = window.Least(i + lo, i + hi);
        const int64_t total = rest[to] + 1 + 2 * k + 1 + 8 + extra;
        if (total < rest[i]) rest[i] = total, steps[i] = Step{to, copyOffset};
      }
    };
    copies(2, length[0], offset[0], 0);
    if (farLength > length[0]) copies(std::max<uint32_t>(2, length[0] + 1), farLength, farOffset, FarBits(mode));
    window.KnownFrom(i);
  }
  return 3 + 8 + rest[1];
}
}  // namespace

std::vector<uint8_t> PackPletter(const uint8_t* data, std::size_t size) {
  if (size == 0) return {};
  const uint32_t n = static_cast<uint32_t>(size);
  const Reaches reaches = LongestCopies(data, n);
  int bestMode = 1;
  int64_t bestBits = INT64_MAX;
  std::vector<Step> steps, bestSteps;
  for (int mode = 1; mode <= kModes; ++mode) {
    const int64_t bits = Parse(reaches, n, mode, steps);
    if (bits < bestBits) bestBits = bits, bestMode = mode, bestSteps = steps;
  }

  BitWriter out;
  for (int bit = 2; bit >= 0; --bit) out.Bit((bestMode - 1) >> bit & 1);
  out.Byte(data[0]);
  for (uint32_t at = 1; at < n; at = bestSteps[at].to) {
    const Step& token = bestSteps[at];
    if (token.offset == 0) {
      out.Bit(0);
      out.Byte(data[at]);
      continue;
    }
    out.Bit(1);
    out.Gamma(token.to - at - 1, 1);
    const uint32_t j = token.offset - 1;
    if (j < 128) {
      out.Byte(static_cast<uint8_t>(j));
    } else {
      out.Byte(static_cast<uint8_t>(128 | (j & 127)));
      for (int bit = bestMode + 6; bit >= 7 && bestMode > 1; --bit) out.Bit((j - 128) >> bit & 1);
    }
  }
  for (int i = 0; i < kEndBits; ++i) out.Bit(1);
  return out.out;
}
