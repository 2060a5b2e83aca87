#include "game/shell/sound_start.h"

#include "framework/host.h"
#include "game/shell/records/settings_store.h"
#include "game/shell/sound_cues.h"
#include "game/sound/sound_control.h"

namespace {

SettingsStore settings;

void rememberMuted(bool muted) {
  if (settings.setSoundMuted(muted)) hostPlayerFilesChanged();
}

}  // namespace

void startSound(bool mutedForThisSession) {
  settings.open(hostPlayerFilesDirectory());
  setSoundMuted(mutedForThisSession || settings.soundMuted());
  setSoundToggleHook(rememberMuted);
  openSound();
  resetSoundCues();
}
