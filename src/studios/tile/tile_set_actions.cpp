#include "studios/tile/tile_set_actions.h"

#include <algorithm>

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
  const int count = static_cast<int>(sets.size());
  if (from < 0 || from >= count || to < 0 || to >= count) return;
  const auto at = sets.begin();
  if (from < to)
    std::rotate(at + from, at + from + 1, at + to + 1);
  else
    std::rotate(at + to, at + from, at + from + 1);
  state.currentTileSet = to;
}
