// The software mixer: up to MaxVoices sounds at once, mixed into mono 16-bit
// samples at the device's rate. The main loop starts sounds; the device's
// thread mixes them. The two meet in a ring of start requests that needs no
// lock, and mixing allocates nothing.
#pragma once

#include <cstdint>

#include "game/sound/sound_kind.h"

// Sounds beyond this many replace the oldest; with every table's peak at
// SoundPeak the sum of all voices stays inside 16 bits, so nothing clips.
inline constexpr int MaxVoices = 5;

// Draws every sound's table at `rate`. Call before the device starts pulling.
void prepareMixer(int rate);
int mixerRate();

// Starts a sound at `gain` (0 to 1) and `pitch` (1: as drawn; 2: an octave
// up). Main thread only. Without prepared tables, does nothing.
void queueSound(SoundKind kind, double gain = 1.0, double pitch = 1.0);

// The device's side: fills `count` samples.
void mixSound(int16_t *samples, int count);

// Silences the output and drops what is playing (mute); sounds queued while
// silent are dropped as well.
void setMixerSilent(bool silent);

// True while a voice plays or a start request waits.
bool mixerSounding();

// Forgets every table and voice (tests start afresh).
void resetMixer();
