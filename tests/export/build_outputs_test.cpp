#include "export/build_outputs.h"

#include <gtest/gtest.h>

#include "chip/chip_bytes.h"
#include "chip/chip_render.h"
#include "chip/video_memory.h"
#include "export/data_export.h"
#include "export/export_targets.h"
#include "export/palette_file.h"
#include "export/tiled_map.h"
#include "import/png_import.h"
#include "storage/png_file.h"
#include "storage/project_file.h"
#include "support/project_fixtures.h"

namespace {
const OutputFile& Named(const std::vector<OutputFile>& files, const std::string& name) {
  for (const OutputFile& file : files)
    if (file.name == name) return file;
  ADD_FAILURE() << "no " << name;
  return files.front();
}

std::string Bytes(const std::vector<uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

// A screen of three different thirds with a sprite over it.
void MakeScreenProject() {
  MakeRichProject();
  nameTables.resize(1);
  nameTables[0].thirdTileSets[1] = 1, nameTables[0].thirdTileSets[2] = 2;
  nameTables[0].backdrop = 4;
  nameTables[0].cells[700] = EmptyCell;
  nameTables[0].placements = {{1, 4.75f * 10, 4.75f * 20}};
}

// An 8 x 8 PNG with one bit pattern flipped in its header (width at 16-19, CRC at 29-32).
std::string Damaged(std::size_t at, char flip) {
  std::string png = EncodePng(IndexedImage{8, 8, std::vector<uint8_t>(64, 1)}, 1);
  png[at] ^= flip;
  return png;
}

}  // namespace

TEST(BuildOutputs, BinaryTablesAndScreenFilesHoldTheAssemblyExportsBytes) {
  Project setless = DefaultProject();  // regression: a map drawn from no tile set was read past the list
  setless.tileSets.clear(), setless.maps = {DefaultMap()};
  EXPECT_EQ(PngFiles(setless, 1, SelectAll(setless, kAllTables)).size() + TiledMapFiles(setless, 0, "m").size(), 4u);
  MakeScreenProject();
  const std::vector<OutputFile> files = BinaryTableFiles(project, SelectAll(project, kAllTables));
  EXPECT_EQ(Named(files, "Set_0.pat").bytes, Bytes(PatternBytes(tileSets[0])));
  EXPECT_EQ(Named(files, "Set_2.col").bytes, Bytes(ColourBytes(tileSets[2])));
  EXPECT_EQ(Named(files, "Set_2.col").bytes.size(), 2048u);
  EXPECT_EQ(Named(files, "Screen.nam").bytes,
            std::string(std::begin(nameTables[0].cells), std::end(nameTables[0].cells)));
  EXPECT_EQ(Named(files, "sprites.spr").bytes.size(), 5u * 32);
  EXPECT_EQ(Named(files, "sprites.spr").bytes.substr(32, 32), Bytes(SpritePatternBytes(sprites()[1], {})));
  EXPECT_EQ(Named(files, "Screen.sat").bytes, std::string("\x13\x0A\x04\x05\xD0", 5));
  EXPECT_NE(Named(files, "index.txt").bytes.find("Set_1.pat                  2048  pattern table of tile set Set_1"),
            std::string::npos);

  const std::string sc2 = Named(ScreenFiles(project, SelectAll(project, kAllTables)), "Screen.sc2").bytes;
  ASSERT_EQ(sc2.size(), kScreenFileSize);
  EXPECT_EQ(sc2.substr(0, 7), std::string("\xFE\x00\x00\xFF\x37\x00\x00", 7));
  const std::pair<std::size_t, std::string> places[] = {
      {0x0000, Bytes(PatternBytes(tileSets[0]))}, {0x0800, Bytes(PatternBytes(tileSets[1]))},
      {0x1000, Bytes(PatternBytes(tileSets[2]))}, {0x1800, Named(files, "Screen.nam").bytes},
      {0x1B00, Named(files, "Screen.sat").bytes}, {0x2000, Bytes(ColourBytes(tileSets[0]))},
      {0x2800, Bytes(ColourBytes(tileSets[1]))},  {0x3000, Bytes(ColourBytes(tileSets[2]))}};
  for (const auto& [address, bytes] : places) EXPECT_EQ(sc2.substr(7 + address, bytes.size()), bytes) << address;
  nameTables[0].thirdTileSets[1] = nameTables[0].thirdTileSets[2] = 0;  // every third from one set
  const ChipTables shown = BuildChipTables(project, &nameTables[0]);
  EXPECT_EQ(shown.patterns[0].size() * 10 + shown.patterns[1].size(), 20480u) << "only the shown screen's sets";
}

TEST(BuildOutputs, SpritePatternsAttributesAndMetaspritePartsFollowTheSpriteSize) {
  MakeScreenProject();
  project.metasprites = {Metasprite{"Hero", 32, 16, {{3, 16, 0}, {1, 0, -2}}}};
  const std::string large = Named(BinaryTableFiles(project, SelectAll(project, kAllTables)), "sprites.spr").bytes;
  for (const SpriteSize size : {SpriteSize{16, true}, SpriteSize{8, false}, SpriteSize{8, true}}) {
    SCOPED_TRACE(size.side * 10 + size.magnified);
    project.spriteSize = size;
    const std::vector<OutputFile> files = BinaryTableFiles(project, SelectAll(project, kAllTables));
    const std::string spr = Named(files, "sprites.spr").bytes;
    const int bytes = size.side == 16 ? 32 : 8;
    ASSERT_EQ(spr.size(), 5u * bytes);
    EXPECT_EQ(spr.substr(bytes, bytes), large.substr(32, bytes)) << "8 x 8: the top-left quarter, first in 16 x 16";
    EXPECT_EQ(Named(files, "Screen.sat").bytes[2], size.side == 16 ? 4 : 1) << "sprite 1's pattern number";
    const char s = static_cast<char>(size.Scale()), four = size.side == 16 ? 4 : 1;  // offsets in screen pixels
    EXPECT_EQ(Named(files, "Hero.msp").bytes,
              (std::string{2, 0, char(16 * s), char(3 * four), char(sprites()[3].colour & 15), char(-2 * s), 0, four,
                           char(sprites()[1].colour & 15)}));
  }
}

// A pattern number past 255 was written modulo 256: the game drew another sprite.
TEST(BuildOutputs, RegressionSpritesPastThePatternTableAreRefusedNotWrapped) {
  MakeScreenProject();
  sprites().resize(66, sprites()[0]);
  std::snprintf(sprites()[64].name, kNameSize, "Far");
  project.metasprites = {Metasprite{"Near", 16, 16, {{1, 0, 0}}}, Metasprite{"Hero", 16, 16, {{65, 0, 0}}}};
  const ExportFormat formats[] = {ExportFormat::Assembly, ExportFormat::BinaryTables, ExportFormat::Png};
  for (const SpriteSize size : {SpriteSize{16, false}, SpriteSize{8, false}})
    for (const ExportFormat format : formats) {
      project.spriteSize = size;
      ExportTarget target = DefaultExportTarget(format);
      target.path = "out";
      const ExportRun run = PrepareExport(project, target, "");
      const bool refused = size.side == 16 && format != ExportFormat::Png;
      EXPECT_EQ(run.files.empty(), refused);
      EXPECT_EQ(run.error.find("holds 64 sprites at 16 x 16, and these use one past it: sprite Far, sprite ") !=
                        std::string::npos &&
                    run.error.find(", metasprite Hero;") != std::string::npos,
                refused)
          << run.error;
      EXPECT_EQ(PastPatternTableWarning(project).find("sprites 65 to 66 lie past the 64") != std::string::npos,
                size.side == 16);
    }
}

TEST(PngImport, AScreenComesBackPixelForPixel) {
  MakeScreenProject();
  nameTables[0].placements.clear();  // sprites are not tiles
  const IndexedImage render = RenderScreen(nameTables[0], tileSets, sprites(), project.spriteSize, ScreenLook::Editor);
  Project into = DefaultProject();
  const ImportResult result = ImportPicture(EncodePng(render, 1), "pic", into);
  ASSERT_TRUE(result.ok) << result.message;
  ASSERT_EQ(into.tileSets.size() * 10 + into.nameTables.size(), 31u) << "the new project's defaults were replaced";
  EXPECT_EQ(std::string(into.tileSets[0].name) + into.tileSets[1].name + into.tileSets[2].name,
            "pic toppic midpic bottom");
  const IndexedImage back =
      RenderScreen(into.nameTables[result.nameTable], into.tileSets, into.sprites, into.spriteSize, ScreenLook::Editor);
  EXPECT_EQ(back.pixels, render.pixels);
  EXPECT_NE(result.message.find("0 rows with more than two colours"), std::string::npos) << result.message;
  // The same picture again: records told apart by their names.
  ASSERT_TRUE(ImportPicture(EncodePng(render, 1), "pic", into).ok);
  EXPECT_EQ(std::string(into.nameTables[1].name) + "|" + into.tileSets[3].name, "pic 2|pic 2 top");
}

TEST(PngImport, RowsWithClashesKeepTheClosestPairAndThirdsMergeDownTo255) {
  // Row 0 of tile 0: five white, two dark red, one nearly dark red pixel of black's neighbour.
  IndexedImage picture{256, 192, std::vector<uint8_t>(256 * 192, 1)};
  const uint8_t row[8] = {15, 15, 15, 15, 15, 6, 6, 8};
  for (int x = 0; x < 8; ++x) picture.pixels[x] = row[x];
  // 256 different tiles in the top third: each carries its number in binary on row 7.
  for (int tile = 0; tile < 256; ++tile)
    for (int bit = 0; bit < 8; ++bit)
      picture.pixels[(8 * (tile / 32) + 7) * 256 + 8 * (tile % 32) + bit] = tile >> bit & 1 ? 15 : 1;
  Project into = DefaultProject();
  const ImportResult result = ImportPicture(EncodePng(picture, 1), "pic", into);
  ASSERT_TRUE(result.ok);
  // Computed by hand: of the pairs with white, {white, dark red} costs only the medium red pixel's
  // distance to dark red, less than {white, medium red} (two dark red pixels) or any pair without white.
  const TileSet& top = into.tileSets[0];
  const int tile = into.nameTables[result.nameTable].cells[0];
  const int shown[8] = {15, 15, 15, 15, 15, 6, 6, 6};
  for (int x = 0; x < 8; ++x)
    EXPECT_EQ(top.pixels[tile][0][x] ? top.foreground[tile][0] : top.background[tile][0], shown[x]) << x;
  EXPECT_NE(result.message.find("1 row with more than two colours"), std::string::npos) << result.message;
  EXPECT_NE(result.message.find("1 tile merged"), std::string::npos) << result.message;
  const uint8_t* cells = into.nameTables[result.nameTable].cells;
  EXPECT_EQ(cells[3] * 1000 + cells[2], cells[1] * 1000 + 2) << "the closest pair merged: 1 and 3 differ in one pixel";
  for (int cell = 0; cell < 256; ++cell)
    EXPECT_LT(into.nameTables[result.nameTable].cells[cell], 255) << "tile 255 stays empty";
}

TEST(PngImport, RefusedPicturesLeaveTheProjectAlone) {
  MakeRichProject();
  const std::string before = SerializeProject(project);
  const std::pair<std::string, const char*> refused[] = {
      {"not a picture", "not a PNG"},
      {EncodePng(IndexedImage{12, 8, std::vector<uint8_t>(96, 1)}, 1), "multiples of 8"},
      {EncodePng(IndexedImage{136, 128, std::vector<uint8_t>(136 * 128, 1)}, 1), "at most 256 tiles"},
      {EncodePng(IndexedImage{512, 384, std::vector<uint8_t>(512 * 384, 1)}, 1), "too large"},
      {EncodePng(IndexedImage{4096, 8, std::vector<uint8_t>(4096 * 8, 1)}, 1), "at most 2048 x 2048"},
      {Damaged(17, '\x01'), "is 65544 x 8 pixels; at most 2048 x 2048"},
      {Damaged(29, '\x01'), "the PNG library cannot read it (IHDR: CRC error)"},
  };
  for (const auto& [bytes, reason] : refused) {
    const ImportResult result = ImportPicture(bytes, "pic", project);
    EXPECT_FALSE(result.ok) << reason;
    EXPECT_NE(result.message.find(reason), std::string::npos) << result.message;
  }
  EXPECT_EQ(SerializeProject(project), before);
  Project drawn = DefaultProject();
  drawn.tileSets[0].pixels[9][1][2] = 1;  // no longer a new project: its set stays
  ASSERT_TRUE(ImportPicture(EncodePng(RenderTileSheet(tileSets[1]), 1), "pic", drawn).ok);
  EXPECT_EQ(drawn.tileSets.size() * 10 + drawn.tileSets[0].pixels[9][1][2], 21u);
  Project full = project;
  full.tileSets.resize(kMaxImportedTileSets);
  EXPECT_NE(ImportPicture(EncodePng(RenderTileSheet(tileSets[1]), 1), "pic", full).message.find("no room"),
            std::string::npos);
  const ImportResult wide =
      ImportPicture(EncodePng(IndexedImage{256, 64, std::vector<uint8_t>(256 * 64, 1)}, 1), "pic", project);
  EXPECT_EQ(wide.nameTable, -1) << "256 wide but not 192 high is a sheet of 256 tiles, not a screen";
  const ImportResult sheet = ImportPicture(EncodePng(RenderTileSheet(tileSets[1]), 1), "pic", project);
  ASSERT_TRUE(sheet.ok);
  EXPECT_EQ(RenderTileSheet(tileSets.back()).pixels, RenderTileSheet(tileSets[1]).pixels)
      << "a sheet comes back with every tile in its place";
}

// The palette files as GIMP, JASC and the .hex lists lay them out, by the extension in any case.
TEST(PaletteFile, EachExtensionGetsItsFormat) {
  const auto text = [](const char* path) { return PaletteFileText(kChipPalettes[0], path); };
  EXPECT_EQ(text("c.hex"),
            "000000\n000000\n21c842\n5edc78\n5455ed\n7d76fc\nd4524d\n42ebf5\nfc5554\nff7978\nd4c154\n"
            "e6ce80\n21b03b\nc95bb2\ncccccc\nffffff\n");
  EXPECT_EQ(text("a.GPL").substr(0, 95),
            "GIMP Palette\nName: Tessellary tms9918a\nColumns: 16\n#\n  0   0   0\tTransparent\n"
            "  0   0   0\tBlack\n");
  EXPECT_TRUE(text("a.GPL").find("\n 33 200  66\tMedium Green\n") == 94 && text("a.GPL").size() == 399u);
  EXPECT_EQ(text("b.pal").substr(0, 45), "JASC-PAL\r\n0100\r\n16\r\n0 0 0\r\n0 0 0\r\n33 200 66\r\n");
  EXPECT_EQ(text("d.png"), "") << "no format";
}
