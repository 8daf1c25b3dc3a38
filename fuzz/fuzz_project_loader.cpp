// Any byte string as a project file: a load either succeeds with records that
// save back to a stable image, or fails with the open project untouched. An
// image without the settings block saves with one, so it may grow.
#include "fuzz_checks.h"
#include "storage/project_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  ResetProject();
  sprites()[0].colour = 7;  // the user's unsaved work
  const std::string before = SerializeProject(project);

  const FileResult result = LoadProjectImage(data, size);
  const std::string after = SerializeProject(project);
  if (result != FileResult::Ok) {
    FUZZ_CHECK(after == before);
    return 0;
  }
  for (const Sprite& sprite : sprites()) {
    FUZZ_CHECK(NameEnds(sprite.name));
    FUZZ_CHECK(sprite.colour >= 0 && sprite.colour <= 255);
  }
  for (const NameTable& table : nameTables) FUZZ_CHECK(NameEnds(table.name));
  for (const TileSet& set : tileSets) FUZZ_CHECK(NameEnds(set.name));
  for (const Map& map : project.maps) {
    FUZZ_CHECK(NameEnds(map.name));
    FUZZ_CHECK(map.cells.size() == static_cast<std::size_t>(map.width) * map.height);
    for (const uint8_t cell : map.cells) FUZZ_CHECK(cell < map.metatiles.size());
  }

  // What was loaded saves to an image that loads back to itself.
  Project again;
  FUZZ_CHECK(ParseProject(reinterpret_cast<const uint8_t*>(after.data()), after.size(), again) == FileResult::Ok);
  FUZZ_CHECK(SerializeProject(again) == after);
  return 0;
}
