// Any bytes as a Tiled map, whose external tileset and pictures are always a
// small tileset of 16-pixel tiles: refused with the project unchanged, or a
// map of metatiles whose cells each name one of its at most 256 metatiles,
// drawn from a new tile set.
#include "chip/chip_render.h"
#include "fuzz_checks.h"
#include "import/tiled_map_import.h"
#include "storage/png_file.h"
#include "storage/project_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static const std::string picture = [] {
    IndexedImage tiles{64, 32, std::vector<uint8_t>(64 * 32)};
    for (std::size_t i = 0; i < tiles.pixels.size(); ++i) tiles.pixels[i] = static_cast<uint8_t>(i * 7 / 5 % 16);
    return EncodePng(tiles, 1);
  }();
  const TiledFileReader read = [](const std::string& path, std::string& bytes, std::string&) {
    const bool tileset = path.size() > 4 && path.compare(path.size() - 4, 4, ".tsx") == 0;
    bytes = tileset ? "<tileset name=\"t\" tilewidth=\"16\" tileheight=\"16\" spacing=\"0\" tilecount=\"8\" "
                      "columns=\"4\"><image source=\"t.png\"/><tile id=\"1\"><properties><property name=\"solid\" "
                      "type=\"bool\" value=\"true\"/></properties></tile></tileset>"
                    : picture;
    return true;
  };
  Project into = DefaultProject();
  const std::string before = SerializeProject(into);
  const ImportResult result =
      ImportTiledMap(std::string(reinterpret_cast<const char*>(data), size), "fuzz", into, read);
  if (!result.ok) {
    FUZZ_CHECK(SerializeProject(into) == before && !result.message.empty());
    return 0;
  }
  FUZZ_CHECK(into.maps.size() == 1 && into.tileSets.size() == 2 && into.maps[0].tileSet == 1);
  const Map& map = into.maps[0];
  FUZZ_CHECK(!map.metatiles.empty() && map.metatiles.size() <= 256);
  FUZZ_CHECK(map.cells.size() == static_cast<std::size_t>(map.width) * map.height);
  for (uint8_t cell : map.cells) FUZZ_CHECK(cell < map.metatiles.size());
  return 0;
}
