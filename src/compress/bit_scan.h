#pragma once
// The place of a word's highest or lowest set bit, in one instruction where
// the processor has one: the packers' cost sums and scans ask millions of times.

#include <cstdint>
#if defined(_MSC_VER)
#include <intrin.h>
#endif

// v != 0
inline int HighestBit(uint32_t v) {
#if defined(_MSC_VER)
  unsigned long index;
  _BitScanReverse(&index, v);
  return static_cast<int>(index);
#else
  return 31 - __builtin_clz(v);
#endif
}

// v != 0
inline int LowestBit(uint64_t v) {
#if defined(_MSC_VER)
  unsigned long index;
  _BitScanForward64(&index, v);
  return static_cast<int>(index);
#else
  return __builtin_ctzll(v);
#endif
}
