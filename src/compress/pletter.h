#pragma once
// Pletter 0.5, as CVBasic's DEFINE ... PLETTER and MSXgl read it (without the
// optional two-byte length header).
//
// Bits come from the bit stream of bit_writer.h. The stream starts with three
// bits giving mode - 1 (the mode, 1 to 6, sets how far offsets reach), then
// the first input byte as it is. Then tokens, each starting with one bit:
//  - 0: one literal byte follows.
//  - 1: a copy. length - 1 (length >= 2) as, for each bit of it below its
//    leading 1 from the top, a 1 and that bit; then a 0. Then an offset byte:
//    with j = offset - 1, a j below 128 is the byte j; otherwise the byte is
//    128 | (j & 127) and, with k = j - 128, modes 2 to 6 add `mode` bits, bits
//    mode + 6 down to 7 of k, the highest first (mode 1 adds none, so j < 256;
//    mode 2 reaches j < 640, mode 6 j < 8320).
// 34 one-bits after the last token end the stream; the unused bits of the
// last bit byte are 0.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The smallest stream the format allows (an optimal parse in each mode, the
// best mode kept); empty input gives an empty stream.
std::vector<uint8_t> PackPletter(const uint8_t* data, std::size_t size);
// Decodes a whole stream into `out`; false (with `error` saying why) for a
// damaged stream or one that would give more than `maxSize` bytes. No read or
// write goes outside the stream or the output.
bool UnpackPletter(const uint8_t* stream, std::size_t size, std::size_t maxSize, std::vector<uint8_t>& out,
                   std::string& error);
