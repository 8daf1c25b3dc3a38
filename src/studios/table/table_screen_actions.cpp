#include "studios/table/table_screen_actions.h"

#include <algorithm>

namespace {
void KeepIndex(int32_t& index, std::size_t size) {
  if (index < 0 || index >= static_cast<int32_t>(size)) index = 0;
}
}  // namespace

void KeepTableIndicesInRange(TableStudioState& state, std::vector<TileSet>& sets, std::vector<NameTable>& tables) {
  if (sets.empty()) sets.push_back(DefaultTileSet());
  if (tables.empty()) tables.push_back(DefaultNameTable());
  KeepIndex(state.currentNameTable, tables.size());
  state.paletteThird = std::clamp(state.paletteThird, 0, kThirds - 1);
  state.paletteTileSet = TileSetForRow(tables[state.currentNameTable], 8 * state.paletteThird, sets.size());
}

const char* SectionName(int row) { return row < 8 ? "Top" : row < 16 ? "Middle" : "Bottom"; }

void ChooseSectionTileSet(TableStudioState& state, NameTable& table, int section, int set) {
  if (DrawsFromOneSet(table.mode))
    std::fill(std::begin(table.thirdTileSets), std::end(table.thirdTileSets), set);
  else
    table.thirdTileSets[section] = set;
  state.paletteThird = section;
  state.paletteTileSet = set;
}

void DropTileOnCell(NameTable& table, int column, int row, int tile) {
  table.cells[row * kTableColumns + column] = static_cast<uint8_t>(tile & 0xFF);
}

void ClickCell(TableStudioState& state, int column, int row) {
  const CellRef cell{column, row};
  state.selectedCell = state.selectedCell == cell ? CellRef{} : cell;
}

void ClearTableCells(NameTable& table) { std::fill(std::begin(table.cells), std::end(table.cells), EmptyCell); }

void ToggleTileEditor(TableStudioState& state) {
  if (!state.selectedCell.IsNone() && !state.spritesMode) state.tileEditorOpen = !state.tileEditorOpen;
}

void ToggleSpritesMode(TableStudioState& state) {
  state.spritesMode = !state.spritesMode;
  if (state.spritesMode) state.selectedCell = CellRef{};
}

void RemovePlacements(NameTable& table) { table.placements.clear(); }
