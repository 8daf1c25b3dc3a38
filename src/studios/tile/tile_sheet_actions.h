#pragma once
// Actions on whole tiles of a set: picking, range selection, duplicate
// matching, cut/copy/paste through the studio's clipboard and swapping, with
// the name tables renumbered when TRACK TILE is on.

#include <string>
#include <vector>

#include "model/project.h"
#include "studios/tile/tile_studio_state.h"

// A left click on sheet tile i: it becomes current and goes to the next block.
void ClickSheetTile(TileStudioState& state, int tile);

bool HasSelection(const TileStudioState& state);
bool InSelection(const TileStudioState& state, int tile);

// Marks groups of identical tiles (pixels and both colours of every row); a
// second run while marks are shown clears them.
void MatchTiles(TileStudioState& state, const TileSet& set);
bool HasMatchMarks(const TileStudioState& state);

void CopyTiles(TileStudioState& state, const TileSet& set);
void CutTiles(TileStudioState& state, TileSet& set);
// Writes the held tiles into the current set from currentTile on, stopping
// after tile 255. With TRACK TILE every name-table cell drawn from that set and
// naming a source tile names its copy instead; each cell changes at most once,
// also when the ranges overlap.
void PasteTiles(const TileStudioState& state, std::vector<TileSet>& sets, std::vector<NameTable>& tables);

// Exchanges two tiles of the current set; with TRACK TILE the cells drawn from
// that set follow them (cells of thirds drawing from other sets stay).
// GROUP TILES: the set's tiles (all but 255) move so that each group of 8
// holds tiles whose colours suit one pair, as the Graphics I import sorts
// them (each tile keeps its own colours until FIT GROUPS); the name tables
// follow. The result line.
std::string GroupTilesByColour(const TileStudioState& state, std::vector<TileSet>& sets,
                               std::vector<NameTable>& tables);
void SwapTiles(const TileStudioState& state, std::vector<TileSet>& sets, int a, int b, std::vector<NameTable>& tables);
