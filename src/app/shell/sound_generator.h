#pragma once
// A software model of a four-channel sound generator (three square-wave tones
// and one noise channel) that feeds the audio device from SDL's audio thread.

#include <cstdint>
#include <mutex>

struct PsgChannel {
  uint16_t period = 1;       // tone divider: 3579545 / (32 * period) Hz
  float phase = 0.0f;        // position in the square wave's cycle, 0 <= phase < 1
  uint8_t attenuation = 15;  // 0 loudest, 15 silent, 2 dB a step
  bool enabled = false;
};

constexpr int kToneChannels = 3;
constexpr int kNoiseChannel = 3;
constexpr int kPsgClock = 3579545;
constexpr int kDefaultAudioRate = 44100;

extern PsgChannel psgChannels[4];
extern uint16_t noiseShift;    // 15-bit noise shift register, starts at 0x8001
extern bool noiseHalf;         // halves the noise output
extern std::mutex psgMutex;    // held by the audio thread for each buffer
extern int obtainedAudioRate;  // the device's rate; 0 until a device is opened

extern const float AttenuationTable[16];

// Puts every register back to its start value (all channels off).
void ResetSoundGenerator();

// One step of the noise shift register: bits 0 and 1 XORed enter at bit 14.
uint16_t AdvanceNoise(uint16_t shift);

// SDL's audio callback: fills `length` bytes with signed 16-bit mono samples.
void AudioCallback(void* userData, uint8_t* stream, int length);
