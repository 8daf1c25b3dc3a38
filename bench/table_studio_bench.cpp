// One editor frame with the Table Studio at its busiest: all 768 cells showing
// non-blank tiles and 32 sprite placements, with the Tile Editor open or closed,
// the tile numbers over the cells, or the screen as the chip shows it.
#include "editor_frames.h"
#include "model/project.h"
#include "studios/table/table_studio_state.h"

namespace {
void BM_TableStudioFrame(benchmark::State& state) {
  TimeEditorFrames(state, "Table Studio", [&state] {
    TileSet& set = tileSets[0];
    for (int tile = 0; tile < 256; ++tile)
      for (int y = 0; y < 8; ++y) {
        set.foreground[tile][y] = 1 + (tile + y) % 15;
        set.background[tile][y] = 1 + (tile * 5 + y) % 15;
        for (int x = 0; x < 8; ++x) set.pixels[tile][y][x] = (tile + x * y) % 3 == 0;
      }
    NameTable& table = nameTables[0];
    for (int cell = 0; cell < kTableCells; ++cell) table.cells[cell] = static_cast<uint8_t>(cell % 255);
    Sprite& sprite = sprites()[0];
    sprite.colour = 11;
    for (auto& row : sprite.pixels)
      for (uint8_t& pixel : row) pixel = 1;
    for (int i = 0; i < 32; ++i) table.placements.push_back({0, 30.0f * i, 20.0f * (i % 8)});
    tableStudio.selectedCell = CellRef{10, 10};
    tableStudio.tileEditorOpen = state.range(0) == 1;
    tableStudio.numberBase = state.range(0) == 2 ? 16 : 0;
    tableStudio.chipView = state.range(0) == 3;
    // Each mode with its busiest picture: every block another colour, every Text cell a tile.
    table.mode = static_cast<ScreenMode>(state.range(1));
    table.textCells.resize(kTextColumns * kTableRows);
    table.blocks.resize(kBlockColumns * kBlockRows);
    for (std::size_t i = 0; i < table.textCells.size(); ++i) table.textCells[i] = static_cast<uint8_t>(i % 255);
    for (std::size_t i = 0; i < table.blocks.size(); ++i) table.blocks[i] = static_cast<uint8_t>(1 + (i + i / 64) % 15);
  });
}
// 0 plain, 1 Tile Editor open, 2 tile numbers shown, 3 CHIP VIEW; then the mode (0 Graphics II, 1 I, 2 Text, 3
// Multicolor)
BENCHMARK(BM_TableStudioFrame)
    ->ArgNames({"view", "mode"})
    ->ArgsProduct({{0, 1, 2, 3}, {0}})
    ->ArgsProduct({{0, 3}, {1, 2, 3}})
    ->Unit(benchmark::kMillisecond);
}  // namespace
