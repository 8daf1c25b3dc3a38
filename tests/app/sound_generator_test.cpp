#include "app/shell/sound_generator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {
constexpr int kBufferSamples = 2048;

std::vector<int16_t> Render(int buffers) {
  std::vector<int16_t> samples(static_cast<std::size_t>(buffers) * kBufferSamples);
  for (int b = 0; b < buffers; ++b)
    AudioCallback(nullptr, reinterpret_cast<uint8_t*>(&samples[b * kBufferSamples]), kBufferSamples * 2);
  return samples;
}

int PeakOfTone(uint8_t attenuation, std::vector<int16_t>* samples = nullptr, int buffers = 2) {
  ResetSoundGenerator();
  obtainedAudioRate = 44100;
  psgChannels[0] = {254, 0.0f, attenuation, true};
  const std::vector<int16_t> rendered = Render(buffers);
  if (samples) *samples = rendered;
  int peak = 0;
  for (int16_t s : rendered) peak = std::max(peak, std::abs(int(s)));
  return peak;
}
}  // namespace

TEST(SoundGenerator, ToneIsASquareWaveOfTheDividedClockScaledByAttenuation) {
  ResetSoundGenerator();
  const std::vector<int16_t> silence = Render(3);
  EXPECT_TRUE(std::all_of(silence.begin(), silence.end(), [](int16_t s) { return s == 0; }));
  EXPECT_EQ(noiseShift, 0x8001) << "a silent noise channel does not advance";

  std::vector<int16_t> samples;
  EXPECT_EQ(PeakOfTone(0, &samples, 44100 / kBufferSamples + 1), 8191);  // about a second
  int firstRise = -1, lastRise = -1, rises = 0;
  for (std::size_t i = 1; i < samples.size(); ++i) {
    if (samples[i - 1] < 0 && samples[i] > 0) {
      if (firstRise < 0) firstRise = static_cast<int>(i);
      lastRise = static_cast<int>(i);
      ++rises;
    }
    ASSERT_TRUE(samples[i] == 8191 || samples[i] == -8191) << i;
  }
  EXPECT_NEAR((rises - 1) * 44100.0 / (lastRise - firstRise), 440.4, 0.5);
  EXPECT_EQ(PeakOfTone(15), 0);
  EXPECT_NEAR(double(PeakOfTone(1)) / PeakOfTone(0), 0.794328, 0.0002);
}

TEST(SoundGenerator, NoiseShiftsOnceASampleAndCanBeHalved) {
  EXPECT_EQ(AdvanceNoise(0x8001) * 0x10000 + AdvanceNoise(0x4000), 0x40002000u);
  ResetSoundGenerator();
  psgChannels[kNoiseChannel] = {1, 0.0f, 0, true};
  int16_t sample[2];
  AudioCallback(nullptr, reinterpret_cast<uint8_t*>(sample), sizeof sample);
  noiseHalf = true;
  AudioCallback(nullptr, reinterpret_cast<uint8_t*>(&sample[1]), 2);
  EXPECT_EQ(std::vector<int>({noiseShift, sample[0], sample[1]}), std::vector<int>({0x1000, -8191, -4095}));
  ResetSoundGenerator();
}
