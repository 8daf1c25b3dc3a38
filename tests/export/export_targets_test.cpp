// Export targets: each text format read back by its own toolchain (or parsed,
// for the BASICs and TI-99/4A) gives the binary tables' bytes; targets survive
// the project file and a damaged one is refused.
#include "export/export_targets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "app/export/export_commands.h"
#include "storage/project_file.h"
#include "support/project_fixtures.h"
#include "support/temp_dir.h"

namespace {
// Every table as the binary tables hold them, in the text exports' order.
std::string BinaryTablesInTextOrder(const Project& data) {
  std::string sprites, sets, names, attributes, maps;
  for (const OutputFile& file : BinaryTableFiles(data, SelectAll(data, kAllTables))) {
    const std::string type = std::filesystem::path(file.name).extension().string();
    if (type == ".spr") sprites += file.bytes;
    if (type == ".pat" || type == ".gcl" || type == ".col") sets += file.bytes;
    if (type == ".blk" || type == ".nam") names += file.bytes;
    if (type == ".sat") attributes += file.bytes;
    if (type == ".mtl" || type == ".map" || type == ".sol") maps += file.bytes;
  }
  return sprites + sets + names + attributes + maps;
}

ExportTarget Target(ExportFormat format, const std::string& path) {
  ExportTarget target = DefaultExportTarget(format);
  target.path = path;
  target.tables = kAllTables;
  return target;
}

// "" when the command succeeds, else what it printed.
std::string Shell(const std::string& command, const TempDir& dir) {
  const std::string log = dir.File("shell.log");
  if (std::system(("(" + command + ") > " + log + " 2>&1").c_str()) == 0) return "";
  return command + ":\n" + ReadFile(log);
}

// The bytes of every "<prefix>" data line, the numbers after `byteMark` in hex.
std::string ParseDataLines(const std::string& text, const std::string& prefix, const std::string& byteMark) {
  std::string bytes;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    const std::size_t at = line.find(prefix);
    if (at == std::string::npos) continue;
    for (std::size_t mark = line.find(byteMark, at); mark != std::string::npos; mark = line.find(byteMark, mark + 1))
      bytes += static_cast<char>(std::stoi(line.substr(mark + byteMark.size(), 2), nullptr, 16));
  }
  return bytes;
}

// Assembles gfx.s, gfx.z80 and gfx.asm in `dir`, each with its own tool, and checks that each gives `expected`.
void ExpectAssembledToBytes(const TempDir& dir, const std::string& expected) {
  const std::string d = dir.path().string() + "/";
  const std::string sdas = "sdasz80 -o gfx.rel gfx.s && sdldz80 -i gfx.ihx gfx.rel && makebin -p gfx.ihx sdas.bin";
  EXPECT_EQ(Shell("cd " + d + " && " + sdas, dir), "");
  EXPECT_EQ(Shell("z80asm -o " + d + "z80.bin " + d + "gfx.z80", dir), "");
  EXPECT_EQ(Shell("pasmo " + d + "gfx.asm " + d + "pasmo.bin", dir), "");
  for (const char* binary : {"sdas.bin", "z80.bin", "pasmo.bin"})  // sdas: each table's size as a word after them
    EXPECT_TRUE(ReadFile(d + binary).substr(0, expected.size()) == expected) << binary;
}
}  // namespace

TEST(ExportTargets, EachToolchainReadsBackTheBinaryTablesBytes) {
  SKIP_UNDER_WINDOWS("runs Linux programs");
  TempDir dir;
  MakeRichProject();
  SetName(tileSets[1].name, "int");  // a C keyword
  nameTables[1].placements = {{2, 30, 40}};
  Map map = DefaultMap();
  SetName(map.name, "Level map");
  map.width = 7, map.height = 3, map.metatiles.resize(2), map.metatiles[1].tiles[3] = 9;
  map.cells.assign(21, 1), map.cells[20] = 0;
  project.maps = {map};
  // A screen of each mode, and a Graphics I set, whose colours are its 32 bytes only.
  nameTables.push_back(nameTables[2]);
  nameTables[0].mode = ScreenMode::Graphics1, nameTables[2].mode = ScreenMode::Text,
  nameTables[3].mode = ScreenMode::Multicolor;
  nameTables[2].textCells.assign(960, 7), nameTables[3].blocks.assign(3072, 9), tileSets[2].graphics1 = true;
  const std::string expected = BinaryTablesInTextOrder(project);
  const std::string d = dir.path().string() + "/";

  // Assemblers: each dialect assembled (and linked) by its own tool.
  ExportTarget sdas = Target(ExportFormat::Assembly, "gfx.s"), z80 = Target(ExportFormat::Assembly, "gfx.z80");
  sdas.dialect = AsmDialect::Sdas, z80.dialect = AsmDialect::Z80asm;
  for (const ExportTarget& target : {sdas, z80, Target(ExportFormat::Assembly, "gfx.asm")})
    ASSERT_TRUE(WriteExportTarget(project, target, dir.path().string(), false).error.empty());
  ExpectAssembledToBytes(dir, expected);
  // (C linking the sdas export through its header: the C cartridge on the emulator.)
  // The target's own area, for the linker to place; a name sdas would misread is refused.
  sdas.area = "_GFX";
  ASSERT_TRUE(WriteExportTarget(project, sdas, d, false).error.empty());
  EXPECT_EQ(Shell("cd " + d + " && sdasz80 -o gfx.rel gfx.s && sdldz80 -m -i u.ihx gfx.rel; grep -q '^_GFX ' u.map", dir), "");
  sdas.area = "2nd area";
  EXPECT_EQ(WriteExportTarget(project, sdas, d, false).error,
            "\"2nd area\" is not an area sdas takes: ASCII letters, digits and _, not a digit first");

  // C: the header in two files of one host program, static and extern, and through SDCC.
  const ExportLabels labels = LabelExportedRecords(project);
  std::string main = "#include <stdio.h>\n#include \"gfx.h\"\nvoid other(void);\nint main(void) {\n";
  for (const DataBlock& block : ExportBlocks(project, labels, SelectAll(project, kAllTables)))
    main += "  fwrite(" + block.label + ", 1, " + block.label + "_SIZE, stdout);\n";
  WriteFile(d + "main.c", main + "  other();\n  return 0;\n}\n");
  WriteFile(d + "other.c",
            "#include \"gfx.h\"\n#if Level_map_WIDTH != 7 || Level_map_HEIGHT != 3 || Level_map_cells_SIZE != "
            "21\n#error\n#endif\n"
            "void other(void) {}\n");
  ExportTarget header = Target(ExportFormat::CHeader, "gfx.h");
  ASSERT_TRUE(WriteExportTarget(project, header, dir.path().string(), false).error.empty());
  EXPECT_EQ(Shell("cd " + d + " && sdcc -mz80 -c other.c", dir), "");
  EXPECT_EQ(Shell("cd " + d + " && cc -Wall -Werror main.c other.c -o static", dir), "");
  EXPECT_EQ(Shell("cd " + d + " && ./static > static.bin", dir), "");
  header.cExtern = true;
  ASSERT_TRUE(WriteExportTarget(project, header, dir.path().string(), false).error.empty());
  EXPECT_EQ(Shell("cd " + d + " && sdcc -mz80 -c gfx.c && cc -Wall -Werror main.c other.c gfx.c -o extern", dir), "");
  EXPECT_EQ(Shell("cd " + d + " && ./extern > extern.bin", dir), "");
  EXPECT_TRUE(ReadFile(d + "static.bin") == expected);
  EXPECT_TRUE(ReadFile(d + "extern.bin") == expected);
  EXPECT_NE(ReadFile(d + "gfx.h").find("int_colours"), std::string::npos) << "a keyword is no label with its kind";
  header.path = "2d.h";
  EXPECT_NE(PrepareExport(project, header, "").files[0].bytes.find("\n#ifndef _2D_H\n#define _2D_H\n"),
            std::string::npos);

  // MSX-BASIC and TI-99/4A: parsed back; BASIC lines ascend and stay within 255 characters.
  ExportTarget msx = Target(ExportFormat::MsxBasic, "gfx.bas");
  msx.firstLine = 100, msx.lineStep = 5;
  ASSERT_TRUE(WriteExportTarget(project, msx, dir.path().string(), false).error.empty());
  ASSERT_TRUE(
      WriteExportTarget(project, Target(ExportFormat::Ti99, "gfx.a99"), dir.path().string(), false).error.empty());
  const std::string basic = ReadFile(d + "gfx.bas");
  EXPECT_TRUE(ParseDataLines(basic, " DATA ", "&H") == expected);
  EXPECT_TRUE(ParseDataLines(ReadFile(d + "gfx.a99"), " BYTE ", ">") == expected);
  std::istringstream lines(basic);
  int last = 95;
  for (std::string line; std::getline(lines, line);) {
    const int number = std::stoi(line);
    EXPECT_EQ(number, last + 5) << line;
    EXPECT_LE(line.size(), kMaxBasicLineLength);
    last = number;
  }
  EXPECT_EQ(basic.substr(0, 50), "100 REM Tessellary export, label scheme 2\n105 REM ");
  msx.firstLine = 65000;
  EXPECT_NE(WriteExportTarget(project, msx, dir.path().string(), false).error.find("would pass 65529"),
            std::string::npos);
}

TEST(ExportTargets, ChosenRecordsTablesAndPathsAreWhatTheTargetSays) {
  SKIP_UNDER_WINDOWS("runs Linux programs");
  TempDir dir;
  MakeRichProject();
  project.maps = {DefaultMap()};
  ExportSelection chosen = SelectAll(project, kAllTables);
  chosen.maps[0] = false;  // a map left out draws no picture
  std::string pictures;
  for (const OutputFile& file : PngFiles(project, 1, chosen)) pictures += file.name + " ";
  EXPECT_EQ(pictures, "Screen.png Screen_2.png Screen_3.png Set_0.sheet.png Set_1.sheet.png Set_2.sheet.png ");
  for (const DataBlock& block : ExportBlocks(project, LabelExportedRecords(project), chosen))
    EXPECT_EQ(block.label.find("Map_1"), std::string::npos) << "nor any table";
  ExportTarget target = Target(ExportFormat::BinaryTables, "out/bin");
  target.allRecords = false, target.tileSets = {"Set 2", "Nothing"}, target.tables = kPatternTable;
  const ExportOutcome outcome = WriteExportTarget(project, target, dir.path().string(), false);
  ASSERT_TRUE(outcome.error.empty()) << outcome.error;
  EXPECT_EQ(outcome.written, (std::vector<std::string>{dir.File("out/bin/Set_2.pat"), dir.File("out/bin/index.txt")}));
  EXPECT_EQ(outcome.notes.front(), "no record named \"Nothing\"");
  nameTables[0].placements = {{99, 0, 0}};
  const std::string noSprite = "sprite attributes: Screen: placement 0: names no sprite, left out";
  for (auto [format, noted] : {std::pair{ExportFormat::BinaryTables, 1}, {ExportFormat::Png, 0}}) {
    const std::vector<std::string> notes = PrepareExport(project, Target(format, "out"), "").notes;
    EXPECT_EQ(std::count(notes.begin(), notes.end(), noSprite), noted) << "a picture has no sprite table to warn of";
  }
  for (auto [chosen, stored] : {std::pair{"/p/gfx/a.asm", "gfx/a.asm"},
                                {"/p/a.asm", "a.asm"},
                                {"/q/a.asm", "/q/a.asm"},
                                {"/p/../q/a.asm", "/q/a.asm"}})
    EXPECT_EQ(StoreTargetPath(chosen, "/p"), stored) << chosen;
  EXPECT_EQ(ResolveTargetPath("gfx/a.asm", "/p"), "/p/gfx/a.asm");
  ExportTarget patternsOnly = Target(ExportFormat::Ti99, "p.a99");
  patternsOnly.tables = kPatternTable;
  const std::string ti = PrepareExport(project, patternsOnly, "").files[0].bytes;
  EXPECT_TRUE(ti.find("\nSet_0_patterns\n       BYTE >") != std::string::npos && ti.find("Screen") == std::string::npos)
      << "labels in column 1, lines unnumbered, only the tables taken";
  // Chosen records bring what they need: a screen its sets and placed sprites, a metasprite its parts' sprites.
  MakeMachineProject();
  project.metasprites = {Metasprite{"hero", 32, 16, {{4, 0, 0}, {5, 16, 0}}, {}}};
  ExportTarget level = Target(ExportFormat::Assembly, "level.asm");
  level.allRecords = false, level.nameTables = level.sprites = {"Second", "hero"};
  const ExportSelection needed = SelectForTarget(project, level);
  EXPECT_TRUE(needed.unknownNames.empty());
  EXPECT_EQ(needed.nameTables, (std::vector<bool>{false, true}));
  EXPECT_EQ(needed.tileSets, (std::vector<bool>{false, false, false, true, true, true}));
  EXPECT_EQ(needed.sprites, (std::vector<bool>{false, false, true, false, true, true}));
  EXPECT_EQ(needed.metasprites, std::vector<bool>{true});
  EXPECT_EQ(SpritePatternNumbers(needed, project.spriteSize), (std::vector<int>{-1, -1, 0, -1, 4, 8}));
  MakeRichProject();
  ExportTarget leftOver = DefaultExportTarget(ExportFormat::Assembly);
  leftOver.cExtern = true;  // set while it was a C target
  EXPECT_EQ(ExportFormatName(leftOver), "Assembly (pasmo)");

  // The shared layout gives every third of a screen file the top third's set.
  nameTables[0].thirdTileSets[1] = 2;
  ExportTarget screens = Target(ExportFormat::Screen2, "sc2");
  screens.layout = ThirdsLayout::SharedFirstSet;
  const ExportRun run = PrepareExport(project, screens, "");
  const std::string patterns = std::string(run.files[0].bytes, 7, 0x1800);
  EXPECT_EQ(patterns.substr(0x800, 0x800), patterns.substr(0, 0x800));
}

TEST(ExportTargets, SurviveTheProjectFileAndADamagedOneIsRefused) {
  MakeRichProject();
  const std::string without = SerializeProject(project);
  ExportTarget target = Target(ExportFormat::CHeader, "gfx.h");
  target.allRecords = false, target.sprites = {"Ship"};
  project.exportTargets = {target};
  const std::string with = SerializeProject(project);
  ASSERT_EQ(with.compare(0, without.size(), without), 0) << "the block follows today's file unchanged";
  EXPECT_EQ(with[without.size() + 4], 1) << "the first version while no target packs";
  Project read;
  ASSERT_EQ(ParseImage(with, read), FileResult::Ok);
  EXPECT_EQ(read.exportTargets, project.exportTargets);
  for (std::size_t cut = without.size() + 1; cut < with.size(); ++cut)
    EXPECT_NE(ParseImage(with, read, cut), FileResult::Ok) << cut;
  // A target of every format, as the window adds them, each at a path of its own.
  ExportWindowState window;
  Project every = project;
  for (int format = 0; format < kExportFormats; ++format)
    AddExportTarget(window, every.exportTargets, ExportFormat(format));
  ASSERT_EQ(ParseImage(SerializeProject(every), read), FileResult::Ok);
  EXPECT_EQ(read.exportTargets, every.exportTargets);
  // The format past the last and negative, the path's length.
  for (auto [at, byte] :
       {std::pair{without.size() + 16, 0x7F}, {without.size() + 19, 0x80}, {without.size() + 20, 0x7F}})
    EXPECT_TRUE(RefusedWith(with, at, byte)) << at;
  // A target that packs makes the block's second version, which adds each target's compression.
  project.exportTargets.push_back(Target(ExportFormat::BinaryTables, "bin"));
  project.exportTargets.back().compression = Compression::Pletter;
  std::string packed = SerializeProject(project);
  EXPECT_EQ(packed[without.size() + 4], 2) << "the version";
  ASSERT_EQ(ParseImage(packed, read), FileResult::Ok);
  EXPECT_EQ(read.exportTargets, project.exportTargets);
  packed[packed.size() - 4] = 3;  // the last target's compression
  EXPECT_EQ(ParseImage(packed, read), FileResult::TruncatedOrCorrupt);
  // Maps chosen by name make the third version; more names than records could have are refused.
  project.exportTargets[0].maps = {"World"};
  const std::string mapped = SerializeProject(project);
  EXPECT_EQ(mapped[without.size() + 4], 3);
  ASSERT_EQ(ParseImage(mapped, read), FileResult::Ok);
  EXPECT_EQ(read.exportTargets, project.exportTargets);
  // Kinds packed other than the default make the fifth.
  project.exportTargets[0].packedTables = kNameTableData | kMetaspriteTables;
  std::string kinds = SerializeProject(project);
  EXPECT_EQ(kinds[without.size() + 4], 5);
  ASSERT_EQ(ParseImage(kinds, read), FileResult::Ok);
  EXPECT_EQ(read.exportTargets, project.exportTargets);
  kinds[kinds.size() - 1] = 1;  // the last target's kinds past every kind
  EXPECT_EQ(ParseImage(kinds, read), FileResult::TruncatedOrCorrupt);
  project.exportTargets[0].sprites.assign(257, "Ship");
  const std::string crowded = SerializeProject(project);
  EXPECT_EQ(ParseImage(crowded, read), FileResult::TruncatedOrCorrupt);
}

TEST(ExportTargets, PackedTablesUnpackToTheTablesTheUnpackedExportWrites) {
  SKIP_UNDER_WINDOWS("runs Linux programs");
  TempDir dir;
  MakeRichProject();
  const std::string d = dir.path().string() + "/", expected = BinaryTablesInTextOrder(project);
  std::string error;
  for (const Compression compression : {Compression::Zx0, Compression::Pletter}) {
    const std::string suffix = kCompressionSuffixes[static_cast<int>(compression)];
    auto unpack = [compression](const std::string& stream, std::size_t size) {
      std::vector<uint8_t> out;
      std::string error;
      EXPECT_TRUE(UnpackTable(compression, std::vector<uint8_t>(stream.begin(), stream.end()), size, out, error))
          << error;
      return std::string(out.begin(), out.end());
    };
    // Folders: each table's file packed beside the name it has unpacked, and listed with both sizes.
    for (const ExportFormat format : {ExportFormat::BinaryTables, ExportFormat::Screen2}) {
      ExportTarget target = Target(format, "plain");
      const ExportRun plain = PrepareExport(project, target, "");
      target.compression = compression, target.path = "packed" + suffix, target.packedTables = kAllTables;
      const ExportOutcome outcome = WriteExportTarget(project, target, dir.path().string(), false);
      ASSERT_TRUE(outcome.error.empty()) << outcome.error;
      const std::string index = ReadFile(d + target.path + "/index.txt");
      for (const OutputFile& file : plain.files) {
        if (file.name == "index.txt") continue;
        EXPECT_TRUE(unpack(ReadFile(d + target.path + "/" + file.name + suffix), file.bytes.size()) == file.bytes)
            << file.name << suffix;
        EXPECT_NE(index.find("packed from " + std::to_string(file.bytes.size()) + ": " + file.description),
                  std::string::npos)
            << index;
      }
      EXPECT_EQ(outcome.packed.size() + 1, outcome.written.size()) << "every file but the index";
      // Unless asked, the small tables a game reads in place stay plain.
      target.packedTables = kPackedByDefault;
      for (const OutputFile& file : PrepareExport(project, target, "").files) {
        const std::string kind = file.name.substr(file.name.find('.'), 4);
        EXPECT_EQ(file.name.find(suffix) == std::string::npos, kind == ".sat" || kind == ".msp" || kind == ".txt")
            << file.name;
      }
    }
    // A stream that does not give back its table is caught before anything is written.
    const PackedTable table{"Set_0", std::vector<uint8_t>(expected.begin(), expected.begin() + 2048)};
    std::vector<PackedTable> tables = {table};
    ASSERT_TRUE(PackTables(compression, tables, error) &&
                PackedStreamFault(compression, tables[0].bytes, table).empty());
    std::vector<uint8_t> wrong = tables[0].bytes;
    wrong[wrong.size() / 2] ^= 0x10;
    EXPECT_NE(PackedStreamFault(compression, wrong, table).find("the packed Set_0 does not unpack"), std::string::npos);
    // Text: the packed streams under the tables' labels, assembled by each toolchain as they are.
    ExportTarget sdas = Target(ExportFormat::Assembly, "gfx.s"), z80 = Target(ExportFormat::Assembly, "gfx.z80");
    sdas.dialect = AsmDialect::Sdas, z80.dialect = AsmDialect::Z80asm;
    std::string streams, unpacked;
    for (ExportTarget target : {sdas, z80, Target(ExportFormat::Assembly, "gfx.asm"),
                                Target(ExportFormat::Ti99, "gfx.a99"), Target(ExportFormat::MsxBasic, "gfx.bas")}) {
      target.compression = compression, target.packedTables = kAllTables;
      const ExportOutcome outcome = WriteExportTarget(project, target, dir.path().string(), false);
      ASSERT_TRUE(outcome.error.empty()) << outcome.error;
      streams.clear(), unpacked.clear();
      for (const PackedTable& table : outcome.packed) {
        streams.append(table.bytes.begin(), table.bytes.end());
        unpacked += unpack(std::string(table.bytes.begin(), table.bytes.end()), table.unpacked);
      }
      EXPECT_TRUE(unpacked == expected) << target.path;
      EXPECT_EQ(outcome.packed[0].name, "sprite_patterns") << "all the sprites as one table";
    }
    ExpectAssembledToBytes(dir, streams);
    EXPECT_TRUE(ParseDataLines(ReadFile(d + "gfx.a99"), " BYTE ", ">") == streams);
    EXPECT_TRUE(ParseDataLines(ReadFile(d + "gfx.bas"), " DATA ", "&H") == streams);
    EXPECT_NE(ReadFile(d + "gfx.asm").find("Set_0_patterns_SIZE: equ 2048"), std::string::npos);
    // C: the packed arrays and both sizes, compiled.
    ExportTarget header = Target(ExportFormat::CHeader, "packed.h");
    header.compression = compression, header.packedTables = kAllTables;
    const ExportOutcome outcome = WriteExportTarget(project, header, dir.path().string(), false);
    std::string main = "#include <stdio.h>\n#include \"packed.h\"\nint main(void) {\n";
    for (const PackedTable& table : outcome.packed)
      main += "  fwrite(" + table.name + ", 1, " + table.name + "_PACKED_SIZE, stdout);\n  if (" + table.name +
              "_SIZE != " + std::to_string(table.unpacked) + ") return 1;\n";
    WriteFile(d + "packed.c", main + "  return 0;\n}\n");
    EXPECT_EQ(Shell("cd " + d + " && cc -Wall -Werror packed.c -o packed && ./packed > packed.bin", dir), "");
    EXPECT_TRUE(ReadFile(d + "packed.bin") == streams);
  }
}

TEST(ExportTargets, TheConstantsSayWhatAProgramWouldOtherwiseHardCode) {
  MakeWalkProject(2);
  SetName(project.metasprites[0].name, "Hero");  // an unnamed one is not exported, nor a strip showing it
  project.spriteSize.magnified = true;
  ExportTarget header = Target(ExportFormat::CHeader, "walk.h");
  header.tables = kAllTables;
  const std::string text = PrepareExport(project, header, "").files[0].bytes;
  for (const char* line :
       {"#define walk_SPRITE_REGISTER1_BITS 3\n", "#define walk_GRAPHICS2_REGISTER1 195\n",
        "#define walk_GRAPHICS1_COLOURS_VRAM 8192\n", "#define walk_TEXT_PATTERNS_VRAM 2048\n",
        "#define walk_MULTICOLOR_NAMES_VRAM 2048\n", "#define Held_out_METATILE_SIZE 2\n", "#define Held_out_START_X ",
        "#define strip_1_TICKS 9\n", "static const unsigned char strip_1["})
    EXPECT_NE(text.find(line), std::string::npos) << line;
  const int frames = static_cast<int>(std::count_if(
      std::begin(project.strips.cells[0]), std::end(project.strips.cells[0]), [](int32_t cell) { return cell >= 0; }));
  EXPECT_NE(text.find("#define strip_1_FRAMES " + std::to_string(frames) + "\n"), std::string::npos);
}
