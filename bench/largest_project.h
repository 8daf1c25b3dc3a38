#pragma once
// The largest project the editor holds: 64 tile sets of distinct tiles, 256
// sprites, 256 name tables with eight placements each.
#include "model/project.h"

inline void FillLargestProject() {
  ResetProject();
  tileSets.assign(64, DefaultTileSet());
  for (int s = 0; s < 64; ++s)
    for (int tile = 0; tile < 256; ++tile) tileSets[s].pixels[tile][(tile + s) % 8][tile / 32] = 1;
  sprites().assign(256, DefaultSprite());
  nameTables.assign(256, DefaultNameTable());
  for (NameTable& screen : nameTables) screen.placements.assign(8, SpritePlacement{1, 10, 20});
}
