#pragma once
// Commands on the list of tile sets. Each keeps the list non-empty and the
// current set index pointing at an existing set.

#include <vector>

#include "model/project.h"
#include "studios/tile/tile_studio_state.h"

// Called before the studio reads the current set: New or Load may have
// shortened (or emptied) the list since the last frame.
void KeepCurrentTileSetInRange(TileStudioState& state, std::vector<TileSet>& sets);

// Appends "Tile Set <count>" and makes it current; nothing at 64 sets or more.
void AddTileSet(TileStudioState& state, std::vector<TileSet>& sets);
// Removes the current set unless it is the only one.
void DeleteTileSet(TileStudioState& state, std::vector<TileSet>& sets);
// Leaves one blank "Tile Set 1".
void ClearTileSets(TileStudioState& state, std::vector<TileSet>& sets);
// The set at `from` ends up at index `to` and becomes current.
void MoveTileSet(TileStudioState& state, std::vector<TileSet>& sets, int from, int to);
