#include "storage/project_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>

#include "chip/chip_bytes.h"
#include "export/game_tables.h"
#include "import/png_import.h"
#include "storage/png_file.h"
#include "studios/sprite/sprite_animation.h"
#include "support/project_fixtures.h"
#include "support/temp_dir.h"

namespace {
std::string CurrentProject() { return SerializeProject(project); }

constexpr std::size_t kHeaderSize = 12;  // magic, version, sprite count
constexpr std::size_t kStripsBlockSize = 4 * 8 * 5 + 4;
std::size_t SettingsBlockSize(std::size_t tables) { return 12 + 4 + tables * 16 + kStripsBlockSize; }

// `bytes` written over `image` at `at`.
std::string Patched(std::string image, std::size_t at, const std::string& bytes) {
  return image.replace(at, bytes.size(), bytes);
}
}  // namespace

TEST(ProjectFile, RecordsKeepTheFirstLayoutAndTheSettingsBlockFollows) {
  ResetProject();
  const std::string image = CurrentProject();
  const std::size_t records = 4u + 4 + 4 + 54 + 4 + (21 + 16384 + 8192 + 8192) + 4 + 793;
  ASSERT_EQ(image.size(), records + SettingsBlockSize(1));
  EXPECT_EQ(image.substr(records, 8), std::string("SETB\1\0\0\0", 8));

  // A reader of the first layout stops after the records: they parse alone.
  Project older;
  older.nameTables.push_back(DefaultNameTable());
  older.nameTables[0].backdrop = 5;
  ASSERT_EQ(ParseImage(image.substr(0, records), older), FileResult::Ok);
  EXPECT_EQ(older.nameTables[0].backdrop, 0) << "a file without the block loads with the start values";
  EXPECT_EQ(older.strips, AnimationStrips{});
  EXPECT_EQ(SerializeProject(older), image) << "and saving it writes the block";
}

TEST(ProjectFile, SaveThenLoadGivesBackEveryByteAndSetting) {
  TempDir dir;
  MakeRichProject();
  nameTables[2].thirdTileSets[1] = 2;
  nameTables[1].backdrop = 15;
  project.strips.cells[3][7] = 4;
  project.strips.active[3][7] = true;
  project.strips.frameSeconds = 0.5f;
  ExportTarget chosen = DefaultExportTarget(ExportFormat::MsxBasic);
  chosen.path = "gfx/msx.bas", chosen.allRecords = false, chosen.tileSets = {"Set 1"}, chosen.firstLine = 1000;
  chosen.area = "_GFX";
  project.exportTargets = {DefaultExportTarget(ExportFormat::Png), chosen};
  project.exportTargets[0].path = "/abs/png";
  const Project saved = project;
  ASSERT_EQ(SaveProject(dir.File("rich.krv")), FileResult::Ok);
  EXPECT_FALSE(std::filesystem::exists(dir.File("rich.krv.saving")));

  ResetProject();
  ASSERT_EQ(LoadProject(dir.File("rich.krv")), FileResult::Ok);
  EXPECT_EQ(project, saved) << "names compare whole, stale bytes after the zero included";
  for (const float seconds : {kMinFrameSeconds, kMaxFrameSeconds}) {  // the slider's ends load
    project.strips.frameSeconds = seconds;
    Project ends;
    EXPECT_EQ(ParseImage(CurrentProject(), ends), FileResult::Ok) << seconds;
  }

  // Regression: a project with screens but no tile set (the format allows it) saved a file it refused.
  ResetProject();
  tileSets.clear();
  Project setless;
  ASSERT_EQ(ParseImage(CurrentProject(), setless), FileResult::Ok);
  EXPECT_EQ(setless, project);
}

TEST(ProjectFile, TheFirstLayoutIsPinnedAndANameWithoutAZeroEndsAtByte20) {
  MakeRichProject();
  std::string image = CurrentProject();
  EXPECT_EQ(Fingerprint(image.substr(0, image.size() - SettingsBlockSize(3))), 12829594433819103918u);
  std::memset(&image[kHeaderSize], 'N', 21);
  Project read;
  ASSERT_EQ(ParseImage(image, read), FileResult::Ok);
  EXPECT_STREQ(read.sprites[0].name, "NNNNNNNNNNNNNNNNNNNN");
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

  // Cut everywhere in the header, around every record boundary, in the block, and at many points between.
  const std::size_t tileCountAt = kHeaderSize + 5 * 54;
  const std::size_t tableCountAt = tileCountAt + 4 + 3 * kTileSetRecordSize;
  const std::size_t blockAt = image.size() - SettingsBlockSize(3);
  for (std::size_t cut = 0; cut < image.size(); cut += cut < 64 ? 1 : 997)
    if (cut != blockAt)
      expectRefused(image.substr(0, cut), cut < 4 ? FileResult::NotProjectFile : FileResult::TruncatedOrCorrupt,
                    "cut at " + std::to_string(cut));
  for (std::size_t boundary : {tileCountAt, tileCountAt + 4 + kTileSetRecordSize, blockAt + 1, image.size() - 1})
    for (std::size_t cut = boundary - 3; cut <= boundary + 3 && cut < image.size(); ++cut)
      if (cut != blockAt)
        expectRefused(image.substr(0, cut), FileResult::TruncatedOrCorrupt, "cut at " + std::to_string(cut));

  auto patched = [&image](std::size_t at, const std::string& bytes) { return Patched(image, at, bytes); };
  const std::size_t tablesAt = blockAt + 16, stripsAt = tablesAt + 3 * 16;
  float nan = std::nanf("");
  const std::tuple<std::string, FileResult, const char*> damaged[] = {
      {"KRV?" + image.substr(4), FileResult::NotProjectFile, "wrong magic"},
      {patched(4, "\2"), FileResult::UnsupportedVersion, "version 2"},
      // Counts no file could hold are refused before anything is made for them.
      {patched(8, "\xff\xff\xff\x7f"), FileResult::TruncatedOrCorrupt, "absurd sprite count"},
      {patched(tileCountAt, "\xff\xff\xff\x7f"), FileResult::TruncatedOrCorrupt, "absurd tile-set count"},
      {patched(tableCountAt, "\xff\xff\xff\x7f"), FileResult::TruncatedOrCorrupt, "absurd name-table count"},
      {patched(blockAt, "SETC"), FileResult::TruncatedOrCorrupt, "unknown block tag"},
      {patched(blockAt + 4, "\2"), FileResult::UnsupportedVersion, "block version 2"},
      {patched(blockAt + 8, "\1"), FileResult::TruncatedOrCorrupt, "block size wrong"},
      {patched(blockAt + 12, "\2"), FileResult::TruncatedOrCorrupt, "block for 2 name tables"},
      {patched(tablesAt + 4, "\3"), FileResult::TruncatedOrCorrupt, "third names set 3 of 3"},
      {patched(tablesAt, "\xff\xff\xff\xff"), FileResult::TruncatedOrCorrupt, "third names set -1"},
      {patched(tablesAt + 12, "\x10"), FileResult::TruncatedOrCorrupt, "backdrop 16"},
      {patched(stripsAt, "\xfe\xff\xff\xff"), FileResult::TruncatedOrCorrupt, "strip cell -2"},
      {patched(stripsAt + 128, "\2"), FileResult::TruncatedOrCorrupt, "active flag 2"},
      {patched(image.size() - 4, std::string(reinterpret_cast<char*>(&nan), 4)), FileResult::TruncatedOrCorrupt,
       "frame time not a number"},
      {image + '\0', FileResult::TruncatedOrCorrupt, "a byte after the block"},
  };
  for (const auto& [contents, expected, what] : damaged) expectRefused(contents, expected, what);
  Project last;  // the bounds' other side: the last set and the last colour load
  EXPECT_EQ(ParseImage(patched(tablesAt + 12, "\x0f"), last), FileResult::Ok);
  EXPECT_EQ(ParseImage(patched(tablesAt + 4, "\2"), last), FileResult::Ok);
  EXPECT_EQ(LoadProject(dir.File("missing.krv")), FileResult::CannotOpen);
  // Regression: reading a folder threw out of the reader instead of failing.
  EXPECT_EQ(LoadProject(dir.path().string()), FileResult::CannotOpen);
  EXPECT_EQ(CurrentProject(), before);
}

TEST(ProjectFile, MapsRoundTripAfterTheOtherBlocksAndDamagedOnesAreRefused) {
  MakeRichProject();
  const std::string without = SerializeProject(project);
  Map map = DefaultMap();
  map.tileSet = 2, map.metatileSize = 4, map.width = 3, map.height = 2;
  map.metatiles = {Metatile{}, Metatile{}};
  map.metatiles[1].tiles[15] = 200;
  map.cells = {0, 1, 1, 0, 0, 1};
  project.maps = {DefaultMap(), map};
  const std::string with = SerializeProject(project);
  ASSERT_EQ(with.compare(0, without.size(), without), 0) << "a project without maps is written as before";
  project.exportTargets = {DefaultExportTarget(ExportFormat::Png)};
  project.exportTargets[0].path = "png";
  for (const std::string& image : {with, SerializeProject(project)}) {
    Project read;
    ASSERT_EQ(ParseImage(image, read), FileResult::Ok);
    EXPECT_TRUE(read == project || read.exportTargets.empty()) << "maps after the targets, or without them";
    EXPECT_EQ(read.maps, project.maps);
  }
  const std::size_t last = with.size() - 6 - 8 - 2 * 16 - 3 * 4 - kNameSize;  // the second map's record
  // clang-format off
  const std::pair<std::string, const char*> damaged[] = {
      {with.substr(0, with.size() - 1), "cut short"}, {with + '\0', "a byte after the maps"},
      {Patched(with, with.size() - 1, "\2"), "a cell naming metatile 2 of 2"},
      {Patched(with, last + kNameSize, "\3"), "tile set 3 of 3"}, {Patched(with, last + kNameSize + 4, "\3"), "metatiles 3x3"},
      {Patched(with, last + kNameSize + 8, std::string(1, '\0')), "no metatiles"},
      {Patched(with, with.size() - 6 - 8 + 1, "\4"), "1027 cells wide"}, {Patched(with, without.size() + 4, "\2"), "block version 2"},
  };
  // clang-format on
  for (const auto& [contents, what] : damaged) {
    Project read;
    EXPECT_NE(ParseImage(contents, read), FileResult::Ok) << what;
  }
}

TEST(ProjectFile, SolidMetatilesAndPlaySettingsMakeTheMapsBlocksLaterVersions) {
  MakeRichProject();
  project.maps = {DefaultMap()};
  project.maps[0].metatiles.resize(3);
  const std::string plain = SerializeProject(project);
  EXPECT_EQ(plain[plain.rfind("MAPB") + 4], 1) << "no solid metatile: written as before";
  project.maps[0].metatiles[2].solid = true;
  const std::string solid = SerializeProject(project);
  EXPECT_EQ(solid[solid.rfind("MAPB") + 4], 2);
  Project read;
  ASSERT_EQ(ParseImage(solid, read), FileResult::Ok);
  EXPECT_TRUE(read == project);
  EXPECT_TRUE(RefusedWith(solid, solid.size() - 1, 2)) << "a flag of 2";
  EXPECT_EQ(SolidBytes(project.maps[0]), (std::vector<uint8_t>{0, 0, 1}));

  // Play settings make version 3: start, speed and walk strip after the flags.
  project.maps[0].play = {40, 72, 3, 2};
  const std::string play = SerializeProject(project);
  EXPECT_EQ(play[play.rfind("MAPB") + 4], 3);
  ASSERT_EQ(ParseImage(play, read), FileResult::Ok);
  EXPECT_TRUE(read == project);
  const std::size_t speed = play.size() - 8, strip = play.size() - 4;
  for (const auto& [at, value] :
       {std::pair{speed, 0}, {speed, kMaxWalkSpeed + 1}, {strip, kStrips}, {strip, -2}, {play.size() - 16, -2}})
    EXPECT_TRUE(RefusedWith(play, at, value, 4)) << at << " = " << value;
}

// Windows' rules for names and line ends: checked everywhere, applied by the Windows build.
TEST(SafeWrite, NamesWindowsCannotUseAreRefusedThereAndTextTakesItsLineEnds) {
  const std::pair<std::string, bool> names[] = {
      {"level.krv", true}, {"C:\\games\\level.krv", true}, {"console.h", true}, {"LPT0.txt", true},
      {"com10", true},     {"con", false},                 {"out/CON.h", false}, {"lpt1.txt", false},
      {"Nul .x", false},   {"level.", false},              {"level ", false},    {"a?b", false},
      {"dir./x", false},   {std::string(256, 'a'), false}, {"d:/x:y", false}};
  for (const auto& [name, usable] : names) EXPECT_EQ(UsableOnWindows(name), usable) << name;
  TempDir dir;
  ASSERT_EQ(ReplaceFile(dir.File("text.cfg"), "a\nb\n", true), FileResult::Ok);
  ASSERT_EQ(ReplaceFile(dir.File("data.h"), "a\nb\n", false), FileResult::Ok);
  EXPECT_EQ(ReadFile(dir.File("data.h")), "a\nb\n") << "the exports' bytes are the same everywhere";
  const bool windows = !UsableOnWindows("CON") && ReplaceFile(dir.File("CON.h"), "x", false) == FileResult::UnusableName;
  EXPECT_EQ(ReadFile(dir.File("text.cfg")), windows ? "a\r\nb\r\n" : "a\nb\n");
  const auto entries = std::filesystem::directory_iterator(dir.path());
  EXPECT_EQ(std::distance(begin(entries), end(entries)), windows ? 2 : 3) << "nothing half-written on Windows";
}

TEST(ProjectFile, APaletteIsSavedOnlyWhenNotTheFirstAndEverythingShownFollowsIt) {
  ResetProject();
  const std::string plain = CurrentProject();
  project.palette = PaletteId::MasterSystem;
  const std::string image = SerializeProject(project);
  EXPECT_EQ(image.substr(0, plain.size()), plain) << "other projects save byte for byte as before";
  EXPECT_EQ(image.substr(plain.size()), std::string("PALB\1\0\0\0\4\0\0\0\3\0\0\0", 16));
  Project read;
  ASSERT_EQ(ParseImage(image, read), FileResult::Ok);
  EXPECT_EQ(read.palette, PaletteId::MasterSystem);
  EXPECT_TRUE(RefusedWith(image, image.size() - 4, 0)) << "never written";
  // A newer version's palette loads in the first, says so, and saves back as it came.
  std::string newer = image;
  newer[newer.size() - 4] = static_cast<char>(kPalettes);
  ASSERT_EQ(ParseImage(newer, read), FileResult::Ok);
  EXPECT_STREQ(PaletteOf(read.palette).name, kChipPalettes[0].name);
  EXPECT_EQ(UnknownPaletteNote(read.palette).substr(0, 29) + UnknownPaletteNote(project.palette),
            "the project names palette " + std::to_string(kPalettes) + ", ");
  EXPECT_EQ(SerializeProject(read), newer);
  EXPECT_EQ(Palette[2], PackColour(0, 170, 0)) << "the views and PNGs draw in it";
  // A picture in the Master System's green is matched against its colours, not the TMS9918A's.
  const IndexedImage green{8, 8, std::vector<uint8_t>(64, 2)};
  const std::string png = EncodePng(green, 1);
  ASSERT_TRUE(ImportPicture(png, "g", project).ok);
  EXPECT_EQ(TilePixelColour(tileSets.back(), 0, 0, 0), 2);
  ResetProject();
}
