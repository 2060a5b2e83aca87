#include "game/sound/sound_control.h"

#include <cstdio>
#include <cstdlib>

#include "framework/host.h"
#include "framework/host_audio.h"
#include "game/sound/sound_mixer.h"

namespace {

const HostAudio *device = nullptr;
bool muted = false;
bool exitHandlerSet = false;
SoundToggleHook toggleHook = nullptr;

}  // namespace

bool openSound() {
  if (device) return true;
  const HostAudio *audio = host().audio;
  // A back end without sound at all (the headless one without a file) is
  // no missing device: nothing to say.
  if (!audio || !audio->open) return false;
  prepareMixer(PreferredSoundRate);
  const int rate = audio->open(PreferredSoundRate, mixSound);
  // A device that can't play the rate asked for gets the sounds drawn at
  // its own, before it pulls the first samples.
  if (rate > 0 && rate != PreferredSoundRate) prepareMixer(rate);
  if (rate <= 0) {
    resetMixer();
    std::fputs("Kelvaro: keine Tonausgabe verfügbar, das Spiel läuft ohne Ton.\n", stderr);
    return false;
  }
  device = audio;
  setMixerSilent(muted);
  if (!exitHandlerSet) {
    exitHandlerSet = true;
    std::atexit(closeSound);
  }
  return true;
}

void playSound(SoundKind kind, double gain, double pitch) {
  if (device && !muted) queueSound(kind, gain, pitch);
}

void soundAfterPass() {
  if (device && device->afterPass) device->afterPass();
}

void closeSound() {
  if (!device) return;
  const HostAudio *closing = device;
  device = nullptr;
  if (closing->close) closing->close(1500, mixerSounding);
}

bool soundMuted() {
  return muted;
}

void setSoundMuted(bool m) {
  muted = m;
  setMixerSilent(m);
}

void toggleSoundMuted() {
  setSoundMuted(!muted);
  if (toggleHook) toggleHook(muted);
}

void setSoundToggleHook(SoundToggleHook hook) {
  toggleHook = hook;
}
