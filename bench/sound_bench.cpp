// Cost of one audio buffer against the time it takes to play.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "app/shell/sound_generator.h"

namespace {
void BM_AudioCallbackAllChannels(benchmark::State& state) {
  constexpr int kSamples = 2048;
  ResetSoundGenerator();
  obtainedAudioRate = kDefaultAudioRate;
  for (int c = 0; c < 4; ++c) {
    psgChannels[c].enabled = true;
    psgChannels[c].attenuation = static_cast<uint8_t>(c);
    psgChannels[c].period = static_cast<uint16_t>(200 + 50 * c);
  }
  std::vector<uint8_t> stream(kSamples * 2);
  for (auto _ : state) {
    AudioCallback(nullptr, stream.data(), static_cast<int>(stream.size()));
    benchmark::DoNotOptimize(stream.data());
  }
  // Time per buffer as a percentage of its playing time (2048 / 44100 s).
  state.counters["percent_of_playing_time"] =
      benchmark::Counter(static_cast<double>(kSamples) / kDefaultAudioRate / 100.0,
                         benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  ResetSoundGenerator();
}
BENCHMARK(BM_AudioCallbackAllChannels)->Unit(benchmark::kMicrosecond);
}  // namespace
