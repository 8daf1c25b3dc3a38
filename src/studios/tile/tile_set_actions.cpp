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

namespace {
// Every third's choice of set, passed through `renumber` (old index -> new index, -1 = gone).
template <typename Renumber>
void RenumberThirds(std::vector<NameTable>& tables, Renumber renumber) {
  for (NameTable& table : tables)
    for (int32_t& set : table.thirdTileSets) {
      set = renumber(set);
      if (set < 0) set = 0;
    }
}
}  // namespace

void DeleteTileSet(TileStudioState& state, std::vector<TileSet>& sets, std::vector<NameTable>& tables) {
  if (sets.size() <= 1) return;
  const int removed = state.currentTileSet;
  sets.erase(sets.begin() + removed);
  RenumberThirds(tables, [removed](int set) { return IndexAfterErase(set, removed); });
  if (state.currentTileSet >= static_cast<int>(sets.size())) state.currentTileSet = static_cast<int>(sets.size()) - 1;
}

void ClearTileSets(TileStudioState& state, std::vector<TileSet>& sets, std::vector<NameTable>& tables) {
  RenumberThirds(tables, [](int) { return 0; });
  sets.clear();
  sets.push_back(DefaultTileSet());
  state.currentTileSet = 0;
}

void MoveTileSet(TileStudioState& state, std::vector<TileSet>& sets, std::vector<NameTable>& tables, int from, int to) {
  if (!MoveRecord(sets, from, to)) return;
  state.currentTileSet = to;
  RenumberThirds(tables, [from, to](int set) { return IndexAfterMove(set, from, to); });
}
