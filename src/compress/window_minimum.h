#pragma once
// Where a cost array is least over a window of positions, in O(1) a query,
// with entries filled in as costs become known: the encoders' optimal parses
// ask for the cheapest position among all those a class of copy lengths
// reaches instead of trying every length.

#include <cstdint>
#include <vector>

#include "compress/bit_scan.h"

struct WindowMinimum {
  const std::vector<int64_t>& cost;
  std::vector<std::vector<uint32_t>> least;  // [j][s]: where cost[] is least in s .. s + 2^j - 1

  explicit WindowMinimum(const std::vector<int64_t>& costs) : cost(costs) {
    for (std::size_t span = 1; span <= costs.size(); span <<= 1) least.emplace_back(costs.size(), 0);
  }
  // cost[e] is known, and so are all before it.
  void KnownUpTo(uint32_t e) {
    least[0][e] = e;
    for (std::size_t j = 1; j < least.size() && (1u << j) <= e + 1; ++j) {
      const uint32_t s = e + 1 - (1u << j);
      least[j][s] = Lesser(least[j - 1][s], least[j - 1][s + (1u << (j - 1))]);
    }
  }
  // cost[s] is known, and so are all after it.
  void KnownFrom(uint32_t s) {
    least[0][s] = s;
    for (std::size_t j = 1; j < least.size() && s + (1u << j) <= cost.size(); ++j)
      least[j][s] = Lesser(least[j - 1][s], least[j - 1][s + (1u << (j - 1))]);
  }
  // lo <= hi, all of them known.
  uint32_t Least(uint32_t lo, uint32_t hi) const {
    const int j = HighestBit(hi - lo + 1);
    return Lesser(least[j][lo], least[j][hi + 1 - (1u << j)]);
  }

 private:
  uint32_t Lesser(uint32_t a, uint32_t b) const { return cost[b] < cost[a] ? b : a; }
};
