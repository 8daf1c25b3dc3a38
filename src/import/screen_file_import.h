#pragma once
// The other modes' BLOAD files into the project, as the export writes them
// (export/build_outputs.h): SCREEN 1 (Graphics I), SCREEN 0 (Text) and
// SCREEN 3 (Multicolor), and one reader that tells all four apart by size.

#include <cstddef>
#include <cstdint>
#include <string>

#include "import/png_import.h"
#include "model/screen_mode.h"

// Adds the file's screen as a name table in its mode (with a tile set for
// Graphics I, marked as a Graphics I set, and for Text). `expected` names the
// mode the caller asked for; -1 takes the mode the size says. A refused file
// leaves `data` as it was and says why.
ImportResult ImportScreenFile(const uint8_t* bytes, std::size_t size, const std::string& name, Project& data,
                              int expected = -1);
