// Any clipboard text for the raw-hex parser: one byte for every two hex digits.
#include <cctype>

#include "fuzz_checks.h"
#include "import/clipboard_parsers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string text = TextOf(data, size);
  std::size_t digits = 0;
  for (char c : text) digits += std::isxdigit(static_cast<unsigned char>(c)) != 0;
  FUZZ_CHECK(ParseRawHexImport(text.c_str()).size() == (digits + 1) / 2);
  return 0;
}
