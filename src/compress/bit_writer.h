#pragma once
// The bit stream both packed formats interleave with whole bytes: bits go most
// significant first into a "bit byte", which takes its place in the output at
// the moment its first bit is written; the next bit byte is reserved when that
// one is full, wherever the output then ends.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "compress/bit_scan.h"

struct BitWriter {
  std::vector<uint8_t> out;
  std::size_t bitByte = 0;  // index in `out` of the byte taking bits
  int freeBits = 0;         // bits left in it

  void Bit(int bit) {
    if (freeBits == 0) {
      bitByte = out.size();
      out.push_back(0);
      freeBits = 8;
    }
    --freeBits;
    if (bit) out[bitByte] |= static_cast<uint8_t>(1 << freeBits);
  }
  void Byte(uint8_t byte) { out.push_back(byte); }
  // Interlaced Elias gamma of v >= 1: for each bit below the leading 1, from
  // the top, `flag` and then that bit (inverted with `invert`); then !flag.
  void Gamma(uint32_t v, int flag, bool invert = false) {
    int top = 31;
    while (!(v >> top & 1)) --top;
    for (int bit = top - 1; bit >= 0; --bit) {
      Bit(flag);
      Bit(static_cast<int>(v >> bit & 1) ^ (invert ? 1 : 0));
    }
    Bit(!flag);
  }
};

// Bits of the interlaced gamma code of v >= 1.
inline int GammaBits(uint32_t v) { return 2 * HighestBit(v) + 1; }
