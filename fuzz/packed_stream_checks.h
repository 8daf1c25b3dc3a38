#pragma once
// What both packed formats' fuzz targets hold the decoder and the packer to:
// any byte string is refused or decoded within its bound (the sanitizers see
// every read and write), and the packer's stream for what it decoded to is
// never longer than the one it was decoded from, since the parse is optimal.

#include <string>
#include <vector>

#include "fuzz_checks.h"

using PackFunction = std::vector<uint8_t> (*)(const uint8_t*, std::size_t);
using UnpackFunction = bool (*)(const uint8_t*, std::size_t, std::size_t, std::vector<uint8_t>&, std::string&);

inline void CheckPackedStream(const uint8_t* data, std::size_t size, PackFunction pack, UnpackFunction unpack) {
  constexpr std::size_t kBound = 1 << 16;
  std::vector<uint8_t> out, again;
  std::string error;
  if (!unpack(data, size, kBound, out, error)) {
    FUZZ_CHECK(!error.empty());
    return;
  }
  FUZZ_CHECK(!out.empty() && out.size() <= kBound);
  if (out.size() > 1024) return;  // packing larger outputs is the benchmarks' business
  const std::vector<uint8_t> packed = pack(out.data(), out.size());
  FUZZ_CHECK(packed.size() <= size);
  FUZZ_CHECK(unpack(packed.data(), packed.size(), out.size(), again, error) && again == out);
}
