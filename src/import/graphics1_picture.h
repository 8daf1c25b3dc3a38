#pragma once
// A screen picture as a Graphics I screen: one tile set of at most 255 tiles
// whose 32 groups of 8 each share one colour pair. The tiles are made as for
// Graphics II (with the same dithering), each keeps the pair that shows its
// pixels best, and the tiles are sorted into groups so that the picture loses
// least: the pairs most tiles want get groups, each tile goes where its
// pixels change least, and each group takes the pair that suits its tiles.

#include <vector>

#include "import/screen_tiles.h"

// What putting a tile into a group of a pair costs: cost[tile][pair], over
// the candidate pairs (each tile's own among them).
struct GroupingCosts {
  std::vector<Tile> tiles;                 // distinct, each one pair for all rows
  std::vector<int> uses;                   // cells drawing each tile
  std::vector<std::pair<int, int>> pairs;  // the candidates: foreground, background
  std::vector<std::vector<double>> cost;
};
GroupingCosts MeasureGrouping(const std::vector<Tile>& tiles, const std::vector<int>& uses);

// The tile in the pair that loses least: one of its rows' pairs, or any two of its colours.
Tile InOnePair(const Tile& tile);

// Each tile's group (0 to 31) and each group's pair (an index into costs.pairs), 8 tiles a group at most.
struct Grouping {
  std::vector<int> group;
  std::vector<int> pair;
  double Cost(const GroupingCosts& costs) const;
};
Grouping GroupTiles(const GroupingCosts& costs);
// The grouping a simple converter makes, to measure against: groups go to
// pairs in the order tiles first use them, and a tile whose pair found no
// group goes into the first group with room.
Grouping GroupTilesFirstCome(const GroupingCosts& costs);

// The picture's 768 cells (as DitherToTiles makes them) as a Graphics I tile
// set and the screen's names; `optimise` false groups first-come. Returns
// how many tiles merged; `made` grows by the tiles stored.
int BuildGraphics1Set(const std::vector<Tile>& cells, const std::string& name, TileSet& set, uint8_t* names, int& made,
                      bool optimise = true);
