// One editor frame with the Sprite Studio at its busiest: 256 sprites of
// random pixels in the list and all 32 strip cells filled, active and playing;
// a frame of a metasprite stroke; a large sprite sheet's import.
#include <random>

#include "editor_frames.h"
#include "import/sprite_sheet.h"
#include "largest_project.h"
#include "model/metasprite_picture.h"
#include "model/project.h"
#include "storage/png_file.h"
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

namespace {
// A frame of the editor while a stroke paints a 64 x 64 metasprite of 48
// parts (three colours in each of its 16 cells) with the largest project open:
// each frame the pointer moves a pixel and the picture's parts are derived again.
void BM_MetaspritePaintFrame(benchmark::State& state) {
  GuiDriver gui;
  FillLargestProject();
  project.sprites.resize(256 - 48);
  Metasprite big;
  SetName(big.name, "Boss");
  big.width = big.height = 64;
  project.metasprites = {big};
  MetaspritePicture picture;
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) picture.pixels[y][x] = static_cast<uint8_t>(2 + (x / 3 + y / 5) % 3);
  std::string error;
  if (!SetMetaspritePicture(project, 0, picture, error)) return state.SkipWithError(error.c_str());
  StartHistory(history, project, tileStudio.canvas);
  gui.Frame(3);
  spriteStudio.currentMetasprite = 0;
  spriteStudio.metaspriteColour = 3;
  const auto pixel = [&gui](int x, int y) { return gui.At(200 + 6 * x + 3, 560 + 6 * y + 3); };
  gui.MoveMouse(pixel(0, 0));
  gui.Frame();
  gui.Press();
  int step = 0;
  for (auto _ : state) {
    ++step;
    gui.MoveMouse(pixel(step % 64, step / 64 % 64));
    gui.Frame();
  }
  gui.Release();
  gui.Frame();
  state.counters["parts"] = static_cast<double>(project.metasprites[0].parts.size());
  ResetProject();
}
BENCHMARK(BM_MetaspritePaintFrame)->Unit(benchmark::kMillisecond);

// A 512 x 512 sheet of 1024 frames of 16 x 16, drawn from 200 distinct patterns in 3 colours.
void BM_ImportSpriteSheet512(benchmark::State& state) {
  IndexedImage sheet{512, 512, std::vector<uint8_t>(512 * 512, 0)};
  for (int frame = 0; frame < 1024; ++frame) {
    const int pattern = frame % 200, x0 = frame % 32 * 16, y0 = frame / 32 * 16;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x)
        if ((x * 7 + y * 3 + pattern) % 5 < 2)
          sheet.pixels[(y0 + y) * 512 + x0 + x] = static_cast<uint8_t>(6 + pattern % 3);
  }
  const std::string png = EncodePng(sheet, 1);
  std::size_t frames = 0;
  for (auto _ : state) {
    Project data = DefaultProject();
    const SpriteSheetResult made =
        ImportSpriteSheet(reinterpret_cast<const uint8_t*>(png.data()), png.size(), "sheet", data, {});
    if (!made.ok) return state.SkipWithError(made.message.c_str());
    frames = made.frames;
  }
  state.counters["frames"] = static_cast<double>(frames);
}
BENCHMARK(BM_ImportSpriteSheet512)->Unit(benchmark::kMillisecond);
}  // namespace
