#include "game/sound/sound_mixer.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <vector>

#include "game/sound/sound_synth.h"

namespace {

constexpr int KindCount = static_cast<int>(SoundKind::Count);
constexpr int RingSize = 32;  // a power of two
constexpr int FractionBits = 16;

struct StartRequest {
  int kind;
  int32_t gain;      // of 256
  uint32_t step;     // table positions per sample, 16.16
};

struct Voice {
  const int16_t *table = nullptr;
  uint64_t length = 0;    // in 16.16
  uint64_t position = 0;  // in 16.16
  uint32_t step = 0;
  int32_t gain = 0;
  uint32_t age = 0;
};

std::vector<int16_t> tables[KindCount];
int rate = 0;

// Written by the main thread only.
StartRequest ring[RingSize];
std::atomic<uint32_t> ringWritten{0};
// Written by the device's side only.
std::atomic<uint32_t> ringRead{0};
std::atomic<int> voicesPlaying{0};
std::atomic<bool> silent{false};

// The device's side only.
Voice voices[MaxVoices];
uint32_t voiceAge = 0;

void startVoice(const StartRequest &request) {
  const std::vector<int16_t> &table = tables[request.kind];
  if (table.empty()) return;
  Voice *slot = &voices[0];
  for (Voice &v : voices) {
    if (!v.table) {
      slot = &v;
      break;
    }
    if (v.age < slot->age) slot = &v;
  }
  slot->table = table.data();
  slot->length = static_cast<uint64_t>(table.size()) << FractionBits;
  slot->position = 0;
  slot->step = request.step;
  slot->gain = request.gain;
  slot->age = ++voiceAge;
}

void takeStartRequests(bool keep) {
  const uint32_t written = ringWritten.load(std::memory_order_acquire);
  uint32_t read = ringRead.load(std::memory_order_relaxed);
  for (; read != written; ++read)
    if (keep) startVoice(ring[read % RingSize]);
  ringRead.store(read, std::memory_order_release);
}

// One voice's sample at its position: between two table entries, weighted.
int32_t voiceSample(const Voice &v) {
  const uint64_t index = v.position >> FractionBits;
  const int32_t fraction = static_cast<int32_t>(v.position & ((1u << FractionBits) - 1));
  const int32_t a = v.table[index];
  const int32_t b = (index + 1) << FractionBits < v.length ? v.table[index + 1] : 0;
  const int32_t value = a + static_cast<int32_t>((static_cast<int64_t>(b - a) * fraction) >> FractionBits);
  return (value * v.gain) / 256;
}

}  // namespace

void prepareMixer(int deviceRate) {
  rate = deviceRate;
  for (int k = 0; k < KindCount; ++k) tables[k] = synthesiseSound(static_cast<SoundKind>(k), deviceRate);
}

int mixerRate() {
  return rate;
}

void queueSound(SoundKind kind, double gain, double pitch) {
  const int k = static_cast<int>(kind);
  if (k < 0 || k >= KindCount || tables[k].empty() || silent.load(std::memory_order_relaxed)) return;
  const uint32_t written = ringWritten.load(std::memory_order_relaxed);
  if (written - ringRead.load(std::memory_order_acquire) >= RingSize) return;  // the device has stalled
  StartRequest &r = ring[written % RingSize];
  r.kind = k;
  r.gain = static_cast<int32_t>(std::lround(std::clamp(gain, 0.0, 1.0) * 256.0));
  r.step = static_cast<uint32_t>(std::lround(std::clamp(pitch, 0.25, 4.0) * (1 << FractionBits)));
  ringWritten.store(written + 1, std::memory_order_release);
}

void mixSound(int16_t *samples, int count) {
  const bool quiet = silent.load(std::memory_order_acquire);
  takeStartRequests(!quiet);
  if (quiet) {
    for (Voice &v : voices) v.table = nullptr;
    voicesPlaying.store(0, std::memory_order_release);
    std::fill(samples, samples + count, int16_t{0});
    return;
  }
  for (int i = 0; i < count; ++i) {
    int32_t sum = 0;
    for (Voice &v : voices) {
      if (!v.table) continue;
      sum += voiceSample(v);
      v.position += v.step;
      if (v.position >= v.length) v.table = nullptr;
    }
    samples[i] = static_cast<int16_t>(sum);
  }
  int playing = 0;
  for (const Voice &v : voices) playing += v.table != nullptr;
  voicesPlaying.store(playing, std::memory_order_release);
}

void setMixerSilent(bool quiet) {
  silent.store(quiet, std::memory_order_release);
}

bool mixerSounding() {
  return voicesPlaying.load(std::memory_order_acquire) > 0 ||
         ringWritten.load(std::memory_order_acquire) != ringRead.load(std::memory_order_acquire);
}

void resetMixer() {
  for (std::vector<int16_t> &t : tables) t.clear();
  for (Voice &v : voices) v = Voice{};
  rate = 0;
  ringRead.store(ringWritten.load());
  voicesPlaying.store(0);
  silent.store(false);
}
