#include "storage/zlib_data.h"

#include <zlib.h>

bool InflateExactly(const uint8_t* packed, std::size_t packedSize, std::size_t size, std::vector<uint8_t>& out) {
  out.assign(size + 1, 0);  // one byte over, to see a stream that holds more
  z_stream stream{};
  if (inflateInit2(&stream, 15 + 32) != Z_OK) return false;
  stream.next_in = const_cast<Bytef*>(packed), stream.avail_in = static_cast<uInt>(packedSize);
  stream.next_out = out.data(), stream.avail_out = static_cast<uInt>(out.size());
  const int status = inflate(&stream, Z_FINISH);
  const std::size_t made = stream.total_out;
  inflateEnd(&stream);
  out.resize(size);
  return status == Z_STREAM_END && made == size;
}

std::vector<uint8_t> Deflated(const uint8_t* bytes, std::size_t size) {
  uLongf length = compressBound(static_cast<uLong>(size));
  std::vector<uint8_t> packed(length);
  compress2(packed.data(), &length, bytes, static_cast<uLong>(size), Z_BEST_COMPRESSION);
  packed.resize(length);
  return packed;
}
