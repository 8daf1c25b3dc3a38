#pragma once
// Pattern and colour tables pasted from the clipboard, written into tiles from
// the current tile on: 8 bytes a tile, one byte a row.

#include <string>
#include <vector>

#include "model/project.h"
#include "studios/tile/tile_studio_state.h"

enum class TileTable { Patterns, Colours };

// Each import says what it did, for the result line: "Imported 12 tiles at
// 040-051", or why nothing was read. Patterns landing on rows that have no
// colours yet (both 0, which shows nothing) give those rows white on black.

// Labelled "db" blocks: each complete group of 8 bytes fills one tile; past
// tile 255 the import goes on in the next set, appending "Tile Set" sets as needed.
std::string ImportTilesToken(const TileStudioState& state, std::vector<TileSet>& sets, TileTable table,
                             const char* text);
// Hex pairs: tiles of the current set only, stopping after tile 255.
std::string ImportTilesRawHex(const TileStudioState& state, std::vector<TileSet>& sets, TileTable table,
                              const char* text);
