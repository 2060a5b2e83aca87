// The game's sounds follow what it already does: after every pass the shell
// compares the state it sees (the bounce index, the jump values, the lives,
// the menu) with the state after the pass before and starts the sounds for
// what changed. Nothing in the game is driven by this; it only looks.
#pragma once

#include "game/sound/sound_kind.h"

// What the listener compares from pass to pass.
struct PassState {
  int menuMode;
  int menuSelection;
  int lives;
  int jumpIndex;
  double jumpCharge;
  int jumpHeld;
  double velocityX, velocityY;
};

PassState currentPassState();

// The sounds one pass calls for; `chargePasses` counts the passes Enter has
// been held (ticks sound at an even pace while it charges).
struct SoundCue {
  SoundKind kind;
  double gain;
  double pitch;
};
struct PassCues {
  SoundCue cues[4];
  int count = 0;
};
PassCues cuesBetween(const PassState &before, const PassState &after, int chargePasses);

// Called at the end of every drawn pass: starts the pass's sounds and lets
// the device take its share of samples.
void listenAfterPass();
// Takes the state as it is now as the one the next pass compares with.
void resetSoundCues();

// The win ends the program from inside the pass: its sound is started from
// the message shown at the end.
void cueEndMessage(const char *text);

// Cues for a list of courses, for the list itself to call.
void cueListMove();
void cueListTake();
