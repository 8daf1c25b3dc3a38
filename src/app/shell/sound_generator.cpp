#include "app/shell/sound_generator.h"

#include <algorithm>
#include <cstring>

PsgChannel psgChannels[4];
uint16_t noiseShift = 0x8001;
bool noiseHalf = false;
std::mutex psgMutex;
int obtainedAudioRate = 0;

const float AttenuationTable[16] = {1.0f,      0.794328f, 0.630957f, 0.501187f, 0.398107f, 0.316228f,
                                    0.251189f, 0.199526f, 0.158489f, 0.125893f, 0.1f,      0.079433f,
                                    0.063096f, 0.050119f, 0.039811f, 0.0f};

void ResetSoundGenerator() {
  std::lock_guard<std::mutex> lock(psgMutex);
  for (PsgChannel& channel : psgChannels) channel = PsgChannel{};
  noiseShift = 0x8001;
  noiseHalf = false;
}

uint16_t AdvanceNoise(uint16_t shift) {
  const uint16_t feedback = static_cast<uint16_t>((((shift << 1) ^ shift) & 2) << 13);
  return static_cast<uint16_t>(feedback | (shift >> 1));
}

void AudioCallback(void*, uint8_t* stream, int length) {
  std::memset(stream, 0, static_cast<std::size_t>(length));
  std::lock_guard<std::mutex> lock(psgMutex);
  const int rate = obtainedAudioRate > 0 ? obtainedAudioRate : kDefaultAudioRate;
  // The steps do not change within a buffer; work them out once.
  float steps[kToneChannels];
  for (int c = 0; c < kToneChannels; ++c)
    steps[c] = static_cast<float>(double(kPsgClock) / (double(psgChannels[c].period) * 32.0) / rate);

  PsgChannel& noise = psgChannels[kNoiseChannel];
  const int samples = length / 2;
  for (int i = 0; i < samples; ++i) {
    float sum = 0.0f;
    for (int c = 0; c < kToneChannels; ++c) {
      PsgChannel& tone = psgChannels[c];
      if (!tone.enabled || tone.attenuation >= 15) continue;
      tone.phase += steps[c];
      if (tone.phase >= 1.0f) tone.phase -= 1.0f;
      sum += (tone.phase < 0.5f ? 1.0f : -1.0f) * AttenuationTable[tone.attenuation];
    }
    if (noise.enabled && noise.attenuation < 15) {
      noiseShift = AdvanceNoise(noiseShift);
      float level = (noiseShift & 1) ? 1.0f : -1.0f;
      if (noiseHalf) level *= 0.5f;
      sum += level * AttenuationTable[noise.attenuation];
    }
    const float scaled = std::clamp(sum * 0.25f, -1.0f, 1.0f);
    const int16_t sample = static_cast<int16_t>(scaled * 32767.0f);
    std::memcpy(stream + 2 * i, &sample, sizeof sample);
  }
}
