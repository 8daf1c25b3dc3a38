#include "import/graphics1_picture.h"

#include <algorithm>
#include <limits>
#include <map>

namespace {
constexpr int kGroups = kColourGroups;
// Tile 255 marks empty cells: the last group has a slot fewer.
int Room(int group) { return group == kGroups - 1 ? kGroupTiles - 1 : kGroupTiles; }

double ColourDistance(int a, int b) { return Distance(PaletteLab()[a & 15], PaletteLab()[b & 15]); }

// Each pixel the nearer of the pair to the colour it shows now: bit 1 the foreground.
Tile InPair(const Tile& tile, std::pair<int, int> pair) {
  Tile made;
  for (int y = 0; y < 8; ++y) {
    made.foreground[y] = static_cast<uint8_t>(pair.first), made.background[y] = static_cast<uint8_t>(pair.second);
    for (int x = 0; x < 8; ++x) {
      const int colour = tile.Colour(x, y);
      if (ColourDistance(colour, pair.first) < ColourDistance(colour, pair.second)) made.rows[y] |= 0x80 >> x;
    }
  }
  return made;
}

double Loss(const Tile& tile, std::pair<int, int> pair) {
  double loss = 0;
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      loss += std::min(ColourDistance(tile.Colour(x, y), pair.first), ColourDistance(tile.Colour(x, y), pair.second));
  return loss;
}

}  // namespace

Tile InOnePair(const Tile& cell) {
  // The rows' own pairs first, so that of pairs losing alike a row's wins; then
  // any two of the colours the tile shows: rows of one colour each (yellow
  // over red) have no row whose pair is the tile's.
  std::vector<std::pair<int, int>> candidates;
  bool shown[16] = {};
  for (int y = 0; y < 8; ++y) {
    candidates.push_back({cell.foreground[y], cell.background[y]});
    for (int x = 0; x < 8; ++x) shown[cell.Colour(x, y) & 15] = true;
  }
  for (int a = 0; a < 16; ++a)
    for (int b = a + 1; b < 16; ++b)
      if (shown[a] && shown[b]) candidates.push_back({a, b});
  std::pair<int, int> best = candidates[0];
  double least = std::numeric_limits<double>::max();
  for (const std::pair<int, int>& pair : candidates)
    if (const double loss = Loss(cell, pair); loss < least) least = loss, best = pair;
  return InPair(cell, best);
}

namespace {

// Tiles into the groups whose pairs cost them least, those with most to lose first.
void Assign(const GroupingCosts& costs, Grouping& grouping) {
  const std::size_t tiles = costs.tiles.size();
  std::vector<double> regret(tiles);
  for (std::size_t t = 0; t < tiles; ++t) {
    std::vector<double> seen;
    for (int g = 0; g < kGroups; ++g) seen.push_back(costs.cost[t][grouping.pair[g]]);
    std::sort(seen.begin(), seen.end());
    regret[t] = seen[1] - seen[0];
  }
  std::vector<std::size_t> order(tiles);
  for (std::size_t t = 0; t < tiles; ++t) order[t] = t;
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return regret[a] > regret[b]; });
  std::vector<int> used(kGroups, 0);
  for (std::size_t t : order) {
    int best = -1;
    for (int g = 0; g < kGroups; ++g)
      if (used[g] < Room(g) && (best < 0 || costs.cost[t][grouping.pair[g]] < costs.cost[t][grouping.pair[best]]))
        best = g;
    grouping.group[t] = best;
    ++used[best];
  }
}

// Each group the pair its tiles lose least in.
void ChoosePairs(const GroupingCosts& costs, Grouping& grouping) {
  for (int g = 0; g < kGroups; ++g) {
    double least = std::numeric_limits<double>::max();
    for (std::size_t q = 0; q < costs.pairs.size(); ++q) {
      double total = 0;
      for (std::size_t t = 0; t < costs.tiles.size(); ++t)
        if (grouping.group[t] == g) total += costs.cost[t][q];
      if (total < least) least = total, grouping.pair[g] = static_cast<int>(q);
    }
  }
}

// Two tiles of different groups change places while that loses less.
void Swap(const GroupingCosts& costs, Grouping& grouping) {
  for (bool improved = true; improved;) {
    improved = false;
    for (std::size_t a = 0; a < costs.tiles.size(); ++a)
      for (std::size_t b = a + 1; b < costs.tiles.size(); ++b) {
        const int pa = grouping.pair[grouping.group[a]], pb = grouping.pair[grouping.group[b]];
        if (costs.cost[a][pb] + costs.cost[b][pa] + 1e-9 < costs.cost[a][pa] + costs.cost[b][pb]) {
          std::swap(grouping.group[a], grouping.group[b]);
          improved = true;
        }
      }
  }
}
}  // namespace

GroupingCosts MeasureGrouping(const std::vector<Tile>& tiles, const std::vector<int>& uses) {
  GroupingCosts costs{tiles, uses, {}, {}};
  std::map<std::pair<int, int>, int> known;
  for (const Tile& tile : tiles)
    if (known.emplace(std::pair<int, int>{tile.foreground[0], tile.background[0]}, 0).second)
      costs.pairs.push_back({tile.foreground[0], tile.background[0]});
  for (std::size_t t = 0; t < tiles.size(); ++t) {
    costs.cost.emplace_back();
    for (const std::pair<int, int>& pair : costs.pairs) costs.cost.back().push_back(Loss(tiles[t], pair) * uses[t]);
  }
  return costs;
}

double Grouping::Cost(const GroupingCosts& costs) const {
  double total = 0;
  for (std::size_t t = 0; t < costs.tiles.size(); ++t) total += costs.cost[t][pair[group[t]]];
  return total;
}

Grouping GroupTiles(const GroupingCosts& costs) {
  // Groups first to the pairs most tiles want, as many as those tiles fill.
  std::vector<int> wanting(costs.pairs.size(), 0);
  for (const Tile& tile : costs.tiles)
    for (std::size_t q = 0; q < costs.pairs.size(); ++q)
      wanting[q] += costs.pairs[q] == std::pair<int, int>{tile.foreground[0], tile.background[0]};
  std::vector<int> byWant(costs.pairs.size());
  for (std::size_t q = 0; q < byWant.size(); ++q) byWant[q] = static_cast<int>(q);
  std::stable_sort(byWant.begin(), byWant.end(), [&](int a, int b) { return wanting[a] > wanting[b]; });
  Grouping grouping{std::vector<int>(costs.tiles.size(), 0), std::vector<int>(kGroups, byWant.empty() ? 0 : byWant[0])};
  int g = 0;
  for (int q : byWant)
    for (int need = (wanting[q] + kGroupTiles - 1) / kGroupTiles; need > 0 && g < kGroups; --need)
      grouping.pair[g++] = q;
  if (costs.tiles.empty()) return grouping;
  Assign(costs, grouping);
  // Then alternately: each group the pair that suits its tiles, each tile the group that suits it.
  for (int round = 0; round < 8; ++round) {
    Grouping next = grouping;
    ChoosePairs(costs, next);
    Assign(costs, next);
    if (next.Cost(costs) >= grouping.Cost(costs)) break;
    grouping = next;
  }
  Swap(costs, grouping);
  return grouping;
}

Grouping GroupTilesFirstCome(const GroupingCosts& costs) {
  Grouping grouping{std::vector<int>(costs.tiles.size(), 0), std::vector<int>(kGroups, 0)};
  std::vector<int> used(kGroups, 0);
  int groups = 0;
  for (std::size_t t = 0; t < costs.tiles.size(); ++t) {
    const std::pair<int, int> own{costs.tiles[t].foreground[0], costs.tiles[t].background[0]};
    const int q = static_cast<int>(std::find(costs.pairs.begin(), costs.pairs.end(), own) - costs.pairs.begin());
    int at = -1;
    for (int g = 0; g < groups && at < 0; ++g)
      if (grouping.pair[g] == q && used[g] < Room(g)) at = g;
    if (at < 0 && groups < kGroups) grouping.pair[at = groups++] = q;
    for (int g = 0; g < kGroups && at < 0; ++g)
      if (used[g] < Room(g)) at = g;
    grouping.group[t] = at;
    ++used[at];
  }
  return grouping;
}

int BuildGraphics1Set(const std::vector<Tile>& cells, const std::string& name, TileSet& set, uint8_t* names,
                      int& stored, bool optimise) {
  std::vector<Tile> onePair;
  for (const Tile& cell : cells) onePair.push_back(InOnePair(cell));
  // The distinct tiles, merged down as for Graphics II.
  TileSet merged;
  std::vector<uint8_t> numbers(cells.size());
  int made = 0;
  const int lost = BuildTileSet(onePair, kMostImportedTiles, merged, numbers.data(), made);
  std::vector<Tile> tiles(made);
  std::vector<int> uses(made, 0);
  for (int t = 0; t < made; ++t)
    for (int y = 0; y < 8; ++y) {
      for (int x = 0; x < 8; ++x)
        if (merged.pixels[t][y][x]) tiles[t].rows[y] |= 0x80 >> x;
      tiles[t].foreground[y] = static_cast<uint8_t>(merged.foreground[t][y]);
      tiles[t].background[y] = static_cast<uint8_t>(merged.background[t][y]);
    }
  for (uint8_t number : numbers) ++uses[number];
  const GroupingCosts costs = MeasureGrouping(tiles, uses);
  const Grouping grouping = optimise ? GroupTiles(costs) : GroupTilesFirstCome(costs);

  set = TileSet{};
  SetName(set.name, name.c_str());
  set.graphics1 = true;
  std::vector<int> placed(made), filled(kGroups, 0);
  for (int t = 0; t < made; ++t) {
    const int group = grouping.group[t];
    placed[t] = group * kGroupTiles + filled[group]++;
    StoreTile(set, placed[t], InPair(tiles[t], costs.pairs[grouping.pair[group]]));
  }
  for (int group = 0; group < kGroups && !costs.pairs.empty(); ++group)  // blank slots in their group's pair
    for (int slot = filled[group]; slot < kGroupTiles; ++slot)
      for (int y = 0; y < 8; ++y) {
        set.foreground[group * kGroupTiles + slot][y] = costs.pairs[grouping.pair[group]].first;
        set.background[group * kGroupTiles + slot][y] = costs.pairs[grouping.pair[group]].second;
      }
  for (std::size_t cell = 0; cell < cells.size(); ++cell) names[cell] = static_cast<uint8_t>(placed[numbers[cell]]);
  stored += made;
  return lost;
}
