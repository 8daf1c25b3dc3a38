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

uint32_t RgbAt(const RgbaImage& image, int x, int y) {
  const uint8_t* p = &image.rgba[(static_cast<std::size_t>(y) * image.width + x) * 4];
  return uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
}

// A sheet drawn on a background colour has no clear pixel: its corner's colour is the background.
void GuessSheetOptions(ImportSheetState& state) {
  const RgbaImage& sheet = state.sheet;
  bool anyClear = false;
  for (std::size_t at = 0; at < sheet.rgba.size() && !anyClear; at += 4)
    anyClear = SheetPixelClear(&sheet.rgba[at], state.options);
  if (!anyClear) {
    state.options.keyed = true, state.options.key = RgbAt(sheet, 0, 0);
    state.guessed = "The top-left pixel's colour is transparent. ";
  }
  const CellSize cell = GuessSheetCell(sheet, state.options, project.spriteSize.side);
  if (cell.width == 0 || cell.height == 0) return;
  state.options.cellWidth = cell.width, state.options.cellHeight = cell.height;
  state.guessed += "Cells of " + std::to_string(cell.width) + " x " + std::to_string(cell.height) +
                   " fit the gaps between the frames.";
}

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
  GuessSheetOptions(state);
  UpdateSheetPreview(state);
}

void PickSheetKey(ImportSheetState& state, int x, int y) {
  if (x < 0 || y < 0 || x >= state.sheet.width || y >= state.sheet.height) return;
  state.options.keyed = true, state.options.key = RgbAt(state.sheet, x, y);
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
