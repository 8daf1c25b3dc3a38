// The real tessellary-export binary on a small project: every option writes
// exactly what the editor's own functions write.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>

#include "chip/chip_render.h"
#include "export/build_outputs.h"
#include "export/cartridge.h"
#include "export/data_export.h"
#include "export/export_targets.h"
#include "export/palette_file.h"
#include "export/play_cartridge.h"
#include "export/tiled_map.h"
#include "import/screen_tiles.h"
#include "storage/png_file.h"
#include "storage/project_file.h"
#include "support/project_fixtures.h"
#include "support/temp_dir.h"

namespace {
// `reader`: a command run beside the export, waited for after it (the far end of a pipe).
int RunExport(const TempDir& dir, const std::string& arguments, const std::string& reader = "") {
  const std::string command = (reader.empty() ? "" : reader + " & ") + "timeout 60 " + TESSELLARY_EXPORT + " " +
                              arguments + " > " + dir.File("out.txt") + " 2> " + dir.File("err.txt") +
                              (reader.empty() ? "" : "; s=$?; wait; exit $s");
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
// Every file under `root` but a run's out and err, by its path within it.
std::map<std::string, std::string> FilesUnder(const std::filesystem::path& root) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root))
    if (entry.is_regular_file() && entry.path() != root / "out" && entry.path() != root / "err")
      files[std::filesystem::relative(entry.path(), root).u8string()] = ReadFile(entry.path().u8string());
  return files;
}
}  // namespace

TEST(ExportCommand, EveryOptionWritesWhatTheEditorWrites) {
  TempDir dir;
  MakeRichProject();
  nameTables[1].placements = {{2, 30, 40}, {99, 0, 0}};  // the second names no sprite: a problem, reported
  ASSERT_EQ(SaveProject(dir.File("game.krv")), FileResult::Ok);
  const std::string options = "--asm " + dir.File("gfx.asm") + " --basic " + dir.File("gfx.bas") + " --sat " +
                              dir.File("sat.asm") + " --bin " + dir.File("bin") + " --sc2 " + dir.File("sc2") +
                              " --png " + dir.File("png") + " --scale 2";
  ASSERT_EQ(RunExport(dir, dir.File("game.krv") + " " + options), 0) << ReadFile(dir.File("err.txt"));
  EXPECT_EQ(ReadFile(dir.File("gfx.asm")), ExportText(project, kPasmoDialect));
  EXPECT_EQ(ReadFile(dir.File("gfx.bas")), ExportText(project, kCvBasicDialect));
  EXPECT_EQ(ReadFile(dir.File("sat.asm")), SpriteAttributeText(project, SelectAll(project, kAllTables)));
  const struct {
    const char* folder;
    std::vector<OutputFile> files;
  } folders[] = {{"bin", BinaryTableFiles(project, SelectAll(project, kAllTables))},
                 {"sc2", ScreenFiles(project, SelectAll(project, kAllTables))},
                 {"png", PngFiles(project, 2, SelectAll(project, kAllTables))}};
  for (const auto& [folder, files] : folders) {
    const std::filesystem::directory_iterator written(dir.File(folder));
    EXPECT_EQ(std::distance(written, {}), static_cast<std::ptrdiff_t>(files.size())) << folder;
    for (const OutputFile& file : files)
      EXPECT_EQ(ReadFile(dir.File(std::string(folder) + "/" + file.name)), file.bytes) << file.name;
  }
  EXPECT_NE(ReadFile(dir.File("out.txt")).find("wrote " + dir.File("sc2/Screen_2.sc2")), std::string::npos);
  EXPECT_NE(ReadFile(dir.File("err.txt")).find("Screen_2: placement 1: names no sprite"), std::string::npos);
  // A cartridge of a screen named, for the machine named.
  ASSERT_EQ(
      RunExport(dir, dir.File("game.krv") + " --rom " + dir.File("screen.rom") + " --machine SG1000 --screen Screen"),
      0);
  EXPECT_EQ(ReadFile(dir.File("screen.rom")), BuildCartridge(project, {0}, Machine::Sg1000).bytes);
  // The run's palette for an artist's tools.
  ASSERT_EQ(RunExport(dir, dir.File("game.krv") + " --palette v9938 --palette-file " + dir.File("c.gpl")), 0);
  EXPECT_EQ(ReadFile(dir.File("c.gpl")), PaletteFileText(PaletteOf(PaletteId::V9938), "c.gpl"));
  // Maps alone into a folder: each one's metatiles and cells, and the index.
  project.maps = {DefaultMap()};
  sprites()[0].colour = 15;  // the walker: colour 0 would be invisible, and refused
  ASSERT_EQ(SaveProject(dir.File("maps.krv")), FileResult::Ok);
  ASSERT_EQ(RunExport(dir, dir.File("maps.krv") + " --maps " + dir.File("maps")), 0);
  // The map's Play Map cartridge.
  ASSERT_EQ(RunExport(dir, dir.File("maps.krv") + " --play-rom " + dir.File("play.rom") + " --map \"Map 1\""), 0);
  EXPECT_EQ(ReadFile(dir.File("play.rom")), BuildPlayCartridge(project, 0, Machine::Msx1, 0, 0).bytes);
  for (const OutputFile& file : BinaryTableFiles(project, SelectAll(project, kMapData)))
    EXPECT_EQ(ReadFile(dir.File("maps/" + file.name)), file.bytes) << file.name;
  project.maps.clear();
  // The target options: one record by name, one table, another dialect; and the project's own targets.
  ASSERT_EQ(RunExport(dir, dir.File("game.krv") + " --asm " + dir.File("one.s") +
                               " --asm-dialect sdas --tables patterns --only 'Set 1'"),
            0);
  EXPECT_NE(ReadFile(dir.File("one.s")).find("\n_Set_1_patterns::\nSet_1_patterns::\n   .db 0x00,0x"),
            std::string::npos);
  EXPECT_EQ(ReadFile(dir.File("one.s")).find("_colours"), std::string::npos);
  project.exportTargets = {DefaultExportTarget(ExportFormat::Ti99)};
  project.exportTargets[0].path = "out/gfx.a99";
  ASSERT_EQ(SaveProject(dir.File("game.krv")), FileResult::Ok);
  ASSERT_EQ(RunExport(dir, dir.File("game.krv") + " --list-targets"), 0);
  EXPECT_EQ(ReadFile(dir.File("out.txt")), "TI-99/4A assembly  out/gfx.a99\n");
  ASSERT_EQ(RunExport(dir, dir.File("game.krv")), 0);
  EXPECT_EQ(ReadFile(dir.File("out.txt")), "wrote " + dir.File("out/gfx.a99") + "\n")
      << "beside the project, its folder made";
  // Both assembly files assemble together.
  WriteFile(dir.File("both.asm"), ReadFile(dir.File("gfx.asm")) + ReadFile(dir.File("sat.asm")));
  EXPECT_EQ(std::system(("pasmo " + dir.File("both.asm") + " " + dir.File("both.bin") + " > /dev/null").c_str()), 0);
  // A C header with its arrays in a .c file of another name, compiled apart.
  ASSERT_EQ(
      RunExport(dir, dir.File("game.krv") + " --c " + dir.File("gfx.h") + " --c-source " + dir.File("gfx_data.c")), 0);
  EXPECT_NE(ReadFile(dir.File("gfx.h")).find("extern const unsigned char"), std::string::npos);
  EXPECT_EQ(std::system(("cd " + dir.path().string() + " && cc -c gfx_data.c").c_str()), 0);
  // Packed: the files the export targets pack, each table's sizes and the total printed.
  ExportTarget packed = DefaultExportTarget(ExportFormat::BinaryTables);
  packed.path = dir.File("zx0"), packed.compression = Compression::Zx0, packed.packedTables = kAllTables;
  const ExportRun run = PrepareExport(project, packed, "");
  ASSERT_EQ(RunExport(dir, dir.File("game.krv") + " --bin " + dir.File("zx0") +
                               " --compress ZX0:patterns,colours,names,sprites,attributes,maps,metasprites"),
            0);
  for (const OutputFile& file : run.files) EXPECT_EQ(ReadFile(dir.File("zx0/" + file.name)), file.bytes) << file.name;
  const std::string printed = ReadFile(dir.File("out.txt"));
  EXPECT_NE(printed.find("packed Set_0.pat.zx0: " + std::to_string(run.packed[0].bytes.size()) + " of 2048 bytes\n"),
            std::string::npos)
      << printed;
  EXPECT_NE(printed.find("packed in all: "), std::string::npos) << printed;
  EXPECT_NE(printed.find(".sat.zx0: 4 of 1 byte (too small a table for packing to shrink)\n"), std::string::npos)
      << "an attribute table with no sprites grows, and says why";
  // A screen written with --sc2 comes back in with --import-sc2.
  ASSERT_EQ(RunExport(dir, "--import-sc2 " + dir.File("sc2/Screen_2.sc2") + " --into " + dir.File("back.krv")), 0)
      << ReadFile(dir.File("err.txt"));
  ASSERT_EQ(LoadProject(dir.File("back.krv")), FileResult::Ok);
  EXPECT_EQ(Names(nameTables), "Screen_2|");
  // A picture dithered into one tile set of at most 100 tiles.
  WriteFile(dir.File("screen.png"),
            EncodePng(RenderScreen(nameTables[0], tileSets, sprites(), project.spriteSize, ScreenLook::Editor), 1));
  ASSERT_EQ(RunExport(dir, "--import-png " + dir.File("screen.png") + " --into " + dir.File("picture.krv") +
                               " --dither diffusion --strength 60 --one-set --max-tiles 100"),
            0)
      << ReadFile(dir.File("err.txt"));
  ASSERT_EQ(LoadProject(dir.File("picture.krv")), FileResult::Ok);
  EXPECT_EQ(tileSets.size(), 1u);
  EXPECT_LT(*std::max_element(nameTables[0].cells, nameTables[0].cells + kTableCells), 100);
}

// Tiled's own renderer draws each written map as the editor's map picture, at every metatile size.
TEST(ExportCommand, TiledDrawsTheMapsWrittenForItAsTheEditorDoes) {
  TempDir dir;
  const auto drawnByTiled = [&](const std::string& tmx) {  // its objects left out, as the map picture has none
    const std::string tiled = "tmxrasterizer --hide-layer Objects " + dir.File(tmx) + " " + dir.File("tiled.png");
    EXPECT_EQ(std::system(("QT_QPA_PLATFORM=offscreen " + tiled + " 2> /dev/null").c_str()), 0);
    return Decoded(ReadFile(dir.File("tiled.png"))).rgba;
  };
  for (const int size : {1, 2, 4}) {
    MakeWalkProject(size);
    project.maps[0].play.startX = 40, project.maps[0].play.startY = 24;
    ASSERT_EQ(SaveProject(dir.File("walk.krv")), FileResult::Ok);
    ASSERT_EQ(RunExport(dir, dir.File("walk.krv") + " --tmx " + dir.File("held.tmx")), 0)
        << ReadFile(dir.File("err.txt"));
    const std::vector<uint8_t> drawn = drawnByTiled("held.tmx");
    EXPECT_TRUE(!drawn.empty() &&
                drawn == Decoded(EncodePng(RenderMap(project.maps[0], tileSets[project.maps[0].tileSet]), 1)).rgba)
        << size;
  }
  // Two maps: a folder takes each by its label.
  project.maps.push_back(DefaultMap());
  ASSERT_EQ(SaveProject(dir.File("walk.krv")), FileResult::Ok);
  ASSERT_EQ(RunExport(dir, dir.File("walk.krv") + " --tmx " + dir.File("maps")), 0);
  EXPECT_EQ(ReadFile(dir.File("maps/Map_1.tmx")), TiledMapFiles(project, 1, "Map_1")[0].bytes);

  // Tiled's examples (an external tileset with spacing and margin; three layers; one embedded): where a row of
  // Tiled's picture holds at most two of the chip's colours, the imported map mostly shows just those.
  ASSERT_EQ(std::system(("cd /usr/share/doc/tiled/examples && cp desert.* *.png rpg/* " + dir.path().string() +
                         " && zcat orthogonal-outside.tmx.gz > " + dir.File("outside.tmx"))
                            .c_str()),
            0);
  const auto nearest = [](const uint8_t* p) {
    const Lab lab = ToLab(p[0], p[1], p[2]);
    int best = 1;
    for (int colour = 2; colour < 16; ++colour)
      if (Distance(lab, PaletteLab()[colour]) < Distance(lab, PaletteLab()[best])) best = colour;
    return p[3] < 128 ? 0 : best;
  };
  for (const std::string name : {"desert", "island", "outside"}) {
    ASSERT_EQ(RunExport(dir, "--import-tmx " + dir.File(name + ".tmx") + " --into " + dir.File(name + ".krv")), 0)
        << ReadFile(dir.File("err.txt"));
    ASSERT_EQ(LoadProject(dir.File(name + ".krv")), FileResult::Ok);
    const IndexedImage imported = RenderMap(project.maps.back(), tileSets[project.maps.back().tileSet]);
    const std::vector<uint8_t> tiled = drawnByTiled(name + ".tmx");
    ASSERT_EQ(tiled.size(), imported.pixels.size() * 4) << name;
    int rows = 0, shown = 0;
    for (std::size_t at = 0; at < imported.pixels.size(); at += 8) {
      std::set<int> colours;
      bool same = true;
      for (std::size_t i = at; i < at + 8; ++i)
        colours.insert(nearest(&tiled[4 * i])), same &= nearest(&tiled[4 * i]) == imported.pixels[i];
      rows += colours.size() <= 2, shown += colours.size() <= 2 && same;
    }
    EXPECT_GT(shown, rows * 9 / 10) << name;
  }
}

// A rename would put a plain file where the pipe, the device or the link was.
TEST(ExportCommand, StandardOutputPipesAndLinksAreWrittenThroughNotReplaced) {
  TempDir dir;
  ResetProject();
  ASSERT_EQ(SaveProject(dir.File("game.krv")), FileResult::Ok);
  for (const char* folder : {"named", "fifo", "link"}) std::filesystem::create_directory(dir.File(folder));
  ASSERT_EQ(RunExport(dir, dir.File("game.krv") + " --c " + dir.File("named/gfx.h")), 0);
  const std::string header = ReadFile(dir.File("named/gfx.h"));
  for (const char* output : {"-", "/dev/stdout"}) {
    ASSERT_EQ(RunExport(dir, dir.File("game.krv") + " --c " + output), 0) << output;
    EXPECT_TRUE(ReadFile(dir.File("out.txt")) == header) << output;
    EXPECT_EQ(ReadFile(dir.File("err.txt")), "wrote -\n") << "the report stays out of the export";
  }
  ASSERT_EQ(mkfifo(dir.File("fifo/gfx.h").c_str(), 0600), 0);
  ASSERT_EQ(RunExport(dir, dir.File("game.krv") + " --c " + dir.File("fifo/gfx.h"),
                      "cat " + dir.File("fifo/gfx.h") + " > " + dir.File("got.h")),
            0);
  EXPECT_TRUE(ReadFile(dir.File("got.h")) == header);
  EXPECT_TRUE(std::filesystem::is_fifo(dir.File("fifo/gfx.h")));
  WriteFile(dir.File("link/real.txt"), "old");
  std::filesystem::create_symlink("real.txt", dir.File("link/gfx.h"));
  ASSERT_EQ(RunExport(dir, dir.File("game.krv") + " --c " + dir.File("link/gfx.h")), 0);
  EXPECT_TRUE(std::filesystem::is_symlink(dir.File("link/gfx.h")));
  EXPECT_TRUE(ReadFile(dir.File("link/real.txt")) == header);
}

TEST(ExportCommand, FailuresSayWhyWriteNothingAndExitNonZero) {
  TempDir dir;
  MakeMachineProject();  // three screens of three sets each of their own: 36 KB
  for (int s = 3; s < 9; ++s) {
    tileSets.push_back(tileSets[s % 3]);
    tileSets.back().pixels[0][0][0] ^= 1, tileSets.back().foreground[0][0] ^= s;
  }
  nameTables[1].thirdTileSets[0] = 3, nameTables[1].thirdTileSets[1] = 4, nameTables[1].thirdTileSets[2] = 5;
  nameTables.push_back(nameTables[1]);
  nameTables[2].thirdTileSets[0] = 6, nameTables[2].thirdTileSets[1] = 7, nameTables[2].thirdTileSets[2] = 8;
  ASSERT_EQ(SaveProject(dir.File("big.krv")), FileResult::Ok);
  project.exportTargets.assign(2, DefaultExportTarget(ExportFormat::Ti99));
  project.exportTargets[0].path = "out/gfx.a99", project.exportTargets[1].path = "out/./gfx.a99";
  ASSERT_EQ(SaveProject(dir.File("twice.krv")), FileResult::Ok);
  MakeWalkProject(2);
  project.maps[0].play.startX = 60 * 8;
  ASSERT_EQ(SaveProject(dir.File("walled.krv")), FileResult::Ok);
  ResetProject();
  ASSERT_EQ(SaveProject(dir.File("game.krv")), FileResult::Ok);
  WriteFile(dir.File("bad.krv"), "PNG?");
  const std::pair<std::string, const char*> cases[] = {
      {dir.File("missing.krv") + " --asm " + dir.File("a.asm"), "cannot load"},
      {dir.File("bad.krv") + " --asm " + dir.File("a.asm"), "not a project file"},
      {dir.File("game.krv") + " --scale 0 --png " + dir.File("p"), "--scale"},
      {dir.File("game.krv") + " --asm " + dir.File("no/such/folder/a.asm"), "a.asm: its folder does not exist"},
      {dir.File("game.krv") + " --frobnicate", "frobnicate"},
      {"--import-png " + dir.File("game.krv") + " --into " + dir.File("new.krv"), "not a PNG"},
      {"--import-sc2 " + dir.File("game.krv") + " --into " + dir.File("new.krv"), "a SCREEN 2 file holds"},
      {dir.File("game.krv") + " --asm " + dir.File("a.asm") + " --dither ordered", "--dither requires --import-png"},
      {dir.File("game.krv"), "has no export targets: add them in the editor"},
      {dir.File("game.krv") + " --png " + dir.File("p") + " --compress zx0", "--png and --sat are written as they are"},
      {dir.File("game.krv") + " --compress pletter", "--compress goes with outputs named"},
      {dir.File("game.krv") + " --bin " + dir.File("p") + " --compress lz4", "--compress packs with zx0 or pletter"},
      {dir.File("game.krv") + " --bin " + dir.File("p") + " --compress zx0:names,nams", "no kind of table is named"},
      {dir.File("big.krv") + " --rom " + dir.File("a.asm") + " --screen all",
       "bytes, more than the 32768 of a cartridge: the first 2 fit"},
      {dir.File("game.krv") + " --rom " + dir.File("a.asm") + " --screen Nowhere", "no name table named Nowhere"},
      {dir.File("game.krv") + " --machine msx1", "--machine goes with --rom, --play-rom or --runtime"},
      {"--runtime " + dir.File("game.krv"), "cannot write into"},
      {dir.File("game.krv") + " --play-rom " + dir.File("a.asm") + " --map Nowhere", "no map named Nowhere"},
      {dir.File("walled.krv") + " --play-rom " + dir.File("a.asm") + " --map \"Held out\"", "is on a solid metatile"},
      {dir.File("game.krv") + " --play-rom " + dir.File("a.asm"), "--play-rom requires --map"},
      {dir.File("game.krv") + " --asm " + dir.File("a.asm") + " --area 2nd", "not a digit first"},
      {"--import-sprites " + dir.File("game.krv") + " --into " + dir.File("new.krv") + " --cell 16", "--cell is WxH"},
      {"--import-sprites " + dir.File("game.krv") + " --into " + dir.File("new.krv"), "not a PNG"},
      {dir.File("game.krv") + " --sprite-sheet " + dir.File("p"), "has no metasprites"},
      {dir.File("game.krv") + " --asm " + dir.File("a.asm") + " --area _GFX", "--area names an sdas export's area"},
      {dir.File("twice.krv"), "targets 1 and 2 both write \"out/./gfx.a99\""},
      {dir.File("game.krv") + " --asm " + dir.File("a.asm") + " --only Nowhere", "--only: no record named \"Nowhere\""},
      {dir.File("game.krv") + " --c " + dir.path().string(), "it is a folder"},
      {dir.File("game.krv") + " --asm " + dir.File("a.asm") + " --palette pal", "--palette pal is none of the"},
      {dir.File("game.krv") + " --palette-file " + dir.File("a.asm"), "--palette-file ends in .gpl"},
      {dir.File("game.krv") + " --tmx " + dir.File("a.tmx"), "has 0: name one with --only"},
      {"--import-tmx " + dir.File("game.krv") + " --into " + dir.File("new.krv"), "is not XML Tiled writes"},
      {"--import-aseprite " + dir.File("game.krv") + " --into " + dir.File("new.krv"), "not an Aseprite file"},
      {"--into " + dir.File("game.krv") + " --make-map Nowhere", "--make-map: there is no screen named \"Nowhere\""},
      {"--into " + dir.File("game.krv") + " --make-map \"Name Table 1\" --speed Nowhere:2", "no map named"},
      {"--into " + dir.File("game.krv") + " --start 3,4", "--start: give MAP:X,Y in pixels"},
      {"--into " + dir.File("new.krv") + " --solid Map:1", "cannot load"},
  };
  const std::string game = ReadFile(dir.File("game.krv"));
  for (const auto& [arguments, message] : cases) {
    EXPECT_NE(RunExport(dir, arguments), 0) << arguments;
    EXPECT_NE(ReadFile(dir.File("err.txt")).find(message), std::string::npos) << ReadFile(dir.File("err.txt"));
  }
  EXPECT_FALSE(std::filesystem::exists(dir.File("a.asm")));
  EXPECT_FALSE(std::filesystem::exists(dir.File("p")));
  EXPECT_FALSE(std::filesystem::exists(dir.File("new.krv")));
  EXPECT_EQ(ReadFile(dir.File("game.krv")), game) << "a refused map option saves nothing";
  EXPECT_EQ(RunExport(dir, "--version"), 0);
  EXPECT_EQ(RunExport(dir, "--list-palettes"), 0);
  EXPECT_EQ(ReadFile(dir.File("out.txt")).substr(0, 32), "tms9918a #000000 #21C842 #5EDC78") << "colours 1-15";
  EXPECT_EQ(RunExport(dir, dir.File("game.krv") + " --list-targets"), 0);
  EXPECT_EQ(ReadFile(dir.File("out.txt")),
            dir.File("game.krv") + " has no export targets: add them in the editor (File > Export...)\n");
}

// Under Wine, needing the Windows build (scripts/build-windows) named by TESSELLARY_WINDOWS_BUILD.
TEST(ExportCommand, TheWindowsBuildWritesEveryFormatAsThisOneDoes) {
  const char* build = std::getenv("TESSELLARY_WINDOWS_BUILD");
  if (!build || !*build) GTEST_SKIP() << "no Windows build named";
  TempDir dir;
  // The test run's Wine prefix when it has one; UTF-8 so that Wine hands the names on whole.
  const char* prefix = std::getenv("WINEPREFIX");
  const std::string wine =
      "LC_ALL=C.UTF-8 WINEDEBUG=-all WINEPREFIX='" + (prefix ? std::string(prefix) : dir.File("wine")) + "' wine";
  MakeWalkProject(2);
  project.metasprites = {Metasprite{"Hero", 32, 16, {{3, 16, 0}, {1, 0, -2}}}};
  ASSERT_EQ(SaveProject(dir.File("Écran 1.krv")), FileResult::Ok);
  const std::string project = "'../Écran 1.krv'";
  const std::string runs[] = {
      project +
          " --asm a.asm --c c.h --basic b.bas --msx-basic m.bas --ti t.a99 --sat s.asm --bin bin --sc2 sc2"
          " --png png --scale 2 --maps maps",
      project + " --asm z.asm --asm-dialect z80asm --bin binz --compress zx0",
      project + " --asm sd.s --asm-dialect sdas --c-extern sd.h --area _GFX --sc2 sc2p --compress pletter",
      project + " --c h.h --c-source h.c --only Second 'Set 1' --tables patterns,colours,names --runtime rt",
      project + " --rom msx.rom --screen all",
      project + " --rom sg.rom --machine sg1000 --play-rom walk.rom --map 'Held out'",
      project + " --sprite-sheet 'ドット.png' --png 'フォルダ/絵'",
      project + " --asm 'フォルダ/Écran.asm'",
      "--import-png 'ドット.png' --into 'ドット.krv'",
  };
  const std::string programs[] = {TESSELLARY_EXPORT, wine + " '" + build + "/tessellary-export.exe'"};
  for (const std::string& arguments : runs)
    for (int side = 0; side < 2; ++side) {
      const std::string folder = dir.File(side ? "windows" : "linux");
      std::filesystem::create_directories(folder);
      const std::string command = "cd '" + folder + "' && " + programs[side] + " " + arguments + " > out 2> err";
      ASSERT_EQ(std::system(command.c_str()), 0) << arguments << "\n" << ReadFile(folder + "/err");
    }
  const auto here = FilesUnder(dir.File("linux")), there = FilesUnder(dir.File("windows"));
  EXPECT_GT(here.size(), 40u);
  EXPECT_TRUE(here == there) << "files differ between the builds";
}
