// The ZX0 decoder, written from the format's description in zx0.h.
#include "compress/bit_reader.h"
#include "compress/zx0.h"

namespace {
constexpr uint32_t kLongestGamma = 1u << 24;  // far beyond any length the editor writes

// Interlaced gamma: 0 and a data bit while the flag is 0, then a 1. `first` is
// the code's first bit when it comes from elsewhere (-1: from the stream).
bool ReadGamma(BitReader& in, bool invert, int first, uint32_t& value) {
  value = 1;
  for (int flag = first >= 0 ? first : in.Bit(); !flag; flag = in.Bit()) {
    value = value << 1 | static_cast<uint32_t>(in.Bit() ^ (invert ? 1 : 0));
    if (value >= kLongestGamma || in.failed) return false;
  }
  return !in.failed;
}

bool Copy(std::vector<uint8_t>& out, uint32_t offset, uint32_t length, std::size_t maxSize) {
  if (offset == 0 || offset > out.size() || out.size() + length > maxSize) return false;
  for (uint32_t i = 0; i < length; ++i) out.push_back(out[out.size() - offset]);
  return true;
}
}  // namespace

bool UnpackZx0(const uint8_t* stream, std::size_t size, std::size_t maxSize, std::vector<uint8_t>& out,
               std::string& error) {
  out.clear();
  BitReader in{stream, size};
  uint32_t lastOffset = 1, length = 0, m = 0;
  auto fail = [&error](const char* why) {
    error = why;
    return false;
  };
  enum { kLiteralBlock, kRepeatBlock, kNewOffsetBlock } next = kLiteralBlock;
  for (;;) {
    switch (next) {
      case kLiteralBlock:
        if (!ReadGamma(in, false, -1, length)) return fail("the stream ends inside a literal length");
        if (out.size() + length > maxSize) return fail("the stream gives more bytes than expected");
        for (uint32_t i = 0; i < length; ++i) out.push_back(static_cast<uint8_t>(in.Byte()));
        if (in.failed) return fail("the stream ends inside literal bytes");
        next = in.Bit() ? kNewOffsetBlock : kRepeatBlock;
        break;
      case kRepeatBlock:
        if (!ReadGamma(in, false, -1, length)) return fail("the stream ends inside a copy length");
        if (!Copy(out, lastOffset, length, maxSize)) return fail("a copy reaches outside the output");
        next = in.Bit() ? kNewOffsetBlock : kLiteralBlock;
        break;
      case kNewOffsetBlock: {
        if (!ReadGamma(in, true, -1, m) || m > 256) return fail("a damaged offset");
        if (m == 256) {
          if (in.failed) return fail("the stream is cut short");
          if (in.at != size) return fail("bytes follow the end of the stream");
          return true;
        }
        const int low = in.Byte();
        if (in.failed) return fail("the stream ends inside an offset");
        lastOffset = m * 128 - static_cast<uint32_t>(low >> 1);
        if (!ReadGamma(in, false, low & 1, length)) return fail("the stream ends inside a copy length");
        if (!Copy(out, lastOffset, length + 1, maxSize)) return fail("a copy reaches outside the output");
        next = in.Bit() ? kNewOffsetBlock : kLiteralBlock;
        break;
      }
    }
    if (in.failed) return fail("the stream is cut short");
  }
}
