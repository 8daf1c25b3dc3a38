#include "app/import/import_picture.h"

#include <filesystem>

#include "app/import/import_commands.h"
#include "app/shell/project_commands.h"
#include "storage/utf8_path.h"

ImportPictureState importPicture;

namespace {
std::string NameOf(const std::string& path) { return Utf8Text(Utf8Path(path).stem()); }
}  // namespace

void OpenImportPicture(ImportPictureState& state, const std::string& path) {
  const ImportOptions kept = state.options;  // the last picture's choices suit the next one
  state = ImportPictureState{};
  state.open = true, state.path = path, state.options = kept;
  if (const std::string error = ReadPngFile(path, 8 * kTilesPerSet, 8 * kTilesPerSet, state.bytes, state.picture);
      !error.empty()) {
    state.figures = "Cannot import the picture: " + error + ".";
    return;
  }
  UpdateImportPreview(state);
}

void UpdateImportPreview(ImportPictureState& state) {
  Project preview = DefaultProject();
  const ImportResult result =
      ImportPngImage(state.bytes.data(), state.bytes.size(), NameOf(state.path), preview, state.options);
  state.usable = result.ok;
  state.figures = result.ok ? "Import will add this " + result.made + "." : result.message;
  state.result = !result.ok              ? IndexedImage{}
                 : result.nameTable >= 0 ? RenderScreen(preview.nameTables[result.nameTable], preview.tileSets,
                                                        preview.sprites, preview.spriteSize, ScreenLook::Chip)
                                         : RenderTileSheet(preview.tileSets[result.firstTileSet]);
}

void ConfirmImportPicture(ImportPictureState& state) {
  if (!state.usable) return;
  state.open = !ApplyImport(
      [&state](Project& data) {
        return ImportPngImage(state.bytes.data(), state.bytes.size(), NameOf(state.path), data, state.options);
      },
      "import PNG");
}

void ImportPngCommand() {
  const std::string path = AskForPath(kPngFilters, false, "");
  if (!path.empty()) OpenImportPicture(importPicture, path);
}
