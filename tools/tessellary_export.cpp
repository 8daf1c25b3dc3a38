// tessellary-export: the editor's exports from the command line, for a game's
// build. The same function as the editor's Export Again writes the same bytes.
//   tessellary-export PROJECT.krv                 every export target of the project
//   tessellary-export PROJECT.krv [--asm FILE [--c-extern FILE] [--area NAME]] [--c FILE [--c-source FILE]] [--basic
//   FILE]
//   [--msx-basic FILE]
//                     [--ti FILE] [--bin DIR] [--sc2 DIR] [--png DIR] [--sat FILE] [--scale N]
//                     [--asm-dialect pasmo|sdas|z80asm] [--tables LIST] [--only NAME...] [--one-set]
//                     [--compress zx0|pletter[:KINDS]] [--maps DIR]
//   tessellary-export PROJECT.krv --list-targets
//   tessellary-export PROJECT.krv --rom FILE [--machine msx1|sg1000] [--screen NAME...|all]
//   tessellary-export PROJECT.krv --play-rom FILE --map NAME [--machine msx1|sg1000]
//   tessellary-export --runtime DIR [--machine msx1|sg1000]
//   tessellary-export --import-png IMAGE --into PROJECT.krv [--dither none|ordered|diffusion] [--strength N]
//                     [--one-set] [--max-tiles N] [--mode graphics2|graphics1|text|multicolor]
//   tessellary-export --import-sc2|--import-sc1|--import-sc0|--import-sc3|--import-screen FILE --into PROJECT.krv
#include <CLI/CLI.hpp>
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "export/build_outputs.h"
#include "export/cartridge.h"
#include "export/export_blocks.h"
#include "export/export_targets.h"
#include "export/game_runtime.h"
#include "export/map_setup.h"
#include "export/palette_file.h"
#include "export/play_cartridge.h"
#include "export/sprite_sheet_image.h"
#include "export/tiled_map.h"
#include "import/aseprite_import.h"
#include "import/png_import.h"
#include "import/screen_file_import.h"
#include "import/sprite_sheet.h"
#include "import/tiled_map_import.h"
#include "storage/project_file.h"
#include "storage/utf8_path.h"

namespace {
constexpr const char* kVersion = "tessellary-export 60.20863";

struct Options {
  int screenMode = -1;  // the mode --import-scN asks for; -1: --import-screen, by the file's size
  std::string project, importImage, importScreen, importSprites, importTmx, importAseprite, into, rom, mapsFolder,
      cSource, cExtern, area;
  std::string playRom, map, runtime;
  std::string spriteSheet, cell, transparent, paletteFile, tmxFile;
  SpriteSheetOptions sheet;
  Machine machine = Machine::Msx1;
  std::vector<std::string> screens;
  std::map<ExportFormat, std::string> outputs;  // format -> path
  AsmDialect dialect = AsmDialect::Pasmo;
  Compression compression = Compression::None;
  std::string compress;                      // --compress FORMAT[:KINDS] as given
  uint32_t packedTables = kPackedByDefault;  // the kinds it packs
  ImportOptions picture;
  std::vector<std::string> tables, only;
  bool oneSet = false, listTargets = false, listPalettes = false;
  std::string palette;  // --palette: the run's, for its imports and exports
  // A map made and set up for play: --make-map's screen, then MAP:VALUE each.
  std::string makeMap, mapName, walker, start, speed;
  std::vector<std::string> solid;
  int metatile = 2;
  int scale = 1;
  std::FILE* report = stdout;  // the lines that say what was written; stderr when the export itself goes to stdout
};

// "-", or a name of this process's own standard output (/dev/stdout, /dev/fd/1):
// written to the stream as it is, so that a redirection or a pipe gets the bytes.
bool IsStandardOutput(const std::string& path) {
  std::error_code error;
  return path == kStandardOutput || std::filesystem::equivalent(Utf8Path(path), "/dev/stdout", error);
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "tessellary-export: %s\n", message.c_str());
  return 1;
}

// A newer version's palette: the run uses the first palette, and says so.
void WarnOfUnknownPalette(const std::string& path) {
  if (const std::string note = UnknownPaletteNote(project.palette); !note.empty())
    std::fprintf(stderr, "tessellary-export: %s: %s\n", path.c_str(), note.c_str());
}

// The project takes --palette's colours for the run (and keeps them when an import saves it).
int ApplyPaletteOption(const Options& options) {
  if (options.palette.empty()) return 0;
  if (!FindPalette(options.palette, project.palette))
    return Fail("--palette " + options.palette + " is none of the palettes (--list-palettes lists them)");
  return 0;
}

using Importer = std::function<ImportResult(const uint8_t*, std::size_t, const std::string&, Project&)>;

// A picture or a SCREEN 2 file into the project named by --into (made when missing).
int Import(const std::string& file, const Importer& importer, const Options& options) {
  std::vector<uint8_t> bytes;
  if (const FileResult result = ReadWholeFile(file, bytes); result != FileResult::Ok)
    return Fail("cannot read " + file + ": " + DescribeFileResult(result));
  std::error_code error;
  if (std::filesystem::exists(Utf8Path(options.into), error)) {
    if (const FileResult result = LoadProject(options.into); result != FileResult::Ok)
      return Fail("cannot load " + options.into + ": " + DescribeFileResult(result));
    WarnOfUnknownPalette(options.into);
  }
  if (const int status = ApplyPaletteOption(options); status != 0) return status;
  const std::string name = Utf8Text(Utf8Path(file).stem());
  const ImportResult imported = importer(bytes.data(), bytes.size(), name, project);
  if (!imported.ok) return Fail(imported.message);
  std::fprintf(options.report, "%s\n", imported.message.c_str());
  if (const FileResult result = SaveProject(options.into); result != FileResult::Ok)
    return Fail("cannot write " + options.into + ": " + DescribeFileResult(result));
  std::fprintf(options.report, "wrote %s\n", options.into.c_str());
  return 0;
}

// "MAP:REST" split at its first colon; false when there is none.
bool MapAndValue(const std::string& option, std::string& map, std::string& value) {
  const std::size_t colon = option.find(':');
  if (colon == std::string::npos) return false;
  map = option.substr(0, colon), value = option.substr(colon + 1);
  return true;
}

// The map options on the project named by --into, in the order a map is made
// and set up; all or nothing.
int SetUpMap(const Options& options) {
  if (const FileResult result = LoadProject(options.into); result != FileResult::Ok)
    return Fail("cannot load " + options.into + ": " + DescribeFileResult(result));
  WarnOfUnknownPalette(options.into);
  Project next = project;
  std::vector<std::string> done;
  std::string message, map, value;
  const auto apply = [&](bool ok) { return ok ? done.push_back(message), true : false; };
  if (!options.makeMap.empty() &&
      !apply(MakeMapFromScreen(next, options.makeMap, options.metatile, options.mapName, message)))
    return Fail("--make-map: " + message);
  for (const std::string& solid : options.solid)
    if (!MapAndValue(solid, map, value) || !apply(MarkSolid(next, map, value, message)))
      return Fail("--solid " + solid + ": " + (message.empty() ? "give MAP:METATILES, such as Level:3,7-9" : message));
  if (!options.walker.empty() &&
      (!MapAndValue(options.walker, map, value) || !apply(SetWalker(next, map, value, message))))
    return Fail("--walker: " + (message.empty() ? "give MAP:SPRITE_OR_METASPRITE_OR_STRIP" : message));
  int x = 0, y = 0, speed = 0;
  char end = 0;
  if (!options.start.empty() &&
      (!MapAndValue(options.start, map, value) || std::sscanf(value.c_str(), "%d,%d%c", &x, &y, &end) != 2 ||
       !apply(SetWalkStart(next, map, x, y, message))))
    return Fail("--start: " + (message.empty() ? "give MAP:X,Y in pixels" : message));
  if (!options.speed.empty() &&
      (!MapAndValue(options.speed, map, value) || std::sscanf(value.c_str(), "%d%c", &speed, &end) != 1 ||
       !apply(SetWalkSpeed(next, map, speed, message))))
    return Fail("--speed: " + (message.empty() ? "give MAP:N" : message));
  project = std::move(next);
  for (const std::string& line : done) std::fprintf(options.report, "%s\n", line.c_str());
  if (const FileResult result = SaveProject(options.into); result != FileResult::Ok)
    return Fail("cannot write " + options.into + ": " + DescribeFileResult(result));
  std::fprintf(options.report, "wrote %s\n", options.into.c_str());
  return 0;
}

const std::map<std::string, uint32_t> kTableNames = {
    {"patterns", kPatternTable}, {"colours", kColourTable},         {"colors", kColourTable},
    {"names", kNameTableData},   {"sprites", kSpritePatterns},      {"attributes", kSpriteAttributeTable},
    {"maps", kMapData},          {"metasprites", kMetaspriteTables}};

// --compress FORMAT[:KINDS] into the options; false with the reason.
bool ReadCompress(Options& options, std::string& error) {
  const std::size_t colon = options.compress.find(':');
  std::string format = options.compress.substr(0, colon);
  std::transform(format.begin(), format.end(), format.begin(), [](unsigned char c) { return std::tolower(c); });
  if (format == "zx0" || format == "pletter")
    options.compression = format == "zx0" ? Compression::Zx0 : Compression::Pletter;
  else
    return error = "--compress packs with zx0 or pletter, not " + format, false;
  if (colon == std::string::npos) return true;
  options.packedTables = 0;
  std::stringstream kinds(options.compress.substr(colon + 1));
  for (std::string kind; std::getline(kinds, kind, ',');) {
    const auto found = kTableNames.find(kind);
    if (found == kTableNames.end())
      return error = "--compress: no kind of table is named \"" + kind +
                     "\": patterns, colours, names, sprites, attributes, maps, metasprites",
             false;
    options.packedTables |= found->second;
  }
  return options.packedTables != 0 || (error = "--compress " + format + ": name the kinds after the colon", false);
}

// The targets the output options describe, their paths as given (from the working folder).
std::vector<ExportTarget> TargetsFromOptions(const Options& options) {
  std::vector<ExportTarget> targets;
  for (const auto& [format, path] : options.outputs) {
    ExportTarget target = DefaultExportTarget(format);
    target.path = path;
    target.dialect = options.dialect;
    if (format == ExportFormat::Assembly) target.cHeaderPath = options.cExtern, target.area = options.area;
    target.scale = options.scale;
    if (TakesCompression(format)) target.compression = options.compression, target.packedTables = options.packedTables;
    if (format == ExportFormat::CHeader && !options.cSource.empty())
      target.cExtern = true, target.cSourcePath = options.cSource;
    target.layout = options.oneSet ? ThirdsLayout::SharedFirstSet : ThirdsLayout::PerThird;
    if (!options.tables.empty()) {
      target.tables = 0;
      for (const std::string& name : options.tables) target.tables |= kTableNames.at(name);
    }
    if (!options.only.empty()) {
      target.allRecords = false;
      target.sprites = target.tileSets = target.nameTables = target.maps = options.only;
    }
    targets.push_back(target);
  }
  if (!options.mapsFolder.empty()) {  // the binary tables' maps alone
    ExportTarget maps = DefaultExportTarget(ExportFormat::BinaryTables);
    maps.path = options.mapsFolder, maps.tables = kMapData, maps.compression = options.compression;
    maps.packedTables = options.packedTables;
    targets.push_back(maps);
  }
  return targets;
}

std::string Describe(const ExportTarget& target) {
  std::string text = ExportFormatName(target) + "  " + target.path;
  if (!target.allRecords) text += "  (chosen records)";
  return text;
}

// The cartridge of the name tables --screen names (the first when none), written only when all fit.
int WriteRom(const Options& options) {
  std::vector<std::size_t> shown;
  const std::vector<NameTable>& tables = project.nameTables;
  for (const std::string& name : options.screens) {
    if (name == "all") {
      for (std::size_t i = 0; i < tables.size(); ++i) shown.push_back(i);
      continue;
    }
    const auto found =
        std::find_if(tables.begin(), tables.end(), [&name](const NameTable& table) { return name == table.name; });
    if (found == tables.end()) return Fail("no name table named " + name);
    shown.push_back(static_cast<std::size_t>(found - tables.begin()));
  }
  if (options.screens.empty() && !tables.empty()) shown.push_back(0);
  const Cartridge cartridge = BuildCartridge(project, shown, options.machine);
  if (!cartridge.error.empty()) return Fail("no cartridge written: " + cartridge.error);
  if (const FileResult result = ReplaceFile(options.rom, cartridge.bytes, false); result != FileResult::Ok)
    return Fail("cannot write " + options.rom + ": " + DescribeFileResult(result));
  std::fprintf(options.report, "wrote %s (%zu KB for %s, %zu screens)\n", options.rom.c_str(),
               cartridge.bytes.size() / 1024, kMachineNames[int(options.machine)], shown.size());
  return 0;
}

// The Play Map cartridge of --map, the screen frame at the map's corner as a
// new Map Studio has it (the view starts around the walker when not there).
int WritePlayRom(const Options& options) {
  const auto found = std::find_if(project.maps.begin(), project.maps.end(),
                                  [&options](const Map& map) { return options.map == map.name; });
  if (found == project.maps.end()) return Fail("no map named " + options.map);
  const std::size_t index = static_cast<std::size_t>(found - project.maps.begin());
  const Cartridge cartridge = BuildPlayCartridge(project, index, options.machine, 0, 0);
  if (!cartridge.error.empty()) return Fail("no cartridge written: " + cartridge.error);
  if (const FileResult result = ReplaceFile(options.playRom, cartridge.bytes, false); result != FileResult::Ok)
    return Fail("cannot write " + options.playRom + ": " + DescribeFileResult(result));
  std::fprintf(options.report, "wrote %s (%zu KB for %s, map %s)\n", options.playRom.c_str(),
               cartridge.bytes.size() / 1024, kMachineNames[int(options.machine)], options.map.c_str());
  return 0;
}

// The runtime's sources for --machine, into a folder made when missing.
int WriteRuntime(const Options& options) {
  std::error_code error;
  std::filesystem::create_directories(Utf8Path(options.runtime), error);
  std::vector<std::string> written;
  if (const FileResult result = WriteOutputFiles(options.runtime, RuntimeFiles(options.machine), &written);
      result != FileResult::Ok)
    return Fail("cannot write into " + options.runtime + ": " + DescribeFileResult(result));
  for (const std::string& path : written) std::fprintf(options.report, "wrote %s\n", path.c_str());
  return 0;
}

int WriteSpriteSheet(const Options& options) {
  const std::string png = SpriteSheetPng(project);
  if (png.empty()) return Fail("no sprite sheet written: " + options.project + " has no metasprites");
  if (const FileResult result = ReplaceFile(options.spriteSheet, png, false); result != FileResult::Ok)
    return Fail("cannot write " + options.spriteSheet + ": " + DescribeFileResult(result));
  std::fprintf(options.report, "wrote %s (%zu metasprites)\n", options.spriteSheet.c_str(), project.metasprites.size());
  return 0;
}

int WritePaletteFile(const Options& options) {
  const ChipPalette& palette = PaletteOf(project.palette);
  const std::string text = PaletteFileText(palette, options.paletteFile);
  if (text.empty()) return Fail("--palette-file ends in .gpl (GIMP, Aseprite, Krita), .pal (JASC) or .hex");
  if (const FileResult result = ReplaceFile(options.paletteFile, text, false); result != FileResult::Ok)
    return Fail("cannot write " + options.paletteFile + ": " + DescribeFileResult(result));
  std::fprintf(options.report, "wrote %s (%s, colour 0 transparent)\n", options.paletteFile.c_str(), palette.name);
  return 0;
}

bool HasExtension(const std::string& path, const char* extension) {
  const std::size_t length = std::strlen(extension);
  if (path.size() < length) return false;
  return std::equal(path.end() - length, path.end(), extension,
                    [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
}

// One map as FILE.tmx, its .tsx and .png beside it.
int WriteTmxFile(const Options& options) {
  std::vector<std::size_t> chosen;
  for (std::size_t i = 0; i < project.maps.size(); ++i)
    if (options.only.empty() ||
        std::find(options.only.begin(), options.only.end(), project.maps[i].name) != options.only.end())
      chosen.push_back(i);
  if (chosen.size() != 1)
    return Fail(options.tmxFile + " takes one map and " + options.project + " has " + std::to_string(chosen.size()) +
                (options.only.empty() ? "" : " of the names --only gives") +
                ": name one with --only, or give --tmx a folder for every map");
  const std::filesystem::path path = Utf8Path(options.tmxFile);
  for (const OutputFile& file : TiledMapFiles(project, chosen[0], Utf8Text(path.stem()))) {
    const std::string written = Utf8Text(path.parent_path() / Utf8Path(file.name));
    if (const FileResult result = ReplaceFile(written, file.bytes, false); result != FileResult::Ok)
      return Fail("cannot write " + written + ": " + DescribeFileResult(result));
    std::fprintf(options.report, "wrote %s\n", written.c_str());
  }
  return 0;
}

int Export(const Options& options) {
  if (const FileResult result = LoadProject(options.project); result != FileResult::Ok)
    return Fail("cannot load " + options.project + ": " + DescribeFileResult(result));
  WarnOfUnknownPalette(options.project);
  if (const int status = ApplyPaletteOption(options); status != 0) return status;
  // A chosen name that names nothing would leave an export silently without it.
  for (const ExportTarget& target : TargetsFromOptions(options))
    if (const std::vector<std::string> unknown = SelectForTarget(project, target).unknownNames; !unknown.empty())
      return Fail("--only: " + unknown[0]);
  // The files of their own come first; the export targets follow only when outputs are named too.
  const std::pair<const std::string*, int (*)(const Options&)> ownFiles[] = {{&options.spriteSheet, WriteSpriteSheet},
                                                                             {&options.paletteFile, WritePaletteFile},
                                                                             {&options.tmxFile, WriteTmxFile},
                                                                             {&options.playRom, WritePlayRom},
                                                                             {&options.rom, WriteRom}};
  bool wroteOwn = false;
  for (const auto& [path, write] : ownFiles) {
    if (path->empty()) continue;
    if (const int status = write(options); status != 0) return status;
    wroteOwn = true;
  }
  if (wroteOwn && options.outputs.empty() && options.mapsFolder.empty()) return 0;
  if (options.listTargets) {
    if (project.exportTargets.empty())
      std::printf("%s has no export targets: add them in the editor (File > Export...)\n", options.project.c_str());
    for (const ExportTarget& target : project.exportTargets) std::printf("%s\n", Describe(target).c_str());
    return 0;
  }
  const bool fromOptions = !options.outputs.empty() || !options.mapsFolder.empty();
  const std::vector<ExportTarget> targets = fromOptions ? TargetsFromOptions(options) : project.exportTargets;
  if (!options.cExtern.empty() && options.dialect != AsmDialect::Sdas)
    return Fail("--c-extern declares an sdas export's tables: add --asm-dialect sdas");
  if (!options.area.empty() && options.dialect != AsmDialect::Sdas)
    return Fail("--area names an sdas export's area: add --asm-dialect sdas");
  if (options.compression != Compression::None && !fromOptions)
    return Fail("--compress goes with outputs named (--bin DIR...): the project's targets keep their own");
  if (options.compression != Compression::None &&
      std::none_of(targets.begin(), targets.end(), [](const ExportTarget& t) { return TakesCompression(t.format); }))
    return Fail("--compress packs the text, --bin and --sc2 exports; --png and --sat are written as they are");
  if (targets.empty())
    return Fail(options.project +
                " has no export targets: add them in the editor (File > Export...) "
                "or name outputs such as --asm FILE (see --help)");
  if (const std::string shared = TargetsSharingAPath(targets); !shared.empty() && !fromOptions)
    return Fail(options.project + ": " + shared);
  const std::string folder =
      fromOptions ? "" : Utf8Text(std::filesystem::absolute(Utf8Path(options.project)).parent_path());
  std::set<std::string> told;  // a note once, however many targets share it
  for (const ExportTarget& target : targets) {
    const ExportOutcome outcome = WriteExportTarget(project, target, folder, !fromOptions);
    for (const std::string& path : outcome.written) std::fprintf(options.report, "wrote %s\n", path.c_str());
    for (const std::string& line : DescribePacking(outcome.packed)) std::fprintf(options.report, "%s\n", line.c_str());
    for (const std::string& note : outcome.notes)
      if (told.insert(note).second) std::fprintf(stderr, "tessellary-export: %s\n", note.c_str());
    if (!outcome.error.empty()) return Fail(outcome.error);
  }
  return 0;
}
}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Writes a Tessellary project's graphics for a game's build: its export targets, or the outputs named."};
  Options options;
  app.set_version_flag("--version", kVersion);
  app.add_option("project", options.project, "The project file (.krv)");
  const std::pair<const char*, std::pair<ExportFormat, const char*>> outputs[] = {
      {"--asm", {ExportFormat::Assembly, "Assembly export (data lines in --asm-dialect)"}},
      {"--c", {ExportFormat::CHeader, "C header (static const arrays)"}},
      {"--basic", {ExportFormat::CvBasic, "CVBasic export (DATA BYTE lines)"}},
      {"--msx-basic", {ExportFormat::MsxBasic, "MSX-BASIC export (numbered DATA &Hxx lines)"}},
      {"--ti", {ExportFormat::Ti99, "TI-99/4A assembly (BYTE >xx lines)"}},
      {"--bin",
       {ExportFormat::BinaryTables, "Folder for the binary tables (.pat .col .nam .sat sprites.spr index.txt)"}},
      {"--sc2", {ExportFormat::Screen2, "Folder for the SCREEN 2 files for BLOAD (.sc2)"}},
      {"--png", {ExportFormat::Png, "Folder for the screens and tile sheets as PNG"}},
      {"--sat", {ExportFormat::SpriteAttributes, "Sprite attribute tables (db lines)"}},
      {"--tmx",
       {ExportFormat::TiledMaps,
        "Maps for Tiled: into a folder each map's .tmx, .tsx and metatile .png; or FILE.tmx for the one map "
        "(the project's only one, or the one --only names)"}},
      {"--aseprite",
       {ExportFormat::Aseprite,
        "Every metasprite into this Aseprite file: a frame each, a layer a chip colour, the strips as tags"}},
  };
  app.add_option("--maps", options.mapsFolder, "Folder for each map's metatiles (.mtl) and cells (.map)");
  std::map<ExportFormat, std::string> paths;
  std::map<std::string, CLI::Option*> flags;
  for (const auto& [flag, output] : outputs) flags[flag] = app.add_option(flag, paths[output.first], output.second);
  app.add_option("--c-source", options.cSource,
                 "With --c: the arrays in this .c file, extern declarations in the header")
      ->needs(flags["--c"]);
  app.add_option("--c-extern", options.cExtern, "With --asm in sdas: a C header declaring its tables, for C to link")
      ->needs(flags["--asm"]);
  app.add_option("--area", options.area, "With --asm in sdas: the .area the tables go in (_CODE)")
      ->needs(flags["--asm"])
      ->check([](const std::string& name) {
        return IsAreaName(name) ? "" : "letters, digits and _ only, not a digit first, at most 32";
      });
  app.add_option("--scale", options.scale, "Each chip pixel an N x N block in the PNGs")->check(CLI::Range(1, 16));
  app.add_option("--asm-dialect", options.dialect,
                 "Assembler of --asm: pasmo (db $00), sdas (.db 0x00), z80asm (defb 0x00)")
      ->transform(CLI::CheckedTransformer(
          std::map<std::string, AsmDialect>{
              {"pasmo", AsmDialect::Pasmo}, {"sdas", AsmDialect::Sdas}, {"z80asm", AsmDialect::Z80asm}},
          CLI::ignore_case));
  app.add_option("--compress", options.compress,
                 "FORMAT[:KINDS]: pack with zx0 or pletter the tables of the kinds named (patterns, colours, names, "
                 "sprites, attributes, maps, metasprites); without kinds all but the attribute and metasprite tables "
                 "(not the PNGs or --sat)");
  app.add_option("--tables", options.tables,
                 "Tables to write: patterns,colours,names,sprites,attributes,maps,metasprites")
      ->delimiter(',')
      ->check(
          CLI::IsMember({"patterns", "colours", "colors", "names", "sprites", "attributes", "maps", "metasprites"}));
  app.add_option("--only", options.only, "Only the records of these names");
  app.add_flag("--one-set", options.oneSet,
               "Every third of a screen from its top third's tile set; with --import-png, one tile set for all three");
  app.add_flag("--list-targets", options.listTargets, "Print the project's export targets");
  app.add_option("--palette", options.palette,
                 "The machine's colours for this run's imports and exports: tms9918a (the default), tms9929a, "
                 "v9938, sms, openmsx");
  app.add_flag("--list-palettes", options.listPalettes, "Print each palette: its name, then colours 1-15 as #RRGGBB");
  CLI::Option* rom = app.add_option("--rom", options.rom, "A cartridge image that shows name tables on the machine");
  app.add_option("--runtime", options.runtime,
                 "A folder for the runtime a game in C or sdas links (VRAM, unpacking, modes, metasprites, strips)");
  CLI::Option* machine =
      app.add_option("--machine", options.machine,
                     "The cartridge's or runtime's machine: msx1 (MSX1, the default) or sg1000 (SG-1000)")
          ->transform(CLI::CheckedTransformer(
              std::map<std::string, Machine>{{"msx1", Machine::Msx1}, {"sg1000", Machine::Sg1000}}, CLI::ignore_case));
  app.add_option("--screen", options.screens,
                 "Name tables the cartridge shows, the next at each key press (all: every one; the first when none)")
      ->needs(rom);
  CLI::Option* play = app.add_option("--play-rom", options.playRom,
                                     "A cartridge that walks through --map on the machine (cursor keys or joystick)");
  app.add_option("--map", options.map, "With --play-rom: the map to walk through")->needs(play);
  play->needs("--map");
  CLI::Option* image = app.add_option("--import-png", options.importImage, "A PNG picture to add to a project");
  CLI::Option* screen =
      app.add_option("--import-screen", options.importScreen,
                     "A SCREEN 0, 1, 2 or 3 file (BLOAD) to add to a project, its mode told by its size")
          ->excludes(image);
  CLI::Option* into = app.add_option("--into", options.into, "The project the import goes into (made when missing)");
  for (int mode = 0; mode < kScreenModes; ++mode) {
    const std::string digit = kScreenFileKinds[mode].extension + 3;
    app.add_option_function<std::string>(
           "--import-sc" + digit,
           [&options, mode](const std::string& file) { options.importScreen = file, options.screenMode = mode; },
           std::string("A ") + kScreenFileKinds[mode].basic + " file (BLOAD) to add to a project")
        ->excludes(image)
        ->excludes(screen)
        ->needs(into);
  }
  app.add_option("--dither", options.picture.dither,
                 "How --import-png mixes each row's two colours: none, ordered, diffusion")
      ->transform(CLI::CheckedTransformer(
          std::map<std::string, Dither>{
              {"none", Dither::None}, {"ordered", Dither::Ordered}, {"diffusion", Dither::Diffusion}},
          CLI::ignore_case))
      ->needs(image);
  app.add_option("--strength", options.picture.strength, "The dithering's strength in percent (100)")
      ->check(CLI::Range(0, 100))
      ->needs(image);
  app.add_option("--mode", options.picture.mode,
                 "The screen --import-png makes: graphics2 (a colour pair a tile row, the default), graphics1 (one "
                 "tile set, a colour pair a group of 8 tiles), text (a 240 x 192 picture in two colours) or "
                 "multicolor (64 x 48 blocks)")
      ->transform(CLI::CheckedTransformer(std::map<std::string, ScreenMode>{{"graphics2", ScreenMode::Graphics2},
                                                                            {"graphics1", ScreenMode::Graphics1},
                                                                            {"text", ScreenMode::Text},
                                                                            {"multicolor", ScreenMode::Multicolor}},
                                          CLI::ignore_case))
      ->needs(image);
  app.add_option("--max-tiles", options.picture.maxTiles, "At most this many tiles a set (255)")
      ->check(CLI::Range(1, 255))
      ->needs(image);
  CLI::Option* sheet =
      app.add_option("--import-sprites", options.importSprites, "A PNG sprite sheet whose frames become metasprites")
          ->excludes(image)
          ->excludes(screen);
  app.add_option("--cell", options.cell, "With --import-sprites: a frame's cell, WxH (16x16)")->needs(sheet);
  app.add_option("--transparent", options.transparent, "With --import-sprites: a colour RRGGBB that is transparent")
      ->needs(sheet);
  app.add_option("--max-per-line", options.sheet.maxPerLine,
                 "With --import-sprites: refuse a frame needing more sprites on a line")
      ->check(CLI::Range(1, 32))
      ->needs(sheet);
  app.add_option("--sprite-sheet", options.spriteSheet,
                 "Every metasprite into this PNG sheet, as --import-sprites reads it");
  app.add_option("--palette-file", options.paletteFile,
                 "The project's palette for drawing tools, by the extension: .gpl (GIMP, Aseprite, Krita), .pal "
                 "(JASC) or .hex");
  CLI::Option* tmx =
      app.add_option("--import-tmx", options.importTmx,
                     "A Tiled map (.tmx, orthogonal, tiles of 8, 16 or 32 pixels) to add as a map of metatiles")
          ->excludes(image)
          ->excludes(screen)
          ->excludes(sheet);
  tmx->needs(into);
  const std::pair<const char*, std::pair<std::string*, const char*>> mapOptions[] = {
      {"--make-map", {&options.makeMap, "A new map of metatiles cut from the whole of this screen (name table)"}},
      {"--map-name", {&options.mapName, "With --make-map: the new map's name (the screen's)"}},
      {"--walker", {&options.walker, "MAP:NAME: the map walks as \"strip N\", or as a metasprite or sprite so named"}},
      {"--start", {&options.start, "MAP:X,Y: the walker's top-left corner starts at this map pixel"}},
      {"--speed", {&options.speed, "MAP:N: the walker goes N pixels a frame (1 to 8)"}},
  };
  std::vector<CLI::Option*> mapSetUp;
  for (const auto& [flag, option] : mapOptions)
    mapSetUp.push_back(app.add_option(flag, *option.first, option.second)->needs(into));
  mapSetUp.push_back(app.add_option("--solid", options.solid,
                                    "MAP:LIST: the metatiles numbered (3,7-9), or holding the tiles (tiles:12,40-42), "
                                    "are solid")
                         ->needs(into));
  for (CLI::Option* mapOption : mapSetUp)
    for (CLI::Option* importing : {image, screen, sheet, tmx}) mapOption->excludes(importing);
  app.add_option("--metatile", options.metatile, "With --make-map: tiles across a metatile, 1, 2 or 4 (2)")
      ->needs(mapSetUp[0]);
  app.add_option("--import-aseprite", options.importAseprite,
                 "An Aseprite file whose frames become metasprites and whose tags become animation strips")
      ->excludes(image)
      ->excludes(screen)
      ->excludes(sheet)
      ->excludes(tmx)
      ->needs(into);
  sheet->needs(into);
  image->needs(into);
  screen->needs(into);
  app.name(argv[0]);
  std::vector<std::string> arguments = ProgramArguments(argc, argv);
  std::reverse(arguments.begin(), arguments.end());  // CLI11 takes them last first
  try {
    app.parse(arguments);
  } catch (const CLI::ParseError& error) {
    return app.exit(error);
  }

  if (std::string error; !options.compress.empty() && !ReadCompress(options, error)) return Fail(error);
  if (options.listPalettes) {
    for (const ChipPalette& palette : kChipPalettes) std::printf("%s\n", DescribePalette(palette).c_str());
    return 0;
  }
  if (machine->count() > 0 && options.rom.empty() && options.playRom.empty() && options.runtime.empty())
    return Fail("--machine goes with --rom, --play-rom or --runtime");
  // The runtime needs no project; a build may write it beside an export in one run.
  if (!options.runtime.empty())
    if (const int status = WriteRuntime(options); status != 0 || (options.project.empty() && options.into.empty()))
      return status;
  if (std::string& tmx = paths[ExportFormat::TiledMaps]; HasExtension(tmx, ".tmx")) options.tmxFile = tmx, tmx.clear();
  for (auto& [format, path] : paths) {
    if (path.empty()) continue;
    if (!IsFolderFormat(format) && IsStandardOutput(path)) path = kStandardOutput, options.report = stderr;
    options.outputs[format] = path;
  }
  for (std::string* path : {&options.rom, &options.playRom, &options.spriteSheet, &options.paletteFile})
    if (!path->empty() && IsStandardOutput(*path)) *path = kStandardOutput, options.report = stderr;
  if (!options.importImage.empty()) {
    const Importer picture = [&options](const uint8_t* bytes, std::size_t size, const std::string& name,
                                        Project& data) {
      ImportOptions chosen = options.picture;
      chosen.oneSet = options.oneSet;
      return ImportPngImage(bytes, size, name, data, chosen);
    };
    return Import(options.importImage, picture, options);
  }
  if (!options.importScreen.empty()) {
    const Importer screenImport = [&options](const uint8_t* bytes, std::size_t size, const std::string& name,
                                             Project& data) {
      return ImportScreenFile(bytes, size, name, data, options.screenMode);
    };
    return Import(options.importScreen, screenImport, options);
  }
  if (!options.importSprites.empty()) {
    if (!options.cell.empty() &&
        std::sscanf(options.cell.c_str(), "%dx%d", &options.sheet.cellWidth, &options.sheet.cellHeight) != 2)
      return Fail("--cell is WxH, such as 32x16");
    if (!options.transparent.empty()) {
      char* end = nullptr;
      options.sheet.key = static_cast<uint32_t>(std::strtoul(options.transparent.c_str(), &end, 16));
      if (options.transparent.size() != 6 || *end != '\0') return Fail("--transparent is RRGGBB, such as FF00FF");
      options.sheet.keyed = true;
    }
    const Importer sheetImport = [&options](const uint8_t* bytes, std::size_t size, const std::string& name,
                                            Project& data) {
      return AsImportResult(ImportSpriteSheet(bytes, size, name, data, options.sheet));
    };
    return Import(options.importSprites, sheetImport, options);
  }
  if (!options.importTmx.empty()) {
    const Importer tiledImport = [&options](const uint8_t* bytes, std::size_t size, const std::string& name,
                                            Project& data) {
      return ImportTiledMap(std::string(reinterpret_cast<const char*>(bytes), size), name, data,
                            FilesBeside(options.importTmx));
    };
    return Import(options.importTmx, tiledImport, options);
  }
  if (!options.importAseprite.empty()) {
    const Importer asepriteImport = [](const uint8_t* bytes, std::size_t size, const std::string& name, Project& data) {
      return ImportAseprite(bytes, size, name, data);
    };
    return Import(options.importAseprite, asepriteImport, options);
  }
  if (std::any_of(mapSetUp.begin(), mapSetUp.end(), [](const CLI::Option* option) { return option->count() > 0; }))
    return SetUpMap(options);
  if (!options.into.empty())
    return Fail(
        "--into goes with --import-png, --import-screen (or -sc0 to -sc3), --import-sprites, --import-tmx, "
        "--import-aseprite or the map options (--make-map, --solid, --walker, --start, --speed)");
  if (options.project.empty()) return Fail("no project named (see --help)");
  return Export(options);
}
