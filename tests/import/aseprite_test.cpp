// Aseprite files in and out: files put together here byte by byte, as another
// program writes them, become the metasprites and strips their pictures hold;
// damaged ones are refused whole; the editor's own file comes back unchanged.
#include <gtest/gtest.h>

#include "chip/chip_render.h"
#include "export/aseprite_export.h"
#include "import/aseprite_file.h"
#include "import/aseprite_import.h"
#include "import/sprite_sheet.h"
#include "model/metasprite_picture.h"
#include "storage/zlib_data.h"
#include "support/project_fixtures.h"

namespace {
// Little-endian values, `width` bytes each.
std::string Le(std::initializer_list<std::pair<int64_t, int>> values) {
  std::string bytes;
  for (const auto& [value, width] : values)
    for (int i = 0; i < width; ++i) bytes.push_back(i < 8 ? static_cast<char>(value >> 8 * i) : 0);
  return bytes;
}
std::string Name(const std::string& text) { return Le({{text.size(), 2}}) + text; }
std::string Chunk(int type, const std::string& body) { return Le({{body.size() + 6, 4}, {type, 2}}) + body; }
std::string Frame(const std::vector<std::string>& chunks, int duration = 100) {
  std::string body;
  for (const std::string& chunk : chunks) body += chunk;
  return Le({{body.size() + 16, 4}, {0xF1FA, 2}, {0xFFFF, 2}, {duration, 2}, {0, 2}, {chunks.size(), 4}}) + body;
}
std::string File(int width, int height, int depth, const std::vector<std::string>& frames) {
  std::string body;
  for (const std::string& frame : frames) body += frame;
  return Le({{body.size() + 128, 4}, {0xA5E0, 2}, {frames.size(), 2}, {width, 2}, {height, 2}, {depth, 2}, {1, 4}}) +
         std::string(110, '\0') + body;
}
std::string Layer(const std::string& name, int flags = 1, int level = 0, int opacity = 255, int type = 0,
                  const std::string& tileset = "") {
  return Chunk(0x2004, Le({{flags, 2}, {type, 2}, {level, 2}, {0, 6}, {opacity, 1}, {0, 3}}) + Name(name) + tileset);
}
std::string Packed(const std::string& bytes) {
  const std::vector<uint8_t> zipped = Deflated(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  return std::string(zipped.begin(), zipped.end());
}
std::string CelHead(int layer, int x, int y, int type) {
  return Le({{layer, 2}, {x, 2}, {y, 2}, {255, 1}, {type, 2}, {0, 7}});
}
// A cel of `w` x `h` pixels in the file's depth, raw or packed with zlib.
std::string Cel(int layer, int x, int y, int w, int h, const std::string& pixels, bool packed = false) {
  return Chunk(0x2005,
               CelHead(layer, x, y, packed ? 2 : 0) + Le({{w, 2}, {h, 2}}) + (packed ? Packed(pixels) : pixels));
}
std::string Linked(int layer, int frame) { return Chunk(0x2005, CelHead(layer, 0, 0, 1) + Le({{frame, 2}})); }
std::string Tags(const std::vector<AsepriteTag>& tags) {
  std::string body = Le({{tags.size(), 2}, {0, 8}});
  for (const AsepriteTag& tag : tags)
    body += Le({{tag.from, 2}, {tag.to, 2}, {tag.direction, 1}, {0, 12}}) + Name(tag.name);
  return Chunk(0x2018, body);
}
// `count` pixels of the chip colour as RGBA, at `alpha`.
std::string Rgba(int colour, int count, int alpha = 255) {
  const uint32_t packed = Palette[colour];
  std::string pixels;
  for (int i = 0; i < count; ++i) pixels += Le({{(packed & 0xFFFFFF) | uint32_t(alpha) << 24, 4}});
  return pixels;
}

ImportResult Import(const std::string& file, Project& data) {
  return ImportAseprite(reinterpret_cast<const uint8_t*>(file.data()), file.size(), "hero", data);
}

// Three frames: a linked cel, hidden layers and groups, a faint layer, a half-clear pixel, two tags.
std::string LayeredFile() {
  const std::vector<std::string> layers = {
      Layer("back"),        Layer("hidden", 0),        Layer("hidden group", 0, 0, 255, 1),
      Layer("in it", 1, 1), Layer("faint", 1, 0, 100), Layer("top")};
  std::vector<std::string> first = layers;
  for (const std::string& cel : {Cel(0, 0, 0, 4, 4, Rgba(8, 16)), Cel(1, 0, 0, 16, 16, Rgba(2, 256)),
                                 Cel(3, 0, 0, 16, 16, Rgba(2, 256)), Cel(4, 15, 15, 1, 1, Rgba(2, 1)),
                                 Cel(5, 2, 2, 2, 2, Rgba(15, 4), true), Tags({{"walk", 0, 1, 0}, {"bob", 0, 2, 2}})})
    first.push_back(cel);
  return File(
      16, 16, 32,
      {Frame(first), Frame({Linked(0, 0), Cel(5, 8, 8, 2, 1, Rgba(15, 1, 100) + Rgba(15, 1))}), Frame({Linked(0, 1)})});
}
}  // namespace

TEST(Aseprite, LayersLinkedCelsAndTagsBecomeMetaspritesAndStrips) {
  Project data = DefaultProject();
  const ImportResult made = Import(LayeredFile(), data);
  ASSERT_TRUE(made.ok) << made.message;
  ASSERT_EQ(data.metasprites.size(), 3u);
  EXPECT_EQ(std::string(data.metasprites[0].name) + "," + data.metasprites[1].name + "," + data.metasprites[2].name,
            "walk 1,walk 2,bob 3");
  const auto pixel = [&data](int metasprite, int x, int y) {
    return DrawMetasprite(data.metasprites[metasprite], data.sprites, 16).pixels[y][x];
  };
  const struct {
    int metasprite, x, y, colour;
    const char* why;
  } cases[] = {
      {0, 0, 0, 8, "the bottom layer's cel"},      {0, 2, 2, 15, "the top layer over it"},
      {0, 8, 8, 0, "hidden layers and groups"},    {0, 15, 15, 0, "a layer at 100 of 255 opacity"},
      {1, 0, 0, 8, "a cel linked to frame 1"},     {1, 2, 2, 8, "frame 1's top cel stays in frame 1"},
      {1, 8, 8, 0, "a pixel at 100 of 255 alpha"}, {1, 9, 8, 15, "an opaque one beside it"},
      {2, 3, 3, 8, "a link to a linked cel"},
  };
  for (const auto& c : cases) EXPECT_EQ(pixel(c.metasprite, c.x, c.y), c.colour) << c.why;
  EXPECT_EQ(Digits(data.strips.cells[0], 5) + Digits(data.strips.cells[1], 5), "01???0121?") << "ping-pong comes back";
  EXPECT_FLOAT_EQ(data.strips.frameSeconds, 0.1f);
  EXPECT_NE(made.message.find("2 animation strips filled, a frame every 100 ms"), std::string::npos) << made.message;

  for (const auto& [tag, played] : std::vector<std::pair<AsepriteTag, std::string>>{
           {{"", 0, 3, 1}, "3210"}, {{"", 1, 3, 3}, "3212"}, {{"", 2, 2, 2}, "2"}}) {
    std::string digits;
    for (int frame : TagFrames(tag)) digits += std::to_string(frame);
    EXPECT_EQ(digits, played) << "direction " << tag.direction;
  }
}

TEST(Aseprite, IndexedAndGreyPixelsTakeTheirPalettesColours) {
  // An old palette chunk after the new one is left, as Aseprite reads it.
  const std::string oldPalette = Chunk(0x0004, Le({{1, 2}, {1, 1}, {1, 1}, {0x0000FF, 3}}));
  const std::string palette = Chunk(0x2019, Le({{3, 4}, {1, 4}, {2, 4}, {0, 8}, {0, 2}, {0xFFFFFFFF, 4}, {0, 2}}) +
                                                Le({{Palette[4] & 0xFFFFFF, 3}, {255, 1}}));
  const std::string indexed =
      File(8, 8, 8, {Frame({palette, oldPalette, Layer("a"), Cel(0, 0, 0, 3, 1, std::string("\0\1\2", 3))})});
  const std::string grey = File(8, 8, 16, {Frame({Layer("a"), Cel(0, 0, 0, 2, 1, Le({{0xFFFF, 2}, {0xFF00, 2}}))})});
  Project data = DefaultProject();
  ASSERT_TRUE(Import(indexed, data).ok);
  ASSERT_TRUE(Import(grey, data).ok);
  const MetaspritePicture fromIndexed = DrawMetasprite(data.metasprites[0], data.sprites, 16);
  const MetaspritePicture fromGrey = DrawMetasprite(data.metasprites[1], data.sprites, 16);
  EXPECT_EQ(Digits(fromIndexed.pixels[0].data(), 3) + Digits(fromGrey.pixels[0].data(), 2), "0F4F1");
  EXPECT_EQ(data.metasprites[0].width, 16) << "an 8 x 8 canvas padded to the 16-pixel sprite grid";
}

TEST(Aseprite, DamagedOrUnsuitableFilesAreRefusedWithTheReasonAndChangeNothing) {
  const std::string good = LayeredFile();
  const std::string layer = Layer("a");
  const struct {
    std::string file;
    const char* reason;
  } cases[] = {
      {"GIF89a" + good.substr(6), "not an Aseprite file"},
      {good + "x", "longer than its header says"},
      {good.substr(0, good.size() - 1), "shorter than its header says"},
      {File(16, 16, 24, {Frame({})}), "24 bits"},
      {File(72, 8, 32, {Frame({layer, Cel(0, 0, 0, 1, 1, Rgba(2, 1))})}), "larger than a metasprite's 64 x 64"},
      {File(16, 16, 32, {Frame({layer, Cel(0, 12, 0, 8, 1, Rgba(2, 8))})}), "reaches past the 16 x 16 canvas"},
      {File(16, 16, 32, {Frame({layer, Cel(0, 0, 0, 2, 2, Rgba(2, 3), true)})}), "does not unpack"},
      {File(16, 16, 32, {Frame({layer, Cel(0, 0, 0, 2, 2, Rgba(2, 3))})}), "a chunk ends early"},
      {File(16, 16, 32, {Frame({layer, Le({{3, 4}, {0x2005, 2}})})}), "too short"},
      {File(16, 16, 32, {Frame({layer, Linked(0, 0)})}), "links to a later frame"},
      {File(16, 16, 32, {Frame({layer}), Frame({Linked(0, 0)})}), "which has no cel there"},
      {File(16, 16, 32, {Frame({layer, Cel(3, 0, 0, 1, 1, Rgba(2, 1))})}),
       "a cel in frame 1 names a layer that is not there"},
      {File(16, 16, 32, {Frame({Chunk(0x2019, Le({{1, 4}, {0, 4}, {256, 4}, {0, 8}}))})}), "colours past 256"},
      {File(16, 16, 32, {Frame({layer, Tags({{"run", 0, 1, 0}})})}), "tag \"run\" names frames that are not there"},
      {File(16, 16, 32, {Frame({layer, Cel(0, 0, 0, 1, 1, Rgba(2, 1, 0))})}), "every frame is empty"},
      {File(4096, 4096, 32, {Frame({}), Frame({})}), "2 frames of 4096 x 4096 are more than an import takes"},
      {File(1024, 2048, 32,
            {Frame({layer, Cel(0, 0, 0, 1024, 2048, std::string(8 << 20, '\0'), true)}),
             Frame(std::vector<std::string>(8, Linked(0, 0)))}),
       "the cels and tiles up to frame 2 hold more than an import takes"},
  };
  Project data = DefaultProject();
  const Project before = data;
  for (const auto& c : cases) {
    const ImportResult result = Import(c.file, data);
    EXPECT_FALSE(result.ok) << c.reason;
    EXPECT_NE(result.message.find(c.reason), std::string::npos) << result.message;
  }
  for (std::size_t cut = 0; cut < good.size(); ++cut) {
    std::string cutFile = good.substr(0, cut);
    if (cut >= 4) cutFile.replace(0, 4, Le({{cut, 4}}));  // a header that agrees
    ASSERT_FALSE(Import(cutFile, data).ok) << "cut at " << cut;
  }
  EXPECT_TRUE(data.metasprites == before.metasprites && data.sprites == before.sprites && data.strips == before.strips);
}

TEST(Aseprite, TheEditorsFileComesBackUnchanged) {
  SKIP_UNDER_WINDOWS("ImageMagick draws the frames");
  TempDir dir;
  const std::string sheet = MadeSpriteSheet(dir);
  ASSERT_FALSE(sheet.empty()) << "ImageMagick made no sheet";
  Project data = DefaultProject();
  ASSERT_TRUE(ImportWalkSheet(sheet, data).ok);
  for (int cell = 0; cell < 4; ++cell)  // there and back
    data.strips.cells[1][cell] = "\2\3\4\3"[cell], data.strips.metasprite[1][cell] = true;
  data.strips.cells[2][0] = 4, data.strips.cells[2][1] = 0;  // no run: no tag
  data.strips.metasprite[2][0] = data.strips.metasprite[2][1] = true;
  data.strips.cells[3][0] = 0;  // a sprite: no tag
  data.strips.frameSeconds = 0.25f;
  const AsepriteExport written = AsepriteFileOf(data);
  EXPECT_EQ(written.tags, 2);
  EXPECT_EQ(written.leftOut, (std::vector<std::string>{"strip 3: its metasprites are not a run in order",
                                                       "strip 4: it shows sprites, not metasprites"}));

  Project again = DefaultProject();
  ASSERT_TRUE(Import(written.bytes, again).ok);
  ASSERT_EQ(again.metasprites.size(), data.metasprites.size());
  for (std::size_t i = 0; i < data.metasprites.size(); ++i)
    EXPECT_TRUE(DrawMetasprite(again.metasprites[i], again.sprites, 16).pixels ==
                DrawMetasprite(data.metasprites[i], data.sprites, 16).pixels)
        << "metasprite " << i;
  EXPECT_EQ(Digits(again.strips.cells[0], 6) + Digits(again.strips.cells[1], 4), "01234?2343");
  EXPECT_FLOAT_EQ(again.strips.frameSeconds, 0.25f);
}

TEST(Aseprite, ATilemapLayerBecomesAMapOnTheCanvasGrid) {
  std::string tiles = Rgba(0, 64) + Rgba(8, 64);  // the empty tile, a red one, then half blue and half white
  for (int row = 0; row < 8; ++row) tiles += Rgba(4, 4) + Rgba(15, 4);
  const std::string tileset = Chunk(0x2023, Le({{0, 4}, {6, 4}, {3, 4}, {8, 2}, {8, 2}, {1, 2}, {0, 14}}) +
                                                Name("tiles") + Le({{0, 4}}) + Packed(tiles));
  // Aseprite's own flip bits, which are not Tiled's: the second tile mirrored.
  const std::string cells = Le({{1, 4}, {2 | 0x20000000, 4}});
  const std::string tilemap = Chunk(
      0x2005,
      CelHead(0, 8, 0, 3) +
          Le({{2, 2}, {1, 2}, {32, 2}, {0x1FFFFFFF, 4}, {0x20000000, 4}, {0x40000000, 4}, {0x80000000, 4}, {0, 10}}) +
          Packed(cells));
  Project data = DefaultProject();
  const ImportResult made =
      Import(File(24, 8, 32, {Frame({tileset, Layer("level", 1, 0, 255, 2, Le({{0, 4}})), tilemap})}), data);
  ASSERT_TRUE(made.ok) << made.message;
  EXPECT_NE(made.message.find("tilemap level: 3 x 1 cells of 8-pixel metatiles"), std::string::npos) << made.message;
  ASSERT_EQ(data.maps.size(), 1u);
  EXPECT_TRUE(data.metasprites.empty()) << "a tilemap layer is no frame's";
  const IndexedImage drawn = RenderMap(data.maps[0], data.tileSets[data.maps[0].tileSet]);
  EXPECT_EQ(Digits(&drawn.pixels[8], 16), "88888888FFFF4444") << "the cel's place and its mirrored tile";
}
