// The game's sound as a whole: opening the host's device, muting, and the
// end of the program.
#pragma once

#include "game/sound/sound_kind.h"

// The rate the game asks every device for.
inline constexpr int PreferredSoundRate = 44100;

// Opens the host's sound device (framework/host.h) and prepares the sounds.
// When the device can't be opened the game plays on silently; one line on
// standard error says so (a back end without sound says nothing). Returns true when sound will be heard (unless muted).
bool openSound();

// Plays a sound now (nothing when muted or without a device).
void playSound(SoundKind kind, double gain = 1.0, double pitch = 1.0);

// Called once at the end of every main-loop pass, after the pass's sounds
// have been started.
void soundAfterPass();

// Lets the last sounds run out (at most a second and a half) and closes the
// device. Runs by itself when the process ends.
void closeSound();

bool soundMuted();
void setSoundMuted(bool muted);
// The player pressed M: the choice flips and the toggle hook hears of it
// (to keep the choice with the player's records).
void toggleSoundMuted();
using SoundToggleHook = void (*)(bool muted);
void setSoundToggleHook(SoundToggleHook hook);
