// What the sound costs: the game's side of a pass (reading the pass's
// changes and starting its sounds) and the mixing of a pass's share of
// samples with every voice busy, each against the time of a 60 Hz frame.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "game/shell/sound_cues.h"
#include "game/sound/sound_mixer.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr double FrameMicroseconds = 1e6 / 60.0;
constexpr int Rate = 44100;
constexpr int SamplesPerPass = Rate / 60;

double microsecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

}  // namespace

int main() {
  prepareMixer(Rate);
  std::vector<int16_t> block(SamplesPerPass);

  // The game's side: a pass with a bounce, one with nothing, both read and
  // their sounds started, as listenAfterPass does.
  PassState before{};
  before.lives = 3;
  before.jumpIndex = 37;
  before.velocityX = 0.001;
  PassState bounce = before, quiet = before;
  bounce.jumpIndex = 10;
  quiet.jumpIndex = 38;
  constexpr int Passes = 2000000;
  long started = 0;
  Clock::time_point t = Clock::now();
  for (int i = 0; i < Passes; ++i) {
    const PassCues cues = cuesBetween(before, i % 20 == 0 ? bounce : quiet, i);
    for (int c = 0; c < cues.count; ++c) {
      queueSound(cues.cues[c].kind, cues.cues[c].gain, cues.cues[c].pitch);
      ++started;
    }
    if (i % 20 == 0) mixSound(block.data(), 1);  // keeps the request ring from filling
  }
  const double perPass = microsecondsSince(t) / Passes;

  // The device's side: five voices at once, at uneven pitches, all the time.
  constexpr int Blocks = 20000;
  double mixing = 0.0;
  for (int i = 0; i < Blocks; ++i) {
    if (i % 8 == 0)
      for (int v = 0; v < MaxVoices; ++v) queueSound(SoundKind::Win, 1.0, 1.0 + 0.13 * v);
    t = Clock::now();
    mixSound(block.data(), SamplesPerPass);
    mixing += microsecondsSince(t);
  }
  const double perBlock = mixing / Blocks;

  std::printf("game side of a pass: %.3f us (%.4f %% of a 60 Hz frame); %ld sounds started\n", perPass,
              100.0 * perPass / FrameMicroseconds, started);
  std::printf("mixing a pass's %d samples, %d voices: %.2f us (%.3f %% of a 60 Hz frame)\n", SamplesPerPass,
              MaxVoices, perBlock, 100.0 * perBlock / FrameMicroseconds);
  return 0;
}
