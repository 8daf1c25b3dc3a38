// The Pletter decoder, written from the format's description in pletter.h.
#include "compress/bit_reader.h"
#include "compress/pletter.h"

namespace {
constexpr uint32_t kEndCode = 0x1FFFF;  // 16 pairs of one-bits after the token's 1: the end
}  // namespace

bool UnpackPletter(const uint8_t* stream, std::size_t size, std::size_t maxSize, std::vector<uint8_t>& out,
                   std::string& error) {
  out.clear();
  BitReader in{stream, size};
  auto fail = [&error](const char* why) {
    error = why;
    return false;
  };
  const int mode = (in.Bit() << 2 | in.Bit() << 1 | in.Bit()) + 1;
  if (mode > 6) return fail("an unknown mode");
  const int first = in.Byte();
  if (in.failed) return fail("the stream is cut short");
  if (maxSize == 0) return fail("the stream gives more bytes than expected");
  out.push_back(static_cast<uint8_t>(first));
  for (;;) {
    if (!in.Bit()) {
      const int byte = in.Byte();
      if (in.failed) return fail("the stream ends inside a literal");
      if (out.size() >= maxSize) return fail("the stream gives more bytes than expected");
      out.push_back(static_cast<uint8_t>(byte));
      continue;
    }
    uint32_t value = 1;
    while (value < 0x10000 && in.Bit()) value = value << 1 | static_cast<uint32_t>(in.Bit());
    if (in.failed) return fail("the stream ends inside a copy length");
    if (value >= 0x10000) {
      if (value != kEndCode || !in.Bit() || in.failed) return fail("a damaged end");
      if (in.at != size) return fail("bytes follow the end of the stream");
      return true;
    }
    const int low = in.Byte();
    uint32_t j = static_cast<uint32_t>(low);
    if (low & 128) {
      uint32_t high = 0;
      for (int bit = 0; mode > 1 && bit < mode; ++bit) high = high << 1 | static_cast<uint32_t>(in.Bit());
      j = (high << 7 | (low & 127)) + 128;
    }
    if (in.failed) return fail("the stream ends inside an offset");
    const uint32_t offset = j + 1, length = value + 1;
    if (offset > out.size() || out.size() + length > maxSize) return fail("a copy reaches outside the output");
    for (uint32_t i = 0; i < length; ++i) out.push_back(out[out.size() - offset]);
  }
}
