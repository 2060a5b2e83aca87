#include "platform/web/web_audio.h"

#include <emscripten.h>

#include <cstdint>

#include "framework/host_audio.h"

namespace {

// At most this many samples a pass: some 90 ms, for a pass after a stall.
constexpr int MostSamplesPerPass = 4096;

// clang-format off
EM_JS(int, kelvaroSoundOpen, (int rate), {
  return typeof kelvaroSound == 'object' && kelvaroSound.open(rate) ? 1 : 0;
});
EM_JS(int, kelvaroSoundWanted, (int most), { return kelvaroSound.wanted(most); });
EM_JS(void, kelvaroSoundQueue, (const int16_t *samples, int count), {
  kelvaroSound.queue(HEAP16.subarray(samples >> 1, (samples >> 1) + count));
});
// clang-format on

AudioFillFunc fill = nullptr;
int16_t block[MostSamplesPerPass];

int openDevice(int rate, AudioFillFunc f) {
  if (!kelvaroSoundOpen(rate)) return 0;
  fill = f;
  return rate;
}

// The page has no audio thread the game could use: each pass mixes what
// the browser will need until the next one. Before the first key the
// samples are mixed and dropped, so that sounds keep their time.
void afterPass() {
  if (!fill) return;
  const int count = kelvaroSoundWanted(MostSamplesPerPass);
  if (count <= 0) return;
  fill(block, count);
  kelvaroSoundQueue(block, count);
}

void closeDevice(int, bool (*)()) {
  fill = nullptr;
}

const HostAudio webAudio = {openDevice, afterPass, closeDevice};

}  // namespace

const HostAudio *webHostAudio() {
  return &webAudio;
}
