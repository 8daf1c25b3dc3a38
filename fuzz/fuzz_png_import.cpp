// Any bytes as a picture to import: refused with the project unchanged, or
// imported as whole tile sets (pixels 0 or 1, colours 0-15) and at most one
// name table whose cells name real tiles, in place of a new project's defaults. libFuzzer's memory limit holds the
// decoder to the size cap for pictures that declare huge sizes.
#include "fuzz_checks.h"
#include "import/png_import.h"
#include "storage/project_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  Project into = DefaultProject();
  const std::string before = SerializeProject(into);
  const ImportResult result = ImportPngImage(data, size, "fuzz", into);
  if (!result.ok) {
    FUZZ_CHECK(SerializeProject(into) == before);
    FUZZ_CHECK(!result.message.empty());
    return 0;
  }
  // Into a new project the picture's records replace the default ones.
  FUZZ_CHECK(into.tileSets.size() == 1 || into.tileSets.size() == 3);
  for (const TileSet& set : into.tileSets) {
    FUZZ_CHECK(TileSetSound(set));
    for (int tile = 0; tile < kTilesPerSet; ++tile)
      for (int row = 0; row < 8; ++row)
        FUZZ_CHECK(set.foreground[tile][row] >= 0 && set.foreground[tile][row] <= 15 &&
                   set.background[tile][row] >= 0 && set.background[tile][row] <= 15);
  }
  if (into.tileSets.size() == 3) {
    FUZZ_CHECK(into.nameTables.size() == 1 && result.nameTable == 0);
    for (uint8_t cell : into.nameTables[0].cells) FUZZ_CHECK(cell != EmptyCell);
  }
  return 0;
}
