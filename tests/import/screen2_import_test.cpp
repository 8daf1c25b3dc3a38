// SCREEN 2 files in: the export's own files give back the picture the chip
// shows (tiles and, with the sprite patterns, sprites), each third's tiles are
// stored once, and files of another size or with a damaged header are refused
// with the reason and the project unchanged.
#include "import/screen2_import.h"

#include <gtest/gtest.h>

#include <set>

#include "chip/chip_render.h"
#include "export/build_outputs.h"
#include "chip/chip_bytes.h"
#include "export/data_export.h"
#include "support/project_fixtures.h"

namespace {
ImportResult Import(const std::string& file, Project& into) {
  return ImportScreen2File(reinterpret_cast<const uint8_t*>(file.data()), file.size(), "Title", into);
}

// A screen whose thirds draw from three sets, with sprites on and off its edges.
void MakeScreen() {
  MakeRichProject();
  NameTable& table = nameTables[0];
  table.thirdTileSets[0] = 2, table.thirdTileSets[1] = 0, table.thirdTileSets[2] = 1;
  for (int cell = 0; cell < kTableCells; ++cell) table.cells[cell] = static_cast<uint8_t>((cell * 7) % 40 + 200);
  sprites()[3].colour = 12;
  table.placements = {{0, 10 * 4.75f, 20 * 4.75f}, {3, -9 * 4.75f, -5 * 4.75f}, {1, 250 * 4.75f, 185 * 4.75f},
                      {3, 40 * 4.75f, 20 * 4.75f}, {4, 60 * 4.75f, 22 * 4.75f}};
}

// The export's file of the first screen, and the same with the sprite patterns after it.
std::string ScreenFile(bool withSprites) {
  std::string file = ScreenFiles(project, SelectAll(project, kAllTables))[0].bytes;
  if (!withSprites) return file;
  file[3] = '\xFF', file[4] = '\x3F';
  for (const Sprite& sprite : sprites()) {
    const std::vector<uint8_t> bytes = SpritePatternBytes(sprite, {});
    file.append(bytes.begin(), bytes.end());
  }
  file.resize(7 + 0x4000, '\0');
  return file;
}
}  // namespace

TEST(Screen2Import, TheExportsFilesGiveBackWhatTheChipShows) {
  MakeScreen();
  for (const bool withSprites : {false, true}) {
    const std::string file = ScreenFile(withSprites);
    Project into = DefaultProject();
    const ImportResult result = Import(file, into);
    ASSERT_TRUE(result.ok) << result.message;
    ASSERT_EQ(into.nameTables.size() * 10 + into.tileSets.size(), 13u) << "a set a third, the empty records gone";
    NameTable shown = nameTables[0];
    if (!withSprites) shown.placements.clear();
    const IndexedImage expected = RenderScreen(shown, tileSets, sprites(), project.spriteSize, ScreenLook::Chip);
    const IndexedImage got =
        RenderScreen(into.nameTables[0], into.tileSets, into.sprites, into.spriteSize, ScreenLook::Chip);
    EXPECT_TRUE(got.pixels == expected.pixels) << (withSprites ? "with" : "without") << " sprites";
    EXPECT_EQ(into.nameTables[0].placements.size(), withSprites ? 5u : 0u);
    EXPECT_EQ(into.sprites.size(), withSprites ? 4u : 1u) << "one sprite a pattern and colour shown";
    // Each third: its distinct tiles once, numbered in order of first use.
    std::set<int> used;
    for (int cell = 0; cell < 256; ++cell) used.insert(nameTables[0].cells[cell]);
    EXPECT_EQ(into.nameTables[0].cells[0], 0);
    EXPECT_EQ(*std::max_element(into.nameTables[0].cells, into.nameTables[0].cells + 256), static_cast<int>(used.size()) - 1);
    EXPECT_NE(result.message.find(std::to_string(3 * used.size()) + " tiles"), std::string::npos) << result.message;
  }
}

TEST(Screen2Import, OtherSizesAndDamagedHeadersAreRefusedWithTheReason) {
  MakeScreen();
  const std::string good = ScreenFile(false);
  std::string notBload = good, elsewhere = good, wrongEnd = good;
  notBload[0] = '\xFD';
  elsewhere[1] = '\x00', elsewhere[2] = '\x80';
  wrongEnd[3] = '\xFF', wrongEnd[4] = '\x3F';
  const struct {
    std::string file;
    const char* reason;
  } cases[] = {
      {good.substr(0, good.size() - 1), "holds 14343 bytes (up to the colour table) or 16391"},
      {good + std::string(10, '\0'), "this one 14353"},
      {notBload, "does not start as a BLOAD file does"},
      {elsewhere, "loads at 0x8000"},
      {wrongEnd, "ends at 0x3FFF, but it holds up to 0x37FF"},
  };
  for (const auto& c : cases) {
    Project into = project;
    const ImportResult result = Import(c.file, into);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.message.find(c.reason), std::string::npos) << result.message;
    EXPECT_TRUE(into == project) << c.reason;
  }
}
