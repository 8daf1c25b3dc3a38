// Tiled maps in: what Tiled's files hold becomes the map Tiled shows, and
// what cannot be read is refused with the reason, the project unchanged.
#include "import/tiled_map_import.h"

#include <gtest/gtest.h>

#include <map>

#include "chip/chip_render.h"
#include "export/tiled_map.h"
#include "storage/png_file.h"
#include "storage/project_file.h"
#include "support/project_fixtures.h"

namespace {
using Files = std::map<std::string, std::string>;

TiledFileReader Serving(const Files& files) {
  return [files](const std::string& path, std::string& bytes, std::string& error) {
    const auto found = files.find(path);
    if (found == files.end()) return error = "no such file", false;
    return bytes = found->second, true;
  };
}

}  // namespace

TEST(TiledMapImport, AnExportedMapComesBackWithItsCellsPictureSolidsAndStart) {
  Project data = DefaultProject();
  for (int tile = 0; tile < 20; ++tile) FillTile(data.tileSets[0], tile, tile * 5 + 1);
  Map map = DefaultMap();
  map.width = 6, map.height = 4, map.cells.resize(24), map.metatiles.resize(5);
  for (int m = 1; m < 5; ++m)
    for (int t = 0; t < 4; ++t) map.metatiles[m].tiles[t] = static_cast<uint8_t>(m * 4 + t);
  for (int cell = 0; cell < 24; ++cell) map.cells[cell] = static_cast<uint8_t>(cell * 7 % 5);
  map.metatiles[3].solid = true, map.play = {40, 12, 3, -1};
  data.maps = {map};
  Files files;
  for (const OutputFile& file : TiledMapFiles(data, 0, "level")) files[file.name] = file.bytes;
  Project back = DefaultProject();
  ASSERT_TRUE(ImportTiledMap(files["level.tmx"], "level", back, Serving(files)).ok);
  const Map& read = back.maps.back();
  EXPECT_EQ(read.cells, map.cells);
  EXPECT_EQ(read.play, map.play);
  for (int m = 0; m < 5; ++m) EXPECT_EQ(read.metatiles.at(m).solid, m == 3) << m;
  EXPECT_EQ(RenderMap(read, back.tileSets[read.tileSet]).pixels, RenderMap(map, data.tileSets[0]).pixels);
}

TEST(TiledMapImport, EveryEncodingLayersAndFlipsGiveOneMapAndBadFilesAreRefused) {
  // Two 16-pixel tiles: red with a white pixel at (1, 2); clear with a blue top line.
  IndexedImage tiles{32, 16, std::vector<uint8_t>(32 * 16, 0)};
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) tiles.pixels[y * 32 + x] = x == 1 && y == 2 ? 15 : 8;
  for (int x = 16; x < 32; ++x) tiles.pixels[x] = 4;
  const Files files = {
      {"t.png", EncodePng(tiles, 1)},
      {"t.tsx", "<tileset name=\"t\" tilewidth=\"16\" tileheight=\"16\"><image source=\"t.png\"/></tileset>"}};
  const auto tmx = [](const std::string& map, const std::string& bottom, const std::string& tileset) {
    return "<map orientation=\"orthogonal\" width=\"3\" height=\"1\" tilewidth=\"16\" tileheight=\"16\" " + map + ">" +
           tileset + "<layer width=\"3\" height=\"1\"><data " + bottom +
           "</data></layer><layer width=\"3\" height=\"1\"><data encoding=\"csv\">2,0,0</data></layer></map>";
  };
  const std::string external = "<tileset firstgid=\"1\" source=\"t.tsx\"/>";
  Project first = DefaultProject();
  ASSERT_TRUE(ImportTiledMap(tmx("", "encoding=\"csv\">1,2147483649,0", external), "m", first, Serving(files)).ok);
  const Map& map = first.maps.back();
  ASSERT_EQ(map.metatiles.size(), 3u) << "the two tiles drawn together, the flipped one, the empty cell";
  const IndexedImage picture = RenderMap(map, first.tileSets[map.tileSet]);
  EXPECT_EQ(picture.At(5, 0) * 10000 + picture.At(1, 2) * 100 + picture.At(30, 2), 41515) << "flipped: (14, 2)";
  EXPECT_EQ(picture.At(40, 8), 0) << "no layer covers the third cell";
  const std::string embedded =
      "<tileset firstgid=\"1\" name=\"t\" tilewidth=\"16\" tileheight=\"16\"><image source=\"t.png\"/></tileset>";
  for (const char* data : {"><tile gid=\"1\"/><tile gid=\"2147483649\"/><tile gid=\"0\"/>",
                           "encoding=\"base64\">AQAAAAEAAIAAAAAA",  // 1, 1 flipped across, 0 as words
                           "encoding=\"base64\" compression=\"zlib\">eNpjZGBgYGRgaABSDAACoACD",
                           "encoding=\"base64\" compression=\"gzip\">H4sIAAAAAAACA2NkYGBgZGBoAFIMAAw6PJ0MAAAA"}) {
    Project again = DefaultProject();
    ASSERT_TRUE(ImportTiledMap(tmx("", data, embedded), "m", again, Serving(files)).ok) << data;
    EXPECT_TRUE(again.maps.back() == map && again.tileSets.back() == first.tileSets.back()) << data;
  }

  // 272 tiles of four quarters in five colours: as many metatiles, more than a map holds.
  IndexedImage many{17 * 16, 16 * 16, std::vector<uint8_t>(17 * 16 * 16 * 16)};
  for (int i = 0, powers[] = {1, 5, 25, 125}; i < 17 * 16 * 16 * 16; ++i) {  // tile number's quarter-th digit
    const int x = i % many.width, y = i / many.width, quarter = y % 16 / 8 * 2 + x % 16 / 8;
    many.pixels[i] = static_cast<uint8_t>(2 + (y / 16 * 17 + x / 16) / powers[quarter] % 5);
  }
  std::string crowded =
      "<map orientation=\"orthogonal\" width=\"272\" height=\"1\" tilewidth=\"16\" tileheight=\"16\"><tileset "
      "firstgid=\"1\" tilewidth=\"16\" tileheight=\"16\"><image source=\"many.png\"/></tileset><layer width=\"272\" "
      "height=\"1\"><data encoding=\"csv\">";
  for (int gid = 1; gid <= 272; ++gid) crowded += std::to_string(gid) + (gid < 272 ? "," : "</data></layer></map>");
  Files withMany = files;
  withMany["many.png"] = EncodePng(many, 1);
  const struct {
    std::string tmx;
    const char* reason;
  } refused[] = {
      {tmx("", "encoding=\"csv\">1,1,0", external).replace(18, 10, "isometric"), "isometric"},
      {tmx("infinite=\"1\"", "encoding=\"csv\">1,1,0", external), "infinite"},
      {tmx("", "encoding=\"csv\">1,1,0", "<tileset firstgid=\"1\" source=\"gone.tsx\"/>"), "cannot read gone.tsx"},
      {tmx("", "encoding=\"csv\">1,9,0", external), "tile 9, which no tileset holds"},
      {tmx("", "encoding=\"csv\">1,1", external), "does not hold its cells"},
      {tmx("", "encoding=\"base64\">AAA!", external), "base64"},
      {tmx("", "encoding=\"base64\" compression=\"zlib\">AQAAAAEAAIAAAAAA", external), "does not unpack"},
      {tmx("", "encoding=\"base64\" compression=\"zstd\">", external), "zstd"},
      {crowded, "272 different metatiles"},
      {std::string(crowded).replace(crowded.find("tilewidth=\"16\""), 14, "tilewidth=\"12\""), "8, 16 or 32"},
      {"<tileset/>", "no <map>"},
  };
  for (const auto& c : refused) {
    Project untouched = DefaultProject();
    const ImportResult result = ImportTiledMap(c.tmx, "m", untouched, Serving(withMany));
    EXPECT_TRUE(!result.ok && result.message.find(c.reason) != std::string::npos) << result.message;
    EXPECT_EQ(SerializeProject(untouched), SerializeProject(DefaultProject())) << c.reason;
  }
}
