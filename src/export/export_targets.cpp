#include "export/export_targets.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "export/aseprite_export.h"
#include "export/data_export.h"
#include "export/export_blocks.h"
#include "export/game_constants.h"
#include "export/text_dialects.h"
#include "export/tiled_map.h"
#include "storage/utf8_path.h"

namespace {
namespace fs = std::filesystem;

const TextDialect& AssemblyDialect(AsmDialect dialect) {
  switch (dialect) {
    case AsmDialect::Sdas:
      return kSdasDialect;
    case AsmDialect::Z80asm:
      return kZ80asmDialect;
    case AsmDialect::Pasmo:
      break;
  }
  return kPasmoDialect;
}

// "gfx.h" guards itself with "GFX_H".
std::string IncludeGuard(const std::string& fileName) {
  std::string guard;
  for (char c : fileName)
    guard += std::isalnum(static_cast<unsigned char>(c)) ? static_cast<char>(std::toupper(c)) : '_';
  if (guard.empty() || std::isdigit(static_cast<unsigned char>(guard[0]))) guard = "_" + guard;
  return guard;
}

void AddText(ExportRun& run, const std::string& name, const std::vector<DataBlock>& blocks, const TextDialect& dialect,
             const TextFile& file, const std::string& description) {
  std::string text;
  if (!WriteTextBlocks(blocks, dialect, file, text)) {
    run.error = "the BASIC line numbers would pass " + std::to_string(kMaxBasicLine) +
                ": choose a smaller step, an earlier first line or fewer records";
    return;
  }
  run.files.push_back({name, text, description});
}

// Packs the tables in place and keeps their sizes for the result; false with run.error set.
bool Pack(ExportRun& run, Compression compression, std::vector<PackedTable>& tables) {
  if (!PackTables(compression, tables, run.error)) return false;
  run.packed.insert(run.packed.end(), tables.begin(), tables.end());
  return true;
}

// The kind of table a binary file holds, by its extension; a SCREEN file is a screen's names and more.
uint32_t TableKindOfFile(const std::string& name) {
  static const std::pair<const char*, uint32_t> kKinds[] = {
      {".pat", kPatternTable},   {".col", kColourTable},     {".gcl", kColourTable},
      {".nam", kNameTableData},  {".blk", kNameTableData},   {".sat", kSpriteAttributeTable},
      {".spr", kSpritePatterns}, {".mtl", kMapData},         {".map", kMapData},
      {".sol", kMapData},        {".msp", kMetaspriteTables}};
  const std::string extension = Utf8Text(Utf8Path(name).extension());
  for (const auto& [suffix, kind] : kKinds)
    if (extension == suffix) return kind;
  return kNameTableData;
}

// The files of the kinds the target packs packed and named with the format's
// suffix, the rest as they are, and an index of them all.
void PackFiles(ExportRun& run, const ExportTarget& target) {
  std::vector<OutputFile> files;
  std::vector<PackedTable> tables;
  std::vector<std::size_t> packedFiles;
  for (const OutputFile& file : run.files)
    if (file.name != "index.txt" && !file.bytes.empty()) {
      files.push_back(file);
      if (!(TableKindOfFile(file.name) & target.packedTables)) continue;
      files.back().name += kCompressionSuffixes[static_cast<int>(target.compression)];
      packedFiles.push_back(files.size() - 1);
      tables.push_back({files.back().name, std::vector<uint8_t>(file.bytes.begin(), file.bytes.end())});
    }
  if (!Pack(run, target.compression, tables)) return;
  for (std::size_t i = 0; i < packedFiles.size(); ++i) {
    files[packedFiles[i]].bytes.assign(tables[i].bytes.begin(), tables[i].bytes.end());
    files[packedFiles[i]].unpacked = tables[i].unpacked;
  }
  files.push_back({"index.txt", IndexText(files), "this list"});
  run.files = std::move(files);
}

// Names the first records past the table and how many more: a sheet import can make a hundred.
std::string PatternTableRefusal(SpriteSize size, const std::vector<std::string>& past) {
  constexpr std::size_t kNamed = 6;
  std::string text = "the chip's sprite pattern table holds " + std::to_string(size.PatternTableSprites()) +
                     " sprites at " + std::to_string(size.side) + " x " + std::to_string(size.side) +
                     ", and these use one past it: ";
  for (std::size_t i = 0; i < std::min(past.size(), kNamed); ++i) text += (i ? ", " : "") + past[i];
  if (past.size() > kNamed) text += " and " + std::to_string(past.size() - kNamed) + " more";
  return text + "; choose fewer records or 8 x 8 sprites";
}

void PrepareText(ExportRun& run, const Project& data, const ExportTarget& target, const ExportSelection& selection,
                 const ExportLabels& labels, const std::string& fileName) {
  run.ownPaths = true;
  const bool packing = target.compression != Compression::None;
  std::vector<DataBlock> blocks = ExportBlocks(data, labels, selection);
  if (packing) {
    std::vector<PackedTable> tables;
    std::vector<DataBlock*> packed;
    for (DataBlock& block : blocks)
      if (block.kind & target.packedTables) tables.push_back({block.label, block.bytes}), packed.push_back(&block);
    if (!Pack(run, target.compression, tables)) return;
    for (std::size_t i = 0; i < packed.size(); ++i) {
      packed[i]->bytes = tables[i].bytes;
      packed[i]->unpacked = tables[i].unpacked;
      packed[i]->lineBytes = 16;
    }
  }
  TextFile file;
  file.packing = kCompressionNames[static_cast<int>(target.compression)];
  file.firstLine = target.firstLine;
  file.lineStep = target.lineStep;
  // Standard output has no name to make the include guard and the module from: a header's usual one.
  const std::string named = fileName == kStandardOutput ? std::string("gfx.h") : fileName;
  file.guard = IncludeGuard(named);
  file.header = named;
  file.module = MakeLabel(Utf8Text(Utf8Path(named).stem()).c_str(), "gfx", 0);
  file.area = target.area.empty() ? kDefaultArea : target.area;
  file.constants = ChipConstants(file.module, data.spriteSize);
  if (target.format == ExportFormat::Assembly && target.dialect == AsmDialect::Sdas && !IsAreaName(file.area)) {
    run.error = "\"" + file.area + "\" is not an area sdas takes: ASCII letters, digits and _, not a digit first";
    return;
  }
  switch (target.format) {
    case ExportFormat::Assembly:
      AddText(run, fileName, blocks, AssemblyDialect(target.dialect), file, "assembly");
      if (target.dialect != AsmDialect::Sdas || target.cHeaderPath.empty()) return;
      file.guard = IncludeGuard(Utf8Text(Utf8Path(target.cHeaderPath).filename()));
      return AddText(run, Utf8Text(fs::absolute(Utf8Path(target.cHeaderPath))), blocks, kCSdasHeaderDialect, file,
                     "C header");
    case ExportFormat::CvBasic:
      return AddText(run, fileName, blocks, kCvBasicDialect, file, "CVBasic");
    case ExportFormat::MsxBasic:
      return AddText(run, fileName, blocks, kMsxBasicDialect, file, "MSX-BASIC");
    case ExportFormat::Ti99:
      return AddText(run, fileName, blocks, kTiDialect, file, "TI-99/4A assembly");
    case ExportFormat::CHeader:
      if (!target.cExtern) return AddText(run, fileName, blocks, kCHeaderDialect, file, "C header");
      AddText(run, fileName, blocks, kCExternHeaderDialect, file, "C header");
      return AddText(run,
                     target.cSourcePath.empty() ? Utf8Text(Utf8Path(fileName).replace_extension(".c"))
                                                : Utf8Text(fs::absolute(Utf8Path(target.cSourcePath))),
                     blocks, kCSourceDialect, file, "C source");
    default:
      return;
  }
}
}  // namespace

std::string ResolveTargetPath(const std::string& stored, const std::string& projectFolder) {
  const fs::path path = Utf8Path(stored);
  if (path.is_absolute() || projectFolder.empty()) return stored;
  return Utf8Text((Utf8Path(projectFolder) / path).lexically_normal());
}

std::string StoreTargetPath(const std::string& chosen, const std::string& projectFolder) {
  const fs::path path = Utf8Path(chosen).lexically_normal();
  if (projectFolder.empty()) return Utf8Text(path);
  const fs::path relative = path.lexically_relative(Utf8Path(projectFolder).lexically_normal());
  if (relative.empty() || *relative.begin() == "..") return Utf8Text(path);
  return relative.generic_u8string();
}

namespace {
std::string SamePathKey(const std::string& path) { return Utf8Text(Utf8Path(path).lexically_normal()); }

bool PathTaken(const std::vector<ExportTarget>& targets, const std::string& path) {
  return std::any_of(targets.begin(), targets.end(),
                     [&](const ExportTarget& t) { return SamePathKey(t.path) == SamePathKey(path); });
}
}  // namespace

std::string TargetsSharingAPath(const std::vector<ExportTarget>& targets) {
  for (std::size_t second = 1; second < targets.size(); ++second)
    for (std::size_t first = 0; first < second; ++first)
      if (SamePathKey(targets[first].path) == SamePathKey(targets[second].path))
        return "targets " + std::to_string(first + 1) + " and " + std::to_string(second + 1) + " both write \"" +
               targets[second].path + "\": give each its own path in File > Export...";
  return "";
}

std::string FreeTargetPath(const std::vector<ExportTarget>& targets, const std::string& wanted) {
  const std::filesystem::path path = Utf8Path(wanted);
  std::string candidate = wanted;
  for (int n = 2; PathTaken(targets, candidate); ++n)
    candidate = Utf8Text(path.parent_path() /
                         Utf8Path(Utf8Text(path.stem()) + "-" + std::to_string(n) + Utf8Text(path.extension())));
  return candidate;
}

ExportRun PrepareExport(const Project& data, const ExportTarget& target, const std::string& projectFolder) {
  ExportRun run;
  const std::string path = ResolveTargetPath(target.path, projectFolder);
  const ExportSelection selection = SelectForTarget(data, target);
  run.notes = selection.unknownNames;
  const ExportLabels labels = LabelExportedRecords(data);
  for (const std::string& rename : labels.renamed) run.notes.push_back("duplicate label renamed: " + rename);
  if (const std::vector<std::string> past = PastThePatternTable(data, labels, selection);
      !past.empty() && target.format != ExportFormat::Png && target.format != ExportFormat::SpriteAttributes &&
      target.format != ExportFormat::TiledMaps && target.format != ExportFormat::Aseprite) {
    run.error = PatternTableRefusal(data.spriteSize, past);
    return run;
  }
  const bool folder = IsFolderFormat(target.format);
  run.folder = folder ? path : Utf8Text(Utf8Path(path).parent_path());
  const std::string fileName = Utf8Text(Utf8Path(path).filename());
  const bool attributes = (selection.tables & kSpriteAttributeTable) && target.format != ExportFormat::Png;
  if (attributes)
    for (const std::string& problem : SpriteAttributeProblems(data, selection))
      run.notes.push_back("sprite attributes: " + problem);
  switch (target.format) {
    case ExportFormat::BinaryTables:
      run.files = BinaryTableFiles(data, selection);
      break;
    case ExportFormat::Screen2:
      run.files = ScreenFiles(data, selection);
      break;
    case ExportFormat::Png:
      run.files = PngFiles(data, target.scale, selection);
      break;
    case ExportFormat::TiledMaps:
      run.files = TiledFiles(data, selection);
      if (run.files.empty()) run.error = "no map to write for Tiled: the project has none chosen";
      break;
    case ExportFormat::Aseprite: {
      AsepriteExport aseprite = AsepriteFileOf(data);
      run.ownPaths = true;
      if (aseprite.bytes.empty()) run.error = "no metasprite to write for Aseprite: the project has none";
      run.files.push_back({fileName, std::move(aseprite.bytes), "metasprites for Aseprite"});
      for (const std::string& strip : aseprite.leftOut) run.notes.push_back("not a tag, " + strip);
      break;
    }
    case ExportFormat::SpriteAttributes:
      run.ownPaths = true;
      run.files.push_back({fileName, SpriteAttributeText(data, selection), "sprite attribute tables"});
      break;
    default:
      PrepareText(run, data, target, selection, labels, fileName);
  }
  if (IsFolderFormat(target.format) && TakesCompression(target.format) && target.compression != Compression::None)
    PackFiles(run, target);
  if (!run.error.empty()) run.files.clear(), run.packed.clear();
  return run;
}

ExportOutcome WriteExportTarget(const Project& data, const ExportTarget& target, const std::string& projectFolder,
                                bool makeFolders) {
  ExportRun run = PrepareExport(data, target, projectFolder);
  ExportOutcome outcome;
  outcome.notes = std::move(run.notes);
  outcome.packed = std::move(run.packed);
  if (!run.error.empty()) {
    outcome.error = run.error;
    return outcome;
  }
  std::error_code error;
  if (IsFolderFormat(target.format) || (makeFolders && !run.folder.empty()))
    fs::create_directories(Utf8Path(run.folder), error);
  FileResult result = FileResult::Ok;
  if (run.ownPaths) {
    for (const OutputFile& file : run.files) {
      const std::string path = run.folder.empty() ? file.name : Utf8Text(Utf8Path(run.folder) / Utf8Path(file.name));
      // "\n" line ends on every system: the toolchains take them, and a build
      // gets the same bytes wherever it runs.
      if ((result = ReplaceFile(path, file.bytes, false)) != FileResult::Ok) {
        outcome.error = "cannot write " + path + ": " + DescribeFileResult(result);
        break;
      }
      outcome.written.push_back(path);
    }
  } else if ((result = WriteOutputFiles(run.folder, run.files, &outcome.written)) != FileResult::Ok) {
    outcome.error = "cannot write into " + run.folder + ": " + DescribeFileResult(result);
  }
  return outcome;
}
