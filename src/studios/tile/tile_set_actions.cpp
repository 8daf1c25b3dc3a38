#include "studios/tile/tile_set_actions.h"

#include "model/list_order.h"

void KeepCurrentTileSetInRange(TileStudioState& state, std::vector<TileSet>& sets) {
  if (sets.empty()) sets.push_back(DefaultTileSet());
  if (state.currentTileSet < 0 || state.currentTileSet >= static_cast<int>(sets.size())) state.currentTileSet = 0;
}

void AddTileSet(TileStudioState& state, std::vector<TileSet>& sets) {
  const std::size_t count = sets.size();
  if (count >= kMaxTileSetsByAdd) return;
  sets.emplace_back();
  FormatName(sets.back().name, "Tile Set %zu", count + 1);
  state.currentTileSet = static_cast<int>(count);
}

void DeleteTileSet(TileStudioState& state, std::vector<TileSet>& sets) {
  if (sets.size() <= 1) return;
  sets.erase(sets.begin() + state.currentTileSet);
  if (state.currentTileSet >= static_cast<int>(sets.size())) state.currentTileSet = static_cast<int>(sets.size()) - 1;
}

void ClearTileSets(TileStudioState& state, std::vector<TileSet>& sets) {
  sets.clear();
  sets.push_back(DefaultTileSet());
  state.currentTileSet = 0;
}

void MoveTileSet(TileStudioState& state, std::vector<TileSet>& sets, int from, int to) {
  if (MoveRecord(sets, from, to)) state.currentTileSet = to;
}
