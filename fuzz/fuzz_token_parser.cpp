// Any clipboard text for the token parser: no read past the text, and no more
// bytes or blocks than the text can hold.
#include "fuzz_checks.h"
#include "import/clipboard_parsers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const std::string text = TextOf(data, size);
  const std::vector<ImportBlock> blocks = ParseTokenImport(text.c_str());
  std::size_t bytes = 0;
  for (std::size_t i = 0; i < blocks.size(); ++i) {
    bytes += blocks[i].bytes.size();
    FUZZ_CHECK(blocks[i].name.find('\n') == std::string::npos);
    FUZZ_CHECK(!blocks[i].name.empty());
  }
  // A byte takes at least one digit and a block at least a colon or "db".
  FUZZ_CHECK(bytes <= text.size());
  FUZZ_CHECK(blocks.size() <= text.size());
  return 0;
}
