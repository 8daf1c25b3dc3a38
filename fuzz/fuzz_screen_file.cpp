// Any byte string as a screen file of any mode: it is refused with the project
// untouched, or it adds one name table in the mode its size says, whose tile
// sets, placements, names and blocks are ones the project file keeps.
#include "fuzz_checks.h"
#include "import/screen_file_import.h"
#include "storage/project_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  Project into = DefaultProject();
  into.tileSets.push_back(DefaultTileSet());  // no longer a new project: nothing is replaced
  const Project before = into;
  const ImportResult result = ImportScreenFile(data, size, "fuzz", into);
  if (!result.ok) {
    FUZZ_CHECK(into == before && !result.message.empty());
    return 0;
  }
  FUZZ_CHECK(into.nameTables.size() == before.nameTables.size() + 1);
  const NameTable& table = into.nameTables.back();
  const std::size_t sets = table.mode == ScreenMode::Graphics2 ? kThirds : table.mode == ScreenMode::Multicolor ? 0 : 1;
  FUZZ_CHECK(into.tileSets.size() == before.tileSets.size() + sets);
  for (const SpritePlacement& placement : table.placements)
    FUZZ_CHECK(placement.spriteIndex >= static_cast<int>(before.sprites.size()) &&
               placement.spriteIndex < static_cast<int>(into.sprites.size()));
  const std::string image = SerializeProject(into);
  Project read;
  FUZZ_CHECK(ParseProject(reinterpret_cast<const uint8_t*>(image.data()), image.size(), read) == FileResult::Ok &&
             read == into);
  return 0;
}
