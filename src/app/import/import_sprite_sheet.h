#pragma once
// The Import Sprite Sheet window's state and actions: the sheet beside the
// metasprites it will make in the chosen cell size, with the sprites they
// take and the worst line, made again at every change, and imported as one
// undoable step or left.

#include <string>
#include <vector>

#include "import/sprite_sheet.h"
#include "storage/png_file.h"

struct ImportSheetState {
  bool open = false;
  std::string path;
  std::vector<uint8_t> bytes;  // the file
  RgbaImage sheet;             // decoded, for showing
  SpriteSheetOptions options;
  IndexedImage result;               // the metasprites as the chip shows them, in the sheet's grid
  std::string figures;               // the import's account, or why the sheet cannot be used
  std::vector<std::string> crowded;  // frames needing more than 4 sprites on a line, with their counts
  bool usable = false;
  std::string guessed;  // how the window chose its first cell size and transparent colour
  float zoom = 0;       // of both pictures; 0: as the picture import shows them
};
extern ImportSheetState importSheet;

// File > Import > Sprite Sheet...: asks for the sheet and opens the window on it.
void ImportSpriteSheetCommand();
// Reads the file and opens the window on it; a file that cannot be read or
// decoded opens it too, saying why, with nothing to import. A sheet with no
// transparent pixel takes its top-left pixel's colour as transparent, and the
// cell size is guessed from the gaps between its frames.
void OpenImportSheet(ImportSheetState& state, const std::string& path);
// A click on the sheet at (x, y): that pixel's colour becomes the transparent one.
void PickSheetKey(ImportSheetState& state, int x, int y);
// Makes the preview again from the options.
void UpdateSheetPreview(ImportSheetState& state);
// Imports with the options as one undoable step, makes the first new metasprite current and closes.
void ConfirmImportSheet(ImportSheetState& state);
