#include "storage/project_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "support/temp_dir.h"

namespace {
std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const std::string& path, const std::string& contents) {
  std::ofstream(path, std::ios::binary) << contents;
}

std::string CurrentProject() { return SerializeProject(sprites(), tileSets, nameTables); }

// Several of everything, with the details a careless reader or writer loses:
// stale bytes after a name's zero, fractional and odd placements, all colours.
void MakeRichProject() {
  ResetProject();
  sprites().clear();
  for (int i = 0; i < 5; ++i) {
    Sprite sprite;
    std::memcpy(sprite.name, "Ship\0stale bytes!!!", 20);
    sprite.name[20] = 0;
    sprite.colour = (i * 53) & 0xFF;
    for (int p = 0; p < 256; ++p) sprite.pixels[p / 16][p % 16] = ((p * (i + 3)) % 7) < 3;
    sprites().push_back(sprite);
  }
  tileSets.clear();
  for (int s = 0; s < 3; ++s) {
    TileSet set;
    FormatName(set.name, "Set %d", s);
    set.name[15] = 'z';  // beyond the zero
    for (int t = 0; t < 256; ++t)
      for (int r = 0; r < 8; ++r) {
        for (int c = 0; c < 8; ++c) set.pixels[t][r][c] = ((t + r * c + s) % 3) == 0;
        set.foreground[t][r] = (t + r) % 16;
        set.background[t][r] = (t * 7 + r + s) - 100;  // out-of-range values survive too
      }
    tileSets.push_back(set);
  }
  nameTables.clear();
  for (int n = 0; n < 3; ++n) {
    NameTable table;
    SetName(table.name, "Screen");
    for (int c = 0; c < kTableCells; ++c) table.cells[c] = static_cast<uint8_t>((c * (n + 1)) % 256);
    for (int p = 0; p < n * 4; ++p) table.placements.push_back({p - 2, p * 4.75f + 0.125f, -p / 3.0f});
    nameTables.push_back(table);
  }
}
}  // namespace

TEST(ProjectFile, NewProjectHasTheDocumentedSize) {
  ResetProject();
  EXPECT_EQ(CurrentProject().size(), 4u + 4 + 4 + 54 + 4 + (21 + 16384 + 8192 + 8192) + 4 + 793);
}

TEST(ProjectFile, SaveThenLoadGivesBackEveryByte) {
  TempDir dir;
  MakeRichProject();
  const std::string saved = CurrentProject();
  ASSERT_EQ(SaveProject(dir.File("rich.krv")), FileResult::Ok);
  EXPECT_EQ(ReadFile(dir.File("rich.krv")), saved);

  ResetProject();
  ASSERT_EQ(LoadProject(dir.File("rich.krv")), FileResult::Ok);
  EXPECT_EQ(CurrentProject(), saved);
  ASSERT_EQ(nameTables[2].placements.size(), 8u);
  EXPECT_EQ(nameTables[2].placements[1].x, 1 * 4.75f + 0.125f);
  EXPECT_EQ(std::memcmp(sprites()[0].name, "Ship\0stale bytes!!!", 20), 0);
  EXPECT_FALSE(std::filesystem::exists(dir.File("rich.krv.saving")));
}

TEST(ProjectFile, SpriteBitsAreLeftmostInTheLowestBit) {
  ResetProject();
  sprites()[0].pixels[0][0] = 1;
  sprites()[0].pixels[0][9] = 2;  // any non-zero value is a set pixel
  sprites()[0].colour = 0x1F3;    // one byte is kept
  const std::string bytes = CurrentProject();
  EXPECT_EQ(static_cast<uint8_t>(bytes[12 + 21]), 0xF3);
  EXPECT_EQ(static_cast<uint8_t>(bytes[12 + 22]), 0x01);
  EXPECT_EQ(static_cast<uint8_t>(bytes[12 + 23]), 0x02);

  ProjectLists lists;
  ASSERT_EQ(ParseProject(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), lists), FileResult::Ok);
  EXPECT_EQ(lists.sprites[0].pixels[0][9], 1);
  EXPECT_EQ(lists.sprites[0].colour, 0xF3);
}

TEST(ProjectFile, RefusedFilesLeaveTheProjectAsItWas) {
  TempDir dir;
  MakeRichProject();
  const std::string image = CurrentProject();
  ResetProject();
  sprites()[0].colour = 9;  // the user's unsaved work
  const std::string before = CurrentProject();

  auto expectRefused = [&](const std::string& contents, FileResult expected, const std::string& what) {
    WriteFile(dir.File("bad.krv"), contents);
    EXPECT_EQ(LoadProject(dir.File("bad.krv")), expected) << what;
    EXPECT_EQ(CurrentProject(), before) << what;
  };

  // Cut everywhere in the header and around every record boundary, and at many points between.
  std::vector<std::size_t> cuts;
  for (std::size_t cut = 0; cut < 64; ++cut) cuts.push_back(cut);
  for (std::size_t cut = 64; cut < image.size(); cut += 997) cuts.push_back(cut);
  for (std::size_t boundary : {std::size_t(12 + 5 * 54), 12 + 5 * 54 + 4 + kTileSetRecordSize, image.size() - 1})
    for (std::size_t cut = boundary - 3; cut <= boundary + 3 && cut < image.size(); ++cut) cuts.push_back(cut);
  for (std::size_t cut : cuts) {
    const FileResult expected = cut < 4 ? FileResult::NotProjectFile : FileResult::TruncatedOrCorrupt;
    expectRefused(image.substr(0, cut), expected, "cut at " + std::to_string(cut));
  }

  expectRefused("KRV?" + image.substr(4), FileResult::NotProjectFile, "wrong magic");
  std::string version2 = image;
  version2[4] = 2;
  expectRefused(version2, FileResult::UnsupportedVersion, "version 2");
  expectRefused(image.substr(0, 12), FileResult::TruncatedOrCorrupt, "only a sprite count of 5");
  expectRefused(std::string("KRV!\1\0\0\0\0\0\0\0", 12), FileResult::TruncatedOrCorrupt, "no tile-set count");

  // Counts no file could hold are refused before anything is made for them
  // (the sanitizer build would stop at an allocation of that size).
  const std::size_t tileCountAt = 12 + 5 * 54;
  const std::size_t tableCountAt = tileCountAt + 4 + 3 * kTileSetRecordSize;
  for (std::size_t at : {std::size_t(8), tileCountAt, tableCountAt, tableCountAt + 4 + 789}) {
    std::string absurd = image;
    absurd.replace(at, 4, "\xff\xff\xff\x7f", 4);
    expectRefused(absurd, FileResult::TruncatedOrCorrupt, "absurd count at " + std::to_string(at));
  }
  EXPECT_EQ(LoadProject(dir.File("missing.krv")), FileResult::CannotOpen);
  EXPECT_EQ(CurrentProject(), before);
}

TEST(ProjectFile, NameWithoutZeroEndsAtByteTwenty) {
  ResetProject();
  std::string image = CurrentProject();
  std::memset(&image[12], 'N', 21);
  ProjectLists lists;
  ASSERT_EQ(ParseProject(reinterpret_cast<const uint8_t*>(image.data()), image.size(), lists), FileResult::Ok);
  EXPECT_STREQ(lists.sprites[0].name, "NNNNNNNNNNNNNNNNNNNN");
}

TEST(ProjectFile, FailedSaveLeavesThePreviousFileUntouched) {
  TempDir dir;
  const std::string target = dir.File("level.krv");
  WriteFile(target, "previous contents");
  // The file being written cannot be created beside the target.
  std::filesystem::create_directory(target + ".saving");
  ResetProject();
  EXPECT_EQ(SaveProject(target), FileResult::CannotWrite);
  EXPECT_EQ(ReadFile(target), "previous contents");

  EXPECT_EQ(SaveProject(dir.File("no such folder/level.krv")), FileResult::CannotWrite);
}

TEST(ProjectFile, SaveIntoAReadOnlyFolderIsReported) {
  TempDir dir;
  const std::string target = dir.File("level.krv");
  WriteFile(target, "previous contents");
  std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  if (std::ofstream(dir.File("probe"))) GTEST_SKIP() << "this user writes into read-only folders (root does)";
  EXPECT_EQ(SaveProject(target), FileResult::CannotWrite);
  EXPECT_EQ(ReadFile(target), "previous contents");
}
