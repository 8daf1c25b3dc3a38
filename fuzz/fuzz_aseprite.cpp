// Any bytes as an Aseprite file: refused with the project unchanged and the
// reason given, or metasprites within the chip's limits whose strips name
// only them.
#include "fuzz_checks.h"
#include "import/aseprite_import.h"
#include "storage/project_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  Project into = DefaultProject();
  const std::string before = SerializeProject(into);
  const ImportResult result = ImportAseprite(data, size, "fuzz", into);
  if (!result.ok) {
    FUZZ_CHECK(SerializeProject(into) == before && !result.message.empty());
    return 0;
  }
  FUZZ_CHECK(!into.metasprites.empty() && into.sprites.size() <= kMaxSprites);
  for (const Metasprite& metasprite : into.metasprites) {
    FUZZ_CHECK(metasprite.width <= kMaxMetaspriteSide && metasprite.height <= kMaxMetaspriteSide);
    for (const MetaspritePart& part : metasprite.parts)
      FUZZ_CHECK(part.sprite >= 0 && part.sprite < static_cast<int32_t>(into.sprites.size()));
  }
  for (const auto& strip : into.strips.cells)
    for (int32_t cell : strip) FUZZ_CHECK(cell < static_cast<int32_t>(into.metasprites.size()));
  return 0;
}
