#include "studios/tile/tile_set_actions.h"

#include <algorithm>

#include "chip/group_colours.h"
#include "model/list_order.h"

void KeepCurrentTileSetInRange(TileStudioState& state, std::vector<TileSet>& sets) {
  if (sets.empty()) sets.push_back(DefaultTileSet());
  if (state.currentTileSet < 0 || state.currentTileSet >= static_cast<int>(sets.size())) state.currentTileSet = 0;
}

void AddTileSet(TileStudioState& state, std::vector<TileSet>& sets) {
  const std::size_t count = sets.size();
  if (count >= kMaxTileSetsByAdd) return;
  sets.emplace_back();
  FormatName(sets.back().name, "Tile Set %d", static_cast<int>(count) + 1);
  state.currentTileSet = static_cast<int>(count);
}

namespace {
// Every third's and map's choice of set, passed through `renumber` (old index -> new index, -1 = gone).
template <typename Renumber>
void RenumberThirds(std::vector<NameTable>& tables, std::vector<Map>& maps, Renumber renumber) {
  const auto follow = [&renumber](int32_t& set) { set = std::max(0, renumber(set)); };
  for (NameTable& table : tables)
    for (int32_t& set : table.thirdTileSets) follow(set);
  for (Map& map : maps) follow(map.tileSet);
}
}  // namespace

void DeleteTileSet(TileStudioState& state, std::vector<TileSet>& sets, std::vector<NameTable>& tables,
                   std::vector<Map>& maps) {
  if (sets.size() <= 1) return;
  const int removed = state.currentTileSet;
  sets.erase(sets.begin() + removed);
  RenumberThirds(tables, maps, [removed](int set) { return IndexAfterErase(set, removed); });
  if (state.currentTileSet >= static_cast<int>(sets.size())) state.currentTileSet = static_cast<int>(sets.size()) - 1;
}

void ClearTileSets(TileStudioState& state, std::vector<TileSet>& sets, std::vector<NameTable>& tables,
                   std::vector<Map>& maps) {
  RenumberThirds(tables, maps, [](int) { return 0; });
  sets.clear();
  sets.push_back(DefaultTileSet());
  state.currentTileSet = 0;
}

void MoveTileSet(TileStudioState& state, std::vector<TileSet>& sets, std::vector<NameTable>& tables,
                 std::vector<Map>& maps, int from, int to) {
  if (!MoveRecord(sets, from, to)) return;
  state.currentTileSet = to;
  RenumberThirds(tables, maps, [from, to](int set) { return IndexAfterMove(set, from, to); });
}

std::string SetGraphics1(TileSet& set, bool on, bool fitOnly) {
  if (!on) {
    set.graphics1 = false;
    return std::string(set.name) + " is a Graphics II set again: each tile row keeps its own colours";
  }
  const int fitted = FitTilesToGroups(set);
  if (!fitOnly) set.graphics1 = true;
  return std::string(set.name) + (fitOnly ? "" : " is a Graphics I set") + (fitOnly ? ": " : "; ") +
         std::to_string(fitted) + (fitted == 1 ? " tile" : " tiles") + " took the colour pair most of its group has";
}
