// Any bytes as a picture to import, in a mode and budget the input's length
// picks: refused with the project unchanged, or imported as whole tile sets
// (pixels 0 or 1, colours 0-15) and at most one name table whose cells name
// tiles within the budget, in place of a new project's defaults. libFuzzer's
// memory limit holds the decoder to the size cap for pictures that declare
// huge sizes.
#include "fuzz_checks.h"
#include "import/png_import.h"
#include "storage/project_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  Project into = DefaultProject();
  const std::string before = SerializeProject(into);
  ImportOptions options;
  options.dither = static_cast<Dither>(size % 3);
  options.strength = static_cast<int>(size % 101);
  options.oneSet = size / 3 % 2;
  options.maxTiles = 1 + static_cast<int>(size / 6 % 255);
  const ImportResult result = ImportPngImage(data, size, "fuzz", into, options);
  if (!result.ok) {
    FUZZ_CHECK(SerializeProject(into) == before);
    FUZZ_CHECK(!result.message.empty());
    return 0;
  }
  // Into a new project the picture's records replace the default ones.
  FUZZ_CHECK(into.tileSets.size() == 1 || (into.tileSets.size() == 3 && !options.oneSet));
  for (const TileSet& set : into.tileSets) {
    FUZZ_CHECK(TileSetSound(set));
    for (int tile = 0; tile < kTilesPerSet; ++tile)
      for (int row = 0; row < 8; ++row)
        FUZZ_CHECK(set.foreground[tile][row] >= 0 && set.foreground[tile][row] <= 15 &&
                   set.background[tile][row] >= 0 && set.background[tile][row] <= 15);
  }
  if (result.nameTable >= 0) {
    FUZZ_CHECK(into.nameTables.size() == 1 && result.nameTable == 0);
    for (uint8_t cell : into.nameTables[0].cells) FUZZ_CHECK(cell < options.maxTiles);
  }
  return 0;
}
