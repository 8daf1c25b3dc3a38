// One editor frame with the Tile Studio showing everything at once: 256
// non-blank tiles, a selection, match marks and block links.
#include "editor_frames.h"
#include "model/project.h"
#include "studios/tile/tile_sheet_actions.h"
#include "studios/tile/tile_studio_state.h"

namespace {
void BM_TileStudioFrame(benchmark::State& state) {
  TimeEditorFrames(state, "Tile Studio", [] {
    TileSet& set = tileSets[0];
    for (int tile = 0; tile < 256; ++tile)
      for (int y = 0; y < 8; ++y) {
        set.foreground[tile][y] = 1 + (tile + y) % 15;
        set.background[tile][y] = 1 + (tile * 7 + y) % 15;
        for (int x = 0; x < 8; ++x) set.pixels[tile][y][x] = (tile % 40 + x * y) % 3 == 0;
      }
    MatchTiles(tileStudio, set);
    tileStudio.selectionStart = 30;
    tileStudio.selectionEnd = 90;
  });
}
BENCHMARK(BM_TileStudioFrame)->Unit(benchmark::kMillisecond);
}  // namespace
