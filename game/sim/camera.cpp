#include "game/sim/camera.h"

#include <cmath>

#include "game/sim/ball.h"
#include "game/sim/camera_start.h"

namespace {

ScenePoint startCameraPosition() {
  ScenePoint p{};
  p.x = -1.0;
  p.y = -1.0;
  p.z = 0.0;
  return p;
}

}  // namespace

ScenePoint cameraPosition = startCameraPosition();
double viewDistance = 0.0;
double viewHeight = 0.1;
double viewHeightTarget = 0.1;

void resetCameraPath() {
  cameraPosition = startCameraPosition();
  viewDistance = 0.0;
  viewHeight = 0.1;
  viewHeightTarget = 0.1;
}

void placeCamera() {
  const double bx = ball.position.x;
  const double by = ball.position.y;

  // Before the course start and past its end the camera parks on the first or
  // last key; the projection distance of the last placed frame is kept.
  if (bx < 0.0 || std::isnan(bx)) {
    cameraPosition = scene.cameras[0];
    return;
  }
  if (bx > 1.0) {
    cameraPosition = scene.cameras[CameraCount - 1];
    return;
  }

  const double scaled = 10.0 * bx;
  const int t = static_cast<int>(scaled);
  const double f = scaled - t;
  const int i = t < 0 ? 0 : (t > 10 ? 10 : t);
  const int j = i < 10 ? i + 1 : 10;

  const SceneCamera &from = scene.cameras[i];
  const SceneCamera &to = scene.cameras[j];
  cameraPosition.x = to.x * f + from.x * (1.0 - f);
  cameraPosition.y = to.y * f + from.y * (1.0 - f);
  cameraPosition.z = to.z * f + from.z * (1.0 - f);

  const double dx = cameraPosition.x - bx;
  const double dy = cameraPosition.y - by;
  const double dz = cameraPosition.z - viewHeight;
  viewDistance = 3.0 * std::sqrt(dx * dx + dy * dy + dz * dz);
}

void followViewHeight() {
  const double diff = viewHeightTarget - viewHeight;
  if (std::fabs(diff) > 0.001) viewHeight = viewHeight + 0.02 * diff;
}
