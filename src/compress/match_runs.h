#pragma once
// For each offset, how many bytes up to a position equal the bytes that
// offset back: the pairs of equal bytes an optimal parse works through. One
// position at a time, in a loop the compiler vectorises, then a sparse pass
// over the offsets whose run of matches started or stopped there. `Count`
// holds a run: 16 bits for inputs shorter than 64 KB take twice as many
// offsets a vector step.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "compress/bit_scan.h"

template <typename Count>
struct MatchRuns {
  uint32_t reach = 0;             // offsets 1 .. reach have a byte to compare at the position
  std::vector<Count> run;         // by offset: matching bytes ending at the position
  std::vector<uint32_t> start;    // by offset: where they began

  MatchRuns(const uint8_t* data, uint32_t n, uint32_t farthest)
      : run(farthest + 8, 0),
        start(farthest + 8, 0),
        farthest(farthest),
        reversed(data, data + n),
        changed(farthest + 8, 0),
        classLongest(farthest / 128 + 1, 0) {
    std::reverse(reversed.begin(), reversed.end());
    reversed.resize(n + 8, 0);  // offsets past the start read these, and are put back after
  }

  // Takes the byte at p into every offset's run, and finds each class of 128
  // offsets' longest run. Offsets go eight at a time so that the loop
  // vectorises; those past `reach` are put back to no run after it.
  void Take(uint32_t p) {
    reach = std::min(p, farthest);
    const uint8_t byte = reversed[reversed.size() - 9 - p];
    const uint8_t* __restrict back = &reversed[reversed.size() - 9 - p];  // back[o] is the byte o before p
    Count* __restrict runs = run.data();
    uint8_t* __restrict flags = changed.data();
    const std::size_t blocks = (reach + 7) / 8;
    for (std::size_t block = 0; block < blocks; block += 16) {
      Count lane[8] = {};
      for (std::size_t b = block; b < std::min(blocks, block + 16); ++b) {
        const std::size_t first = 1 + b * 8;
        for (std::size_t i = 0; i < 8; ++i) {
          const Count old = runs[first + i];
          const Count now = static_cast<Count>((old + 1) * static_cast<Count>(back[first + i] == byte));
          runs[first + i] = now;
          flags[first + i] = static_cast<uint8_t>((old == 0) != (now == 0));
          lane[i] = std::max(lane[i], now);
        }
      }
      classLongest[block / 16] = *std::max_element(lane, lane + 8);
    }
    for (uint32_t o = reach + 1; o <= blocks * 8; ++o) runs[o] = 0, flags[o] = 0;
  }

  // visit(offset, started) for each offset whose run started at p (its byte
  // matched, the one before did not) or stopped there (start[] says where it began).
  template <typename Visit>
  void ForEachChange(uint32_t p, Visit visit) {
    for (uint32_t o = 1; o <= reach; o += 8) {
      uint64_t word;  // a flag is 0 or 1: one bit a byte
      std::memcpy(&word, &changed[o], sizeof word);
      for (; word != 0; word &= word - 1) {
        const uint32_t at = o + static_cast<uint32_t>(LowestBit(word)) / 8;
        const bool started = run[at] != 0;
        if (started) start[at] = p;
        visit(at, started);
      }
    }
  }

  // The longest run among offsets 128 * c + 1 .. 128 * c + 128.
  uint32_t Longest(uint32_t c) const { return classLongest[c]; }

 private:
  uint32_t farthest;
  std::vector<uint8_t> reversed, changed;  // changed[o]: o's run started or stopped at the position
  std::vector<Count> classLongest;
};
