#include "app/import/import_commands.h"

#include <filesystem>

#include "app/shell/project_commands.h"
#include "import/aseprite_import.h"
#include "import/screen_file_import.h"
#include "import/tiled_map_import.h"
#include "model/history.h"
#include "storage/file_io.h"
#include "storage/utf8_path.h"
#include "studios/map/map_studio_state.h"
#include "studios/sprite/sprite_studio_state.h"
#include "studios/table/table_studio_state.h"
#include "studios/tile/tile_studio_state.h"
#include "widgets/notice.h"

namespace {
// Asks for a file to import and reads it; false when none is chosen or it
// cannot be read (the failure shown).
bool AskAndRead(const FileFilters& filters, std::string& path, std::vector<uint8_t>& bytes) {
  path = AskForPath(filters, false, "");
  if (path.empty()) return false;
  const FileResult read = ReadWholeFile(path, bytes);
  ReportFileFailure("import", path, read);
  return read == FileResult::Ok;
}
}  // namespace

void ImportScreenFileCommand() {
  std::string path;
  std::vector<uint8_t> bytes;
  if (!AskAndRead(kScreenFileFilters, path, bytes)) return;
  ApplyImport(
      [&](Project& data) {
        return ImportScreenFile(bytes.data(), bytes.size(), Utf8Text(Utf8Path(path).stem()), data);
      },
      "import screen file");
}

void ImportTiledMapCommand() {
  std::string path;
  std::vector<uint8_t> bytes;
  if (!AskAndRead(kTiledMapFilters, path, bytes)) return;
  const bool imported = ApplyImport(
      [&](Project& data) {
        return ImportTiledMap(std::string(bytes.begin(), bytes.end()), Utf8Text(Utf8Path(path).stem()), data,
                              FilesBeside(path));
      },
      "import Tiled map");
  if (imported) mapStudio.currentMap = static_cast<int>(project.maps.size()) - 1;
}

void ImportAsepriteCommand() {
  std::string path;
  std::vector<uint8_t> bytes;
  if (!AskAndRead(kAsepriteFilters, path, bytes)) return;
  const int first = static_cast<int>(project.metasprites.size());
  const bool imported = ApplyImport(
      [&](Project& data) { return ImportAseprite(bytes.data(), bytes.size(), Utf8Text(Utf8Path(path).stem()), data); },
      "import Aseprite file");
  if (imported) spriteStudio.currentMetasprite = first;
}

std::string ReadPngFile(const std::string& path, int maxWidth, int maxHeight, std::vector<uint8_t>& bytes,
                        RgbaImage& picture) {
  if (const FileResult read = ReadWholeFile(path, bytes); read != FileResult::Ok) return DescribeFileResult(read);
  std::string error;
  DecodePng(bytes.data(), bytes.size(), maxWidth, maxHeight, picture, error);
  return error;
}

bool ApplyImport(const std::function<ImportResult(Project&)>& import, const char* edit) {
  RecordChanges(history, project, tileStudio.canvas);
  const ImportResult result = import(project);
  if (!result.ok) {
    session.errorMessage = result.message;
    return false;
  }
  NameNextEdit(edit);
  RecordChanges(history, project, tileStudio.canvas);
  if (result.firstTileSet >= 0) tileStudio.currentTileSet = result.firstTileSet;
  if (result.nameTable >= 0) tableStudio.currentNameTable = result.nameTable;
  ShowNotice(result.message);
  return true;
}
