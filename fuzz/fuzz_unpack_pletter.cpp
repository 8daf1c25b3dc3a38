// Any byte string as a Pletter stream.
#include "compress/pletter.h"
#include "packed_stream_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  CheckPackedStream(data, size, PackPletter, UnpackPletter);
  return 0;
}
