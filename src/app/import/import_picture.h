#pragma once
// The Import Picture window's state and actions: a PNG picture beside what
// the import makes of it in the chosen dithering and tile budget, updated on
// every change, and imported as one undoable step or left.

#include <string>
#include <vector>

#include "chip/chip_render.h"
#include "import/png_import.h"
#include "storage/png_file.h"

struct ImportPictureState {
  bool open = false;
  std::string path;
  std::vector<uint8_t> bytes;  // the file
  RgbaImage picture;           // decoded, for showing
  ImportOptions options;
  IndexedImage result;  // the import's picture as the chip shows it
  std::string figures;  // the import's account, or why the picture cannot be used
  bool usable = false;
};
extern ImportPictureState importPicture;

// File > Import > PNG Image...: asks for the picture and opens the window on it.
void ImportPngCommand();
// Reads the file and opens the window on it; a file that cannot be read or
// decoded opens it too, saying why, with nothing to import.
void OpenImportPicture(ImportPictureState& state, const std::string& path);
// Makes the result again from the options.
void UpdateImportPreview(ImportPictureState& state);
// Imports with the options as one undoable step, makes the new records current and closes.
void ConfirmImportPicture(ImportPictureState& state);
