#include "studios/tile/tile_sheet_actions.h"

#include <algorithm>
#include <cstring>
#include <numeric>

#include "import/graphics1_picture.h"

namespace {
bool SameTile(const TileSet& set, int a, int b) {
  for (int y = 0; y < 8; ++y)
    if (set.foreground[a][y] != set.foreground[b][y] || set.background[a][y] != set.background[b][y] ||
        std::memcmp(set.pixels[a][y], set.pixels[b][y], 8) != 0)
      return false;
  return true;
}

void ClearTile(TileSet& set, int tile) {
  std::memset(set.pixels[tile], 0, sizeof set.pixels[tile]);
  std::memset(set.foreground[tile], 0, sizeof set.foreground[tile]);
  std::memset(set.background[tile], 0, sizeof set.background[tile]);
}

// Gives every cell drawn from set `set` the number mapping[old number], in one
// pass; cells of thirds drawing from other sets keep theirs.
void Renumber(std::vector<NameTable>& tables, int set, std::size_t setCount, const uint8_t (&mapping)[256]) {
  for (NameTable& table : tables) {
    if (table.mode == ScreenMode::Text && TileSetForRow(table, 0, setCount) == set)
      for (uint8_t& cell : table.textCells) cell = mapping[cell];
    for (int row = 0; row < kTableRows; ++row) {
      if (TileSetForRow(table, row, setCount) != set) continue;
      uint8_t* cells = table.cells + row * kTableColumns;
      for (int column = 0; column < kTableColumns; ++column) cells[column] = mapping[cells[column]];
    }
  }
}

void IdentityMapping(uint8_t (&mapping)[256]) {
  for (int i = 0; i < 256; ++i) mapping[i] = static_cast<uint8_t>(i);
}

void HoldRange(TileStudioState& state, const TileSet& set) {
  const int lo = std::min(state.selectionStart, state.selectionEnd);
  const int hi = std::max(state.selectionStart, state.selectionEnd);
  TileClipboard& clipboard = state.clipboard;
  clipboard.count = 0;
  clipboard.sourceStart = lo;
  for (int tile = lo; tile <= hi; ++tile) {
    const int k = tile - lo;
    std::memcpy(clipboard.foreground[k], set.foreground[tile], sizeof clipboard.foreground[k]);
    std::memcpy(clipboard.background[k], set.background[tile], sizeof clipboard.background[k]);
    std::memcpy(clipboard.pixels[k], set.pixels[tile], sizeof clipboard.pixels[k]);
    clipboard.count = k + 1;
  }
}
}  // namespace

void ClickSheetTile(TileStudioState& state, int tile) {
  state.currentTile = tile;
  state.selectionStart = state.selectionEnd = -1;
  state.blockTiles[state.nextBlock] = tile;
  state.nextBlock = (state.nextBlock + 1) % kBlocks;
  state.rangeDragging = false;
}

bool HasSelection(const TileStudioState& state) { return state.selectionStart != -1 && state.selectionEnd != -1; }

bool InSelection(const TileStudioState& state, int tile) {
  return HasSelection(state) && tile >= std::min(state.selectionStart, state.selectionEnd) &&
         tile <= std::max(state.selectionStart, state.selectionEnd);
}

bool HasMatchMarks(const TileStudioState& state) {
  return std::any_of(std::begin(state.matchGroups), std::end(state.matchGroups), [](int32_t g) { return g > 0; });
}

void MatchTiles(TileStudioState& state, const TileSet& set) {
  const bool marksShown = HasMatchMarks(state);
  std::fill(std::begin(state.matchGroups), std::end(state.matchGroups), 0);
  if (marksShown) return;
  int group = 1;
  for (int i = 0; i < 255; ++i) {
    if (state.matchGroups[i]) continue;
    bool matched = false;
    for (int j = i + 1; j < 256; ++j) {
      if (state.matchGroups[j] || !SameTile(set, i, j)) continue;
      state.matchGroups[i] = state.matchGroups[j] = group;
      matched = true;
    }
    if (matched) ++group;
  }
}

void CopyTiles(TileStudioState& state, const TileSet& set) {
  if (HasSelection(state)) HoldRange(state, set);
}

void CutTiles(TileStudioState& state, TileSet& set) {
  if (!HasSelection(state)) return;
  HoldRange(state, set);
  for (int k = 0; k < state.clipboard.count; ++k) ClearTile(set, state.clipboard.sourceStart + k);
  state.selectionStart = state.selectionEnd = -1;
}

void PasteTiles(const TileStudioState& state, std::vector<TileSet>& sets, std::vector<NameTable>& tables) {
  const TileClipboard& clipboard = state.clipboard;
  TileSet& set = sets[state.currentTileSet];
  uint8_t mapping[256];
  IdentityMapping(mapping);
  for (int k = 0; k < clipboard.count; ++k) {
    const int tile = state.currentTile + k;
    if (tile > 255) break;
    std::memcpy(set.foreground[tile], clipboard.foreground[k], sizeof set.foreground[tile]);
    std::memcpy(set.background[tile], clipboard.background[k], sizeof set.background[tile]);
    std::memcpy(set.pixels[tile], clipboard.pixels[k], sizeof set.pixels[tile]);
    if (clipboard.sourceStart != -1) mapping[(clipboard.sourceStart + k) & 0xFF] = static_cast<uint8_t>(tile);
  }
  if (state.trackTiles && clipboard.sourceStart != -1) Renumber(tables, state.currentTileSet, sets.size(), mapping);
}

void SwapTiles(const TileStudioState& state, std::vector<TileSet>& sets, int a, int b, std::vector<NameTable>& tables) {
  if (a == b) return;
  TileSet& set = sets[state.currentTileSet];
  std::swap(set.pixels[a], set.pixels[b]);
  std::swap(set.foreground[a], set.foreground[b]);
  std::swap(set.background[a], set.background[b]);
  if (!state.trackTiles) return;
  uint8_t mapping[256];
  IdentityMapping(mapping);
  mapping[a] = static_cast<uint8_t>(b);
  mapping[b] = static_cast<uint8_t>(a);
  Renumber(tables, state.currentTileSet, sets.size(), mapping);
}

std::string GroupTilesByColour(const TileStudioState& state, std::vector<TileSet>& sets,
                               std::vector<NameTable>& tables) {
  TileSet& set = sets[state.currentTileSet];
  std::vector<Tile> tiles(kMostImportedTiles);
  std::vector<int> uses(kMostImportedTiles, 1);  // unused tiles still count, a little
  for (int t = 0; t < kMostImportedTiles; ++t) {
    for (int y = 0; y < 8; ++y) {
      for (int x = 0; x < 8; ++x)
        if (set.pixels[t][y][x]) tiles[t].rows[y] |= 0x80 >> x;
      tiles[t].foreground[y] = static_cast<uint8_t>(set.foreground[t][y] & 15);
      tiles[t].background[y] = static_cast<uint8_t>(set.background[t][y] & 15);
    }
    tiles[t] = InOnePair(tiles[t]);
  }
  for (const NameTable& table : tables)
    for (int cell = 0; cell < kTableCells; ++cell)
      if (TileSetForRow(table, cell / kTableColumns, sets.size()) == state.currentTileSet &&
          table.cells[cell] < kMostImportedTiles)
        uses[table.cells[cell]] += 10;
  const Grouping grouping = GroupTiles(MeasureGrouping(tiles, uses));
  uint8_t mapping[256];
  IdentityMapping(mapping);
  std::vector<int> filled(kColourGroups, 0);
  const TileSet before = set;
  int moved = 0;
  for (int t = 0; t < kMostImportedTiles; ++t) {
    const int to = grouping.group[t] * kGroupTiles + filled[grouping.group[t]]++;
    mapping[t] = static_cast<uint8_t>(to);
    moved += to != t;
    std::memcpy(set.pixels[to], before.pixels[t], sizeof set.pixels[to]);
    std::memcpy(set.foreground[to], before.foreground[t], sizeof set.foreground[to]);
    std::memcpy(set.background[to], before.background[t], sizeof set.background[to]);
  }
  Renumber(tables, state.currentTileSet, sets.size(), mapping);
  return std::to_string(moved) + " tiles of " + set.name + " moved into groups of colours that suit one pair; the " +
         "name tables follow (FIT GROUPS gives each group its pair)";
}
