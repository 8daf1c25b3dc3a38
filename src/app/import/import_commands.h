#pragma once
// Imports into the open project as one undoable step: the way every import
// command ends, and File > Import > Screen File (SCREEN 0-3)..., Tiled Map... and Aseprite File....

#include <functional>
#include <string>
#include <vector>

#include "import/png_import.h"
#include "storage/png_file.h"

// Reads a PNG file for an import window: its bytes and its picture, or why
// not ("" when both are read).
std::string ReadPngFile(const std::string& path, int maxWidth, int maxHeight, std::vector<uint8_t>& bytes,
                        RgbaImage& picture);

// File > Import > Screen File (SCREEN 0-3)...: asks for the file and imports it in its mode.
void ImportScreenFileCommand();
// File > Import > Tiled Map...: asks for a .tmx file and adds its map, shown in the Map Studio.
void ImportTiledMapCommand();
// File > Import > Aseprite File...: asks for an .aseprite file and adds its frames as metasprites, its tags as strips.
void ImportAsepriteCommand();
// Adds what `import` makes as one undoable step named `edit`, makes the new
// records current and shows the result; false (the error shown) when refused.
bool ApplyImport(const std::function<ImportResult(Project&)>& import, const char* edit);
