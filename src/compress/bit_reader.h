#pragma once
// Reading the bit stream of bit_writer.h back, with every read checked against
// the end of the stream.

#include <cstddef>
#include <cstdint>

struct BitReader {
  const uint8_t* data;
  std::size_t size;
  std::size_t at = 0;   // the next whole byte
  uint8_t bitByte = 0;  // the byte bits come from
  int bitsLeft = 0;
  bool failed = false;  // a read went past the end

  int Byte() {
    if (at >= size) {
      failed = true;
      return 0;
    }
    return data[at++];
  }
  int Bit() {
    if (bitsLeft == 0) {
      bitByte = static_cast<uint8_t>(Byte());
      bitsLeft = 8;
    }
    --bitsLeft;
    return bitByte >> bitsLeft & 1;
  }
};
