// A copy of the game shell's per-pass logic (menu, controls, lives, the
// simulation half of a playing frame) for replaying key scripts without a
// display. It follows the game's rules but is not the game: the game's own
// shell is what ships.
#pragma once

#include "key_script.h"

struct TrialState {
  bool held[6] = {};
  int menuMode = 1;
  int menuSelection = 0;
  int lives = 3;
  bool quit = false;
  int livesLost = 0;
  double furthestX = 0.0;
};

extern TrialState trial;

// Called for every life lost, after the ball went back to the start, with
// the reason ("trap" or "fell") and where the ball was.
using LifeReport = void (*)(const char *reason, double x, double y, double z);
void setLifeReport(LifeReport report);

void applyKeyChange(const KeyChange &change);
// One main-loop pass: the polled keys, then the frame.
void runPass();
