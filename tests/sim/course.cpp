#include "course.h"

#include <stdexcept>

#include "game/scene/geometry.h"
#include "game/sim/ball.h"

int lostLives = 0;
void countLostLife() {
  ++lostLives;
}

ScenePoint at(double x, double y, double z) {
  ScenePoint p{};
  p.x = x;
  p.y = y;
  p.z = z;
  return p;
}

void installCourse(const std::vector<ScenePoint> &points, const std::vector<CourseTriangle> &triangles,
                   ScenePoint ballStart) {
  scene = Scene{};
  const int n = static_cast<int>(points.size());
  const int f = static_cast<int>(triangles.size());
  scene.points.assign(n + BallPointCount, ScenePoint{});
  scene.lines.assign(3 * f + BallLineCount, SceneLine{});
  scene.faces.assign(f, SceneFace{});
  scene.ballFaces.assign(BallFaceCount, SceneFace{});
  scene.visibleBallFaces.assign(BallFaceCount, SceneFace{});
  scene.pointCount = n + BallPointCount;
  scene.lineCount = 3 * f + BallLineCount;
  scene.faceCount = f;
  for (int i = 0; i < n; ++i) {
    scene.points[i] = points[i];
    scene.points[i].defined = 1;
  }
  double lastKey = -1.0;
  for (int i = 0; i < f; ++i) {
    const CourseTriangle &t = triangles[i];
    SceneLine *l = &scene.lines[3 * i];
    l[0] = {&scene.points[t.a], &scene.points[t.b]};
    l[1] = {&scene.points[t.b], &scene.points[t.c]};
    l[2] = {&scene.points[t.c], &scene.points[t.a]};
    SceneFace &face = scene.faces[i];
    face.line0 = &l[0];
    face.line1 = &l[1];
    face.line2 = &l[2];
    face.type = t.type;
    PrepareCourseFace(face, i);
    const double key = (points[t.a].x + points[t.b].x + points[t.b].x + points[t.c].x) / 4;
    if (key < lastKey) throw std::logic_error("triangles out of order along x");
    lastKey = key;
    const int k = static_cast<int>(10 * key);
    if (scene.intervalFirstFace[k] == nullptr) scene.intervalFirstFace[k] = &face;
    ++scene.intervalCount[k];
  }
  for (int k = 1; k < IntervalCount; ++k)
    scene.intervalStart[k] = scene.intervalStart[k - 1] + scene.intervalCount[k - 1];
  for (int k = 0; k < CameraCount; ++k) scene.cameras[k] = at(0.1 * k, -0.3, 0.2);
  scene.initialBall = ballStart;
  resetSimulation();
  lostLives = 0;
  setLifeLostHandler(countLostLife);
}
