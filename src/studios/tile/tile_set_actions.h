#pragma once
// Commands on the list of tile sets. Each keeps the list non-empty, the
// current set index pointing at an existing set, and the name tables' choices
// of set per screen third and the maps' sets on the sets they named (the first
// set once theirs is gone).

#include <string>
#include <vector>

#include "model/project.h"
#include "studios/tile/tile_studio_state.h"

// Called before the studio reads the current set: New or Load may have
// shortened (or emptied) the list since the last frame.
void KeepCurrentTileSetInRange(TileStudioState& state, std::vector<TileSet>& sets);

// Appends "Tile Set <count>" and makes it current; nothing at 64 sets or more.
void AddTileSet(TileStudioState& state, std::vector<TileSet>& sets);
// Removes the current set unless it is the only one.
void DeleteTileSet(TileStudioState& state, std::vector<TileSet>& sets, std::vector<NameTable>& tables,
                   std::vector<Map>& maps);
// Leaves one blank "Tile Set 1".
void ClearTileSets(TileStudioState& state, std::vector<TileSet>& sets, std::vector<NameTable>& tables,
                   std::vector<Map>& maps);
// The set becomes (or stops being) a Graphics I set, edited a group of 8
// tiles to a colour pair; becoming one, or FIT GROUPS (`fitOnly`), gives each
// group the pair most of its rows have. The result line.
std::string SetGraphics1(TileSet& set, bool on, bool fitOnly = false);

// The set at `from` ends up at index `to` and becomes current.
void MoveTileSet(TileStudioState& state, std::vector<TileSet>& sets, std::vector<NameTable>& tables,
                 std::vector<Map>& maps, int from, int to);
