// One editor frame with the Sprite Studio at its busiest: 256 sprites of
// random pixels in the list and all 32 strip cells filled, active and playing.
#include <random>

#include "editor_frames.h"
#include "model/project.h"
#include "studios/sprite/sprite_studio_state.h"

namespace {
void BM_SpriteStudioFrame(benchmark::State& state) {
  TimeEditorFrames(state, "Sprite Studio", [] {
    std::mt19937 random(7);
    sprites().resize(256);
    for (std::size_t i = 0; i < sprites().size(); ++i) {
      Sprite& sprite = sprites()[i];
      FormatName(sprite.name, "Sprite %zu", i);
      sprite.colour = 2 + static_cast<int>(i % 14);
      for (auto& row : sprite.pixels)
        for (uint8_t& pixel : row) pixel = random() % 2;
    }
    for (int s = 0; s < kStrips; ++s)
      for (int f = 0; f < kStripCells; ++f) {
        project.strips.cells[s][f] = s * 8 + f;
        project.strips.active[s][f] = true;
      }
    spriteAnimation.animationPlaying = true;
  });
}
BENCHMARK(BM_SpriteStudioFrame)->Unit(benchmark::kMillisecond);
}  // namespace
