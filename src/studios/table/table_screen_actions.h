#pragma once
// Actions on the screen being composed: its cells, the selection, the tile set
// of each third, and keeping the studio's indices inside the project's lists.

#include <vector>

#include "model/project.h"
#include "studios/table/table_studio_state.h"

// New, Load or the Tile Studio may have shortened the lists since the last
// frame; every index is brought back in (and an emptied list gets its default
// record) before anything reads it. A newly chosen name table (or a new choice
// of its top third's set) shows that set in the palette.
void KeepTableIndicesInRange(TableStudioState& state, std::vector<TileSet>& sets, std::vector<NameTable>& tables);

const char* SectionName(int row);
// A section list click chooses that third's set and shows it in the palette;
// on a Graphics I or Text screen, which draws from one set, all three thirds'.
void ChooseSectionTileSet(TableStudioState& state, NameTable& table, int section, int set);

// A dropped tile number keeps its low 8 bits; 255 empties the cell.
void DropTileOnCell(NameTable& table, int column, int row, int tile);
// A click on the selected cell deselects it; on another cell it selects that one.
void ClickCell(TableStudioState& state, int column, int row);
void ClearTableCells(NameTable& table);  // names and placements stay

// ZOOM only works on a selected cell outside sprite mode.
void ToggleTileEditor(TableStudioState& state);
// Switching sprite mode on drops the cell selection; placements stay either way.
void ToggleSpritesMode(TableStudioState& state);
void RemovePlacements(NameTable& table);
