#include "game/shell/input.h"

#include <cstdlib>

#include "framework/framework.h"
#include "game/shell/game_state.h"
#include "game/shell/palettes.h"
#include "game/sim/ball.h"
#include "game/sound/sound_control.h"

namespace {

constexpr double SpeedFloor = 0.0005;
constexpr double SpeedUpFactor = 1.055;
constexpr double SlowDownFactor = 0.75;
constexpr double TurnStep = 0.2;
constexpr double JumpStep = 0.01;
constexpr double JumpFactorFloor = 0.3;
constexpr double JumpChargeCeiling = 1.0;
constexpr double RollFactor = 500.0;
constexpr double FullTurn = 6.283185308;

[[noreturn]] void exitProcess(int status) {
  std::exit(status);
}
QuitProcessFunc quitProcess = exitProcess;
KeyHeldFunc keyHeld = isKeyDown;

double wrapAngle(double a) {
  if (a > FullTurn) a = a - FullTurn;
  if (a < 0.0) a = a + FullTurn;
  return a;
}

bool held(int scanCode) {
  return keyHeld(scanCode);
}

void pollMenuKeys() {
  if (held(ScanDown)) game.menuSelection = 0;
  if (held(ScanUp)) game.menuSelection = 1;
  if (held(ScanRight) && game.menuSelection == 0) {
    quitProcess(0);
    return;
  }
  if (held(ScanRight) && game.menuSelection == 1) {
    game.menuMode = 0;
    setGamePalette();
  }
}

void pollPlayingKeys() {
  if (held(ScanUp)) {
    if (ball.speed < SpeedFloor) {
      ball.speed = SpeedFloor;
    } else {
      ball.speed = ball.speed * SpeedUpFactor;
    }
  }
  if (held(ScanDown)) {
    if (ball.speed < SpeedFloor) {
      ball.speed = 0.0;
    } else {
      ball.speed = ball.speed * SlowDownFactor;
    }
  }
  if (held(ScanLeft)) ball.heading = ball.heading + TurnStep;
  if (held(ScanRight)) ball.heading = ball.heading - TurnStep;
  if (held(ScanEnter)) {
    ball.jumpFactor = ball.jumpFactor - JumpStep;
    if (ball.jumpFactor < JumpFactorFloor) ball.jumpFactor = JumpFactorFloor;
    ball.jumpHeld = 1;
    ball.jumpCharge = ball.jumpCharge + JumpStep;
    if (ball.jumpCharge > JumpChargeCeiling) ball.jumpCharge = JumpChargeCeiling;
  } else if (ball.jumpHeld == 1) {
    ball.jumpHeld = 0;
    ball.jumpFactor = ball.jumpCharge + 1.0;
  }
  ball.heading = wrapAngle(ball.heading);
  ball.roll = wrapAngle(ball.roll + ball.speed * RollFactor);
  ball.jumpIndex = ball.jumpIndex + 1;
  if (ball.jumpIndex == 39) ball.jumpIndex = 38;
}

void quitOnEscape(const Event &event) {
  if ((event.message & 0xFF) == CharEscape) quitMainLoop();
}

}  // namespace

// M (by its character, so that it sits where the keyboard's layout puts it)
// mutes and unmutes, in the menu and while playing; a held key doesn't flip
// it again and again.
void toggleSoundOnM(const Event &event) {
  const uint32_t character = event.message & 0xFF;
  if (event.what == KeyDown && (character == 'm' || character == 'M')) toggleSoundMuted();
}

void setQuitProcessFunc(QuitProcessFunc f) {
  quitProcess = f ? f : exitProcess;
}

void setKeyHeldFunc(KeyHeldFunc f) {
  keyHeld = f ? f : isKeyDown;
}

void pollKeys() {
  if (game.menuMode == 1) {
    pollMenuKeys();
  } else {
    pollPlayingKeys();
  }
}

void onKeyDown(const Event &event) {
  quitOnEscape(event);
  toggleSoundOnM(event);
}
void onKeyUp(const Event &event) {
  quitOnEscape(event);
}
