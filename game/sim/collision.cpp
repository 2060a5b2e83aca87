#include <cmath>
#include <cstddef>

#include "game/scene/fatal_message.h"
#include "game/scene/geometry.h"
#include "game/sim/ball.h"
#include "game/sim/camera.h"

namespace {

LifeLostHandler lifeLostHandler = nullptr;

Vec3 ballCentre() {
  return Vec3{ball.position.x, ball.position.y, ball.position.z};
}

// The faces near the ball: interval k's and, before interval 9, the two
// after them. Empty for a ball before the course, in an interval without
// faces, or at a position that is not a number; never past the face array.
struct FaceRange {
  SceneFace *first;
  SceneFace *end;
};

FaceRange facesNearBall() {
  const double scaled = std::trunc(10.0 * ball.position.x);
  if (scaled > 10.0) FatalMessage("Ball in Intervall 11");
  if (!(scaled >= 0.0)) return {nullptr, nullptr};

  const int k = static_cast<int>(scaled);
  SceneFace *first = scene.intervalFirstFace[k];
  if (first == nullptr) return {nullptr, nullptr};

  const int n = k < 9 ? scene.intervalCount[k] + 2 : scene.intervalCount[k];
  SceneFace *const arrayBegin = scene.faces.data();
  int available = scene.faceCount;
  if (available > static_cast<int>(scene.faces.size())) available = static_cast<int>(scene.faces.size());
  SceneFace *const arrayEnd = arrayBegin + available;
  if (first < arrayBegin || first >= arrayEnd) return {nullptr, nullptr};
  const std::ptrdiff_t remaining = arrayEnd - first;
  return {first, first + (n < remaining ? n : remaining)};
}

// A new bounce starts from the table entry that the jump factor selects:
// factor 1.0 gives entry 10, a full charge of 2.0 entry 0. The keyboard keeps
// the factor within 0.3 to 2.0; any other value still selects an entry of the
// table rather than an index beyond it.
void startBounce() {
  const double entry = std::trunc(20.0 - 10.0 * ball.jumpFactor);
  if (!(entry >= 0.0)) {
    ball.jumpIndex = 0;
  } else if (entry > BounceTableSize - 1) {
    ball.jumpIndex = BounceTableSize - 1;
  } else {
    ball.jumpIndex = static_cast<int>(entry);
  }
}

void takeUpPlayerVelocity() {
  ball.velocityX = ball.speed * std::cos(ball.heading);
  ball.velocityY = ball.speed * std::sin(ball.heading);
}

void bounceOnFloor(bool followHeight) {
  startBounce();
  if (ball.jumpFactor > 1.0) {
    ball.jumpFactor = 1.0;
    ball.jumpCharge = 0.0;
  }
  if (followHeight) viewHeightTarget = ball.position.z;
  takeUpPlayerVelocity();
}

void bounceOffWall(Vec3 fromWall) {
  // Only a ball moving towards the side of the wall it is on turns back;
  // one already leaving is let go, or it would flip back and forth.
  if (!(Dot3(Vec3{ball.velocityX, ball.velocityY, 0.0}, fromWall) < 0.0)) return;
  startBounce();
  if (ball.jumpFactor > 1.0) ball.jumpFactor = 1.0;
  ball.heading = ball.heading + 3.141592654;
  ball.velocityX = -ball.velocityX;
  ball.velocityY = -ball.velocityY;
}

void react(const SceneFace &face, Vec3 fromFace) {
  switch (face.type) {
    case FloorFlat:
    case FloorSloped:
      bounceOnFloor(true);
      break;
    case Wall:
      bounceOffWall(fromFace);
      break;
    case TrapSloped:
    case TrapFlat:
      if (lifeLostHandler != nullptr) lifeLostHandler();
      break;
    default:
      if (face.type < 0) {
        bounceOnFloor(false);
      } else {
        FatalMessage("Sie haben gewonnen");
      }
      break;
  }
}

}  // namespace

void setLifeLostHandler(LifeLostHandler handler) {
  lifeLostHandler = handler;
}

void collideBall() {
  const FaceRange range = facesNearBall();
  for (SceneFace *face = range.first; face != range.end; ++face) {
    if (face->vertex0 == nullptr || face->vertex0->y == 0.0) continue;

    const ScenePoint foot = FootOnFacePlane(*face, ballCentre());
    if (!isInsideCornerV0(*face, foot) || !isInsideCornerV1(*face, foot)) continue;

    // Each face sees the ball as the previous reaction left it.
    const Vec3 fromFace{ball.position.x - foot.x, ball.position.y - foot.y, ball.position.z - foot.z};
    if (!(Dot3(fromFace, fromFace) < ContactDistanceSq)) continue;

    react(*face, fromFace);
  }
}
