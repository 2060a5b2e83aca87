#include "trial_game.h"

#include <cmath>

#include "game/scene/scene.h"
#include "game/sim/ball.h"
#include "game/sim/camera.h"

TrialState trial;

namespace {

LifeReport lifeReport = nullptr;
const char *pendingReason = "trap";

bool held(ScriptKey key) {
  return trial.held[static_cast<int>(key)];
}

double wrapAngle(double a) {
  if (a > 6.283185308) a = a - 6.283185308;
  if (a < 0.0) a = a + 6.283185308;
  return a;
}

void pollMenu() {
  if (held(ScriptKey::Down)) trial.menuSelection = 0;
  if (held(ScriptKey::Up)) trial.menuSelection = 1;
  if (held(ScriptKey::Right) && trial.menuSelection == 0) trial.quit = true;
  if (held(ScriptKey::Right) && trial.menuSelection == 1) trial.menuMode = 0;
}

void pollPlaying() {
  if (held(ScriptKey::Up)) ball.speed = ball.speed < 0.0005 ? 0.0005 : ball.speed * 1.055;
  if (held(ScriptKey::Down)) ball.speed = ball.speed < 0.0005 ? 0.0 : ball.speed * 0.75;
  if (held(ScriptKey::Left)) ball.heading = ball.heading + 0.2;
  if (held(ScriptKey::Right)) ball.heading = ball.heading - 0.2;
  if (held(ScriptKey::Enter)) {
    ball.jumpFactor = ball.jumpFactor - 0.01;
    if (ball.jumpFactor < 0.3) ball.jumpFactor = 0.3;
    ball.jumpHeld = 1;
    ball.jumpCharge = ball.jumpCharge + 0.01;
    if (ball.jumpCharge > 1.0) ball.jumpCharge = 1.0;
  } else if (ball.jumpHeld == 1) {
    ball.jumpHeld = 0;
    ball.jumpFactor = ball.jumpCharge + 1.0;
  }
  ball.heading = wrapAngle(ball.heading);
  ball.roll = wrapAngle(ball.roll + ball.speed * 500.0);
  ball.jumpIndex = ball.jumpIndex + 1;
  if (ball.jumpIndex == 39) ball.jumpIndex = 38;
}

void loseLife() {
  ++trial.livesLost;
  const ScenePoint where = ball.position;
  if (trial.lives == 0) {
    trial.menuMode = 1;
    trial.lives = 4;
  }
  ball.position = scene.initialBall;
  ball.speed = 0.0;
  ball.heading = 0.0;
  ball.velocityX = 0.0;
  ball.velocityY = 0.0;
  trial.lives = trial.lives - 1;
  if (lifeReport != nullptr) lifeReport(pendingReason, where.x, where.y, where.z);
}

void loseLifeOnTrap() {
  pendingReason = "trap";
  loseLife();
}

}  // namespace

void setLifeReport(LifeReport report) {
  lifeReport = report;
  setLifeLostHandler(loseLifeOnTrap);
}

void applyKeyChange(const KeyChange &change) {
  if (change.key == ScriptKey::Escape && change.down) trial.quit = true;
  trial.held[static_cast<int>(change.key)] = change.down;
}

void runPass() {
  if (trial.menuMode == 1) {
    pollMenu();
  } else {
    pollPlaying();
  }
  if (trial.menuMode == 1 || trial.quit) return;
  collideBall();
  if (!(ball.position.z >= 0.0)) {
    pendingReason = "fell";
    loseLife();
  }
  placeCamera();
  moveWorld();
  if (ball.position.x > trial.furthestX) trial.furthestX = ball.position.x;
}
