// tessellary-export: the editor's exports from the command line, for a game's
// build. The same functions as the editor's menu write the same bytes.
//   tessellary-export PROJECT.krv [--asm FILE] [--basic FILE] [--bin DIR] [--sc2 DIR]
//                     [--png DIR] [--scale N] [--sat FILE]
//   tessellary-export --import-png IMAGE --into PROJECT.krv
#include <CLI/CLI.hpp>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "import/png_import.h"
#include "storage/build_outputs.h"
#include "storage/data_export.h"
#include "storage/export_labels.h"
#include "storage/project_file.h"

namespace {
constexpr const char* kVersion = "tessellary-export 60.20863";

struct Options {
  std::string project, assembly, basic, binary, screens, pictures, attributes, importImage, into;
  int scale = 1;
};

int Fail(const std::string& message) {
  std::fprintf(stderr, "tessellary-export: %s\n", message.c_str());
  return 1;
}

void Report(const std::vector<std::string>& paths) {
  for (const std::string& path : paths) std::printf("wrote %s\n", path.c_str());
}

void Warn(const std::vector<std::string>& notes, const char* what) {
  for (const std::string& note : notes) std::fprintf(stderr, "tessellary-export: %s: %s\n", what, note.c_str());
}

bool WriteText(const std::string& path, const std::string& text, int& status) {
  if (const FileResult result = ReplaceFile(path, text, true); result != FileResult::Ok) {
    status = Fail("cannot write " + path + ": " + DescribeFileResult(result));
    return false;
  }
  Report({path});
  return true;
}

bool WriteFolder(const std::string& folder, const std::vector<OutputFile>& files, int& status) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  std::vector<std::string> written;
  const FileResult result = WriteOutputFiles(folder, files, &written);
  Report(written);
  if (result != FileResult::Ok) status = Fail("cannot write into " + folder + ": " + DescribeFileResult(result));
  return result == FileResult::Ok;
}

int ImportPicture(const Options& options) {
  std::vector<uint8_t> bytes;
  if (const FileResult result = ReadWholeFile(options.importImage, bytes); result != FileResult::Ok)
    return Fail("cannot read " + options.importImage + ": " + DescribeFileResult(result));
  std::error_code error;
  if (std::filesystem::exists(options.into, error)) {
    if (const FileResult result = LoadProject(options.into); result != FileResult::Ok)
      return Fail("cannot load " + options.into + ": " + DescribeFileResult(result));
  }
  const std::string name = std::filesystem::path(options.importImage).stem().string();
  const PngImportResult imported = ImportPngImage(bytes.data(), bytes.size(), name, project);
  if (!imported.ok) return Fail(imported.message);
  std::printf("%s\n", imported.message.c_str());
  if (const FileResult result = SaveProject(options.into); result != FileResult::Ok)
    return Fail("cannot write " + options.into + ": " + DescribeFileResult(result));
  Report({options.into});
  return 0;
}

int Export(const Options& options) {
  if (const FileResult result = LoadProject(options.project); result != FileResult::Ok)
    return Fail("cannot load " + options.project + ": " + DescribeFileResult(result));
  int status = 0;
  Warn(LabelExportedRecords(project).renamed, "duplicate label renamed");
  if (!options.assembly.empty() && !WriteText(options.assembly, ExportText(project, kPasmoDialect), status))
    return status;
  if (!options.basic.empty() && !WriteText(options.basic, ExportText(project, kCvBasicDialect), status)) return status;
  // The attribute tables go into --sat, the .sat files of --bin and the screen files of --sc2: their problems once.
  if (!options.attributes.empty() || !options.binary.empty() || !options.screens.empty())
    Warn(SpriteAttributeProblems(project), "sprite attributes");
  if (!options.attributes.empty() && !WriteText(options.attributes, SpriteAttributeText(project), status))
    return status;
  if (!options.binary.empty() && !WriteFolder(options.binary, BinaryTableFiles(project), status)) return status;
  if (!options.screens.empty() && !WriteFolder(options.screens, ScreenFiles(project), status)) return status;
  if (!options.pictures.empty() && !WriteFolder(options.pictures, PngFiles(project, options.scale), status))
    return status;
  return status;
}
}  // namespace

int main(int argc, char** argv) {
  CLI::App app{"Writes a Tessellary project's graphics for a game's build."};
  Options options;
  app.set_version_flag("--version", kVersion);
  app.add_option("project", options.project, "The project file (.krv)");
  app.add_option("--asm", options.assembly, "Assembly export (db lines)");
  app.add_option("--basic", options.basic, "BASIC export (DATA BYTE lines)");
  app.add_option("--bin", options.binary, "Folder for the binary tables (.pat .col .nam .sat sprites.spr index.txt)");
  app.add_option("--sc2", options.screens, "Folder for the SCREEN 2 files for BLOAD (.sc2)");
  app.add_option("--png", options.pictures, "Folder for the screens and tile sheets as PNG");
  app.add_option("--scale", options.scale, "Each chip pixel an N x N block in the PNGs")->check(CLI::Range(1, 16));
  app.add_option("--sat", options.attributes, "Sprite attribute tables (db lines)");
  CLI::Option* image = app.add_option("--import-png", options.importImage, "A PNG picture to add to a project");
  app.add_option("--into", options.into, "The project the picture goes into (made when missing)")->needs(image);
  image->needs("--into");
  CLI11_PARSE(app, argc, argv);

  if (!options.importImage.empty()) return ImportPicture(options);
  if (options.project.empty()) return Fail("no project named (see --help)");
  return Export(options);
}
