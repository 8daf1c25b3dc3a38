#include "app/import/import_sprite_sheet.h"

#include <algorithm>
#include <filesystem>

#include "app/import/import_commands.h"
#include "app/shell/project_commands.h"
#include "chip/sprite_attributes.h"
#include "export/sprite_sheet_image.h"
#include "import/png_import.h"
#include "model/metasprite_picture.h"
#include "storage/utf8_path.h"
#include "studios/sprite/sprite_studio_state.h"

ImportSheetState importSheet;

namespace {
std::string NameOf(const std::string& path) { return Utf8Text(Utf8Path(path).stem()); }

SpriteSheetResult Import(const ImportSheetState& state, Project& data) {
  return ImportSpriteSheet(state.bytes.data(), state.bytes.size(), NameOf(state.path), data, state.options);
}
}  // namespace

void OpenImportSheet(ImportSheetState& state, const std::string& path) {
  const SpriteSheetOptions kept = state.options;  // the last sheet's choices suit the next one
  state = ImportSheetState{};
  state.open = true, state.path = path, state.options = kept;
  if (const std::string error = ReadPngFile(path, kMaxSheetSide, kMaxSheetSide, state.bytes, state.sheet);
      !error.empty()) {
    state.figures = "Cannot import the sheet: " + error + ".";
    return;
  }
  UpdateSheetPreview(state);
}

void UpdateSheetPreview(ImportSheetState& state) {
  // Into a project of the open one's sprites, so that the sprites left are counted too.
  Project preview;
  preview.sprites = project.sprites;
  const SpriteSheetResult result = Import(state, preview);
  state.usable = result.ok;
  state.figures = result.message;
  state.crowded.clear();
  state.result = {};
  if (!result.ok) return;
  state.figures = "Import will add " + result.message;
  state.result = SpriteSheetImage(preview);
  for (const Metasprite& frame : preview.metasprites) {
    const std::vector<int> lines = SpritesPerLine(frame, preview.spriteSize.side);
    const int worst = *std::max_element(lines.begin(), lines.end());
    if (worst > kSpritesPerLine)
      state.crowded.push_back(std::string(frame.name) + ": " + std::to_string(worst) + " on a line");
  }
}

void ConfirmImportSheet(ImportSheetState& state) {
  if (!state.usable) return;
  const int first = static_cast<int>(project.metasprites.size());
  state.open =
      !ApplyImport([&state](Project& data) { return AsImportResult(Import(state, data)); }, "import sprite sheet");
  if (!state.open) spriteStudio.currentMetasprite = first;
}

void ImportSpriteSheetCommand() {
  const std::string path = AskForPath(kPngFilters, false, "");
  if (!path.empty()) OpenImportSheet(importSheet, path);
}
