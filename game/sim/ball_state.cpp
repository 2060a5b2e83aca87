#include "game/sim/ball.h"
#include "game/sim/camera.h"
#include "game/sim/camera_start.h"
#include "game/sim/motion_state.h"

namespace {

Ball startBall() {
  Ball b{};
  b.jumpFactor = 1.0;
  return b;
}

}  // namespace

Ball ball = startBall();

void resetSimulation() {
  fillBounceTable();

  ball = startBall();
  ball.position = scene.initialBall;

  resetPulsePhase();
  resetCameraPath();
}
