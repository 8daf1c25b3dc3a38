#pragma once
// Imports into the open project as one undoable step: the way every import
// command ends, and File > Import > SCREEN 2 File....

#include <functional>

#include "import/png_import.h"

// File > Import > SCREEN 2 File...: asks for the file and imports it.
void ImportScreen2Command();
// Adds what `import` makes as one undoable step named `edit`, makes the new
// records current and shows the result; false (the error shown) when refused.
bool ApplyImport(const std::function<ImportResult(Project&)>& import, const char* edit);
