// Any byte string as a SCREEN 2 file: it is refused with the project
// untouched, or it adds one name table whose thirds draw from three new tile
// sets and whose placements name the sprites it added.
#include "fuzz_checks.h"
#include "import/screen2_import.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  Project into = DefaultProject();
  into.tileSets.push_back(DefaultTileSet());  // no longer a new project: nothing is replaced
  const Project before = into;
  const ImportResult result = ImportScreen2File(data, size, "fuzz", into);
  if (!result.ok) {
    FUZZ_CHECK(into == before && !result.message.empty());
    return 0;
  }
  FUZZ_CHECK(into.nameTables.size() == before.nameTables.size() + 1);
  FUZZ_CHECK(into.tileSets.size() == before.tileSets.size() + kThirds);
  const NameTable& table = into.nameTables.back();
  for (int third = 0; third < kThirds; ++third)
    FUZZ_CHECK(table.thirdTileSets[third] == static_cast<int>(before.tileSets.size()) + third);
  for (const SpritePlacement& placement : table.placements)
    FUZZ_CHECK(placement.spriteIndex >= static_cast<int>(before.sprites.size()) &&
               placement.spriteIndex < static_cast<int>(into.sprites.size()));
  return 0;
}
