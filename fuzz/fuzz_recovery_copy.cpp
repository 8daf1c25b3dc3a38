// Any byte string as a recovery copy left in config/recovery: it is refused, or
// read into a copy whose canvas colours index the palette and which writes
// back to the same bytes.
#include "fuzz_checks.h"
#include "storage/recovery_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  RecoveryCopy copy;
  if (ParseRecoveryCopy(data, size, copy) != FileResult::Ok) return 0;
  for (const auto* colours : {&copy.canvas.foreground, &copy.canvas.background})
    for (const auto& row : *colours)
      for (int32_t colour : row) FUZZ_CHECK(colour >= 0 && colour <= 15);
  const std::string again = SerializeRecoveryCopy(copy.savedAt, copy.projectPath, copy.canvas, copy.project);
  RecoveryCopy reread;
  FUZZ_CHECK(ParseRecoveryCopy(reinterpret_cast<const uint8_t*>(again.data()), again.size(), reread) == FileResult::Ok);
  FUZZ_CHECK(SerializeRecoveryCopy(reread.savedAt, reread.projectPath, reread.canvas, reread.project) == again);
  return 0;
}
