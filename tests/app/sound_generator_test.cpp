#include "app/sound_generator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {
constexpr int kBufferSamples = 2048;

std::vector<int16_t> Render(int buffers) {
  std::vector<int16_t> samples;
  std::vector<uint8_t> stream(kBufferSamples * 2, 0xAA);
  for (int b = 0; b < buffers; ++b) {
    AudioCallback(nullptr, stream.data(), static_cast<int>(stream.size()));
    for (int i = 0; i < kBufferSamples; ++i) {
      int16_t sample;
      std::memcpy(&sample, &stream[2 * i], sizeof sample);
      samples.push_back(sample);
    }
  }
  return samples;
}

void PlayTone(uint16_t period, uint8_t attenuation) {
  ResetSoundGenerator();
  obtainedAudioRate = 44100;
  psgChannels[0].period = period;
  psgChannels[0].attenuation = attenuation;
  psgChannels[0].enabled = true;
}

int Peak(const std::vector<int16_t>& samples) {
  int peak = 0;
  for (int16_t s : samples) peak = std::max(peak, std::abs(int(s)));
  return peak;
}
}  // namespace

TEST(SoundGenerator, StartValuesPlaySilence) {
  ResetSoundGenerator();
  const std::vector<int16_t> samples = Render(3);
  EXPECT_TRUE(std::all_of(samples.begin(), samples.end(), [](int16_t s) { return s == 0; }));
  EXPECT_EQ(noiseShift, 0x8001);  // a silent noise channel does not advance
}

TEST(SoundGenerator, ToneIsASquareWaveOfTheDividedClock) {
  PlayTone(254, 0);
  const std::vector<int16_t> samples = Render(44100 / kBufferSamples + 1);  // about a second
  EXPECT_EQ(Peak(samples), 8191);
  int firstRise = -1, lastRise = -1, rises = 0;
  for (std::size_t i = 1; i < samples.size(); ++i) {
    if (samples[i - 1] < 0 && samples[i] > 0) {
      if (firstRise < 0) firstRise = static_cast<int>(i);
      lastRise = static_cast<int>(i);
      ++rises;
    }
    EXPECT_TRUE(samples[i] == 8191 || samples[i] == -8191) << i;
  }
  const double frequency = (rises - 1) * 44100.0 / (lastRise - firstRise);
  EXPECT_NEAR(frequency, 440.4, 0.5);
}

TEST(SoundGenerator, AttenuationScalesTheLevel) {
  PlayTone(254, 15);
  EXPECT_EQ(Peak(Render(2)), 0);
  PlayTone(254, 1);
  const int quieter = Peak(Render(2));
  PlayTone(254, 0);
  const int loudest = Peak(Render(2));
  EXPECT_NEAR(double(quieter) / loudest, 0.794328, 0.0002);
}

TEST(SoundGenerator, NoiseShiftsOnceASample) {
  EXPECT_EQ(AdvanceNoise(0x8001), 0x4000);
  EXPECT_EQ(AdvanceNoise(0x4000), 0x2000);

  ResetSoundGenerator();
  psgChannels[kNoiseChannel].enabled = true;
  psgChannels[kNoiseChannel].attenuation = 0;
  int16_t sample[2];
  AudioCallback(nullptr, reinterpret_cast<uint8_t*>(sample), sizeof sample);
  EXPECT_EQ(noiseShift, 0x2000);
  EXPECT_EQ(sample[0], -8191);  // bit 0 of 0x4000 is 0
  noiseHalf = true;
  AudioCallback(nullptr, reinterpret_cast<uint8_t*>(sample), 2);
  EXPECT_EQ(sample[0], -4095);
  ResetSoundGenerator();
}
