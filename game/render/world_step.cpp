#include <cmath>

#include "game/render/render_math.h"
#include "game/render/render_steps.h"
#include "game/sim/ball.h"
#include "game/sim/camera.h"
#include "graphics/rasterkit.h"

FaceRange drawingRange(double bx) {
  FaceRange none{0, 0};
  if (std::isnan(bx)) return none;
  const int64_t k = truncToInt32(bx * 10);
  const int64_t lo = k - 1 > 0 ? k - 1 : 0;
  const int64_t hi = k + 4 < 10 ? k + 4 : 10;
  // A ball past the last interval, or before the course, draws no course.
  if (lo > 10 || hi <= lo) return none;
  FaceRange range{scene.intervalStart[lo], scene.intervalStart[hi]};
  if (range.first < 0) range.first = 0;
  if (range.last > scene.faceCount) range.last = scene.faceCount;
  if (range.last < range.first) range.last = range.first;
  return range;
}

void drawWorld() {
  const double bx = ball.position.x, by = ball.position.y, bz = ball.position.z;
  const double h = viewHeight;
  const bool ballPresent = scene.pointCount >= BallPointCount && scene.ballFaces.size() >= BallFaceCount &&
                           scene.visibleBallFaces.size() >= BallFaceCount;

  buildBallInverseMatrix(ball.heading, ball.roll, bx, by, h);
  transformPoint(cameraPosition, ballInverseMatrix);
  cullBallFaces(cameraPosition);
  shadeVisibleBallFaces(cameraPosition.x);

  buildBallMatrix(ball.heading, ball.roll, bx, by, bz);
  if (ballPresent) {
    for (int i = 0; i < BallPointCount; ++i)
      placeBallPoint(scene.points[scene.pointCount - BallPointCount + i], ballModelPoints[i], ballMatrix);
  }

  buildViewMatrix(bx, by, h, cameraPosition.x, cameraPosition.y, cameraPosition.z);

  for (int i = 0; i < scene.pointCount; ++i) scene.points[i].projected = 0;

  const FaceRange range = drawingRange(bx);
  for (int i = range.first; i < range.last; ++i) {
    const SceneFace &face = scene.faces[i];
    for (ScenePoint *p : {face.vertex0, face.vertex1, face.vertex2})
      if (!p->projected) projectPoint(*p, viewMatrix);
  }
  for (int i = 0; i < visibleBallFaceCount; ++i) {
    const SceneFace &face = scene.visibleBallFaces[i];
    for (ScenePoint *p : {face.vertex0, face.vertex1, face.vertex2})
      if (!p->projected) projectPoint(*p, viewMatrix);
  }

  RK_beginSurfaceAccess();
  for (int i = 0; i < visibleBallFaceCount; ++i) drawShadedFace(scene.visibleBallFaces[i]);
  for (int i = range.first; i < range.last; ++i) drawTexturedFace(scene.faces[i]);
  RK_endSurfaceAccess();
}

void updateWorld() {
  moveWorld();
  drawWorld();
}
