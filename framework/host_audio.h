// The sound device as the game sees it. The game mixes mono 16-bit samples
// itself; a back end only carries them to the machine's speakers (or into a
// file). The device pulls: whenever it needs samples it calls the game's fill
// function, from its own thread or from the main loop.
#pragma once

#include <cstdint>

// Writes `count` samples. Called from the device's thread or the main
// thread; it neither allocates nor locks, so it can't stall either of them.
using AudioFillFunc = void (*)(int16_t *samples, int count);

struct HostAudio {
  // Opens the device, asking for `rate` samples per second. Returns the rate
  // it plays at, or 0 when there is no device (the game then stays silent).
  int (*open)(int rate, AudioFillFunc fill);

  // Called after every main-loop pass once that pass's sounds have started:
  // a device that keeps no time of its own (the WAV writer, the page) pulls
  // the pass's share of samples here. May be null.
  void (*afterPass)();

  // Lets the sounds still playing run out for at most `milliseconds` (the
  // win, before the program ends), then closes the device. May be null.
  void (*close)(int milliseconds, bool (*stillSounding)());
};
