#pragma once
// ZX0 (version 2), the packed format of z88dk, MSXgl and others.
//
// A series of blocks, the first a literal block with no flag bit before it.
// Bits come from the bit stream of bit_writer.h; gamma(v) is the interlaced
// Elias gamma code: for each bit of v below its leading 1, from the top, a 0
// and that bit; then a 1.
//  - Literal block: gamma(length), then that many bytes. One bit follows:
//    0 = a copy from the last offset, 1 = a new-offset block.
//  - Copy from the last offset: gamma(length), bytes copied from
//    output - lastOffset. One bit follows: 0 = a literal block, 1 = a new offset.
//  - New-offset block: with m = ((offset - 1) >> 7) + 1, gamma(m) with its
//    data bits inverted; then one byte holding 127 - ((offset - 1) & 127) in
//    its upper seven bits, its lowest bit the first bit of gamma(length - 1),
//    whose other bits follow in the stream; length bytes are copied from
//    output - offset, which becomes the last offset (it starts at 1). One bit
//    follows: 1 = another new-offset block, 0 = a literal block.
//  - An m of 256 ends the stream. Offsets reach 32640.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr int kZx0MaxOffset = 32640;

// The smallest stream the format allows for the bytes (an optimal parse);
// empty input gives an empty stream.
std::vector<uint8_t> PackZx0(const uint8_t* data, std::size_t size);
// Decodes a whole stream into `out`; false (with `error` saying why) for a
// damaged stream or one that would give more than `maxSize` bytes. No read or
// write goes outside the stream or the output.
bool UnpackZx0(const uint8_t* stream, std::size_t size, std::size_t maxSize, std::vector<uint8_t>& out,
               std::string& error);
