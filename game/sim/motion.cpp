#include "game/sim/ball.h"
#include "game/sim/camera.h"
#include "game/sim/motion_state.h"

#include <cmath>

int pulsePhase = 0;

void resetPulsePhase() {
  pulsePhase = 0;
}

namespace {

// Course points that rise and sink, each a quarter period after the previous.
constexpr int PulsingPoints[4] = {62, 66, 70, 74};
constexpr int PulseOffsets[4] = {0, 10, 20, 30};

int courseIndexLimit() {
  // The ball mesh's points follow the course's; a course too small to hold an
  // animated point must not have a ball point (or nothing) moved instead.
  int limit = scene.pointCount - BallPointCount;
  if (limit > static_cast<int>(scene.points.size())) limit = static_cast<int>(scene.points.size());
  return limit;
}

double bounceStep(int index) {
  // Only the keyboard handling and contacts set jumpIndex, always within the
  // table; this guards the table against any other writer of the ball state.
  if (index < 0) index = 0;
  if (index >= BounceTableSize) index = BounceTableSize - 1;
  return bounceTable[index];
}

}  // namespace

void moveWorld() {
  pulsePhase = pulsePhase + 1;
  if (pulsePhase == 39) pulsePhase = 0;

  const int limit = courseIndexLimit();
  for (int n = 0; n < 4; ++n) {
    if (PulsingPoints[n] >= limit) continue;
    const int phase = (pulsePhase + PulseOffsets[n]) % BounceTableSize;
    scene.points[PulsingPoints[n]].z = std::fabs(0.02 * bounceStep(phase)) + 0.114;
  }

  ball.position.x += ball.velocityX;
  ball.position.y += ball.velocityY;
  ball.position.z += 0.0085 * bounceStep(ball.jumpIndex);

  followViewHeight();
}
