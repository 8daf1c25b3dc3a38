// Any byte string as a ZX0 stream.
#include "compress/zx0.h"
#include "packed_stream_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  CheckPackedStream(data, size, PackZx0, UnpackZx0);
  return 0;
}
