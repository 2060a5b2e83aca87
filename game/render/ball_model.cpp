#include <cmath>

#include "game/render/render_steps.h"

ScenePoint lightPoint;
ScenePoint ballModelPoints[BallPointCount];
int visibleBallFaceCount = 0;

namespace {

bool ballMeshPresent() {
  return scene.pointCount >= BallPointCount && static_cast<int>(scene.points.size()) >= scene.pointCount &&
         scene.ballFaces.size() >= BallFaceCount && scene.visibleBallFaces.size() >= BallFaceCount;
}

}  // namespace

void prepareBallModel() {
  lightPoint = ScenePoint{};
  lightPoint.x = 0.0;
  lightPoint.y = 0.5;
  lightPoint.z = -1.0;
  if (!ballMeshPresent()) return;
  for (int i = 0; i < BallPointCount; ++i) {
    ScenePoint &p = scene.points[scene.pointCount - BallPointCount + i];
    ballModelPoints[i] = ScenePoint{};
    ballModelPoints[i].x = p.x;
    ballModelPoints[i].y = p.y;
    ballModelPoints[i].z = p.z;
    p.normal[0] = p.x;
    p.normal[1] = p.y;
    p.normal[2] = p.z;
  }
}

// `camera` has been carried into ball model space: its view fields hold it.
void cullBallFaces(const ScenePoint &camera) {
  visibleBallFaceCount = 0;
  if (!ballMeshPresent()) return;
  for (int i = 0; i < BallFaceCount; ++i) {
    const SceneFace &face = scene.ballFaces[i];
    const double facing = camera.viewX * face.planeFoot[0] + camera.viewY * face.planeFoot[1] +
                          camera.viewZ * face.planeFoot[2];
    if (facing > 0) scene.visibleBallFaces[visibleBallFaceCount++] = face;
  }
}

// The shade is an offset into a 64-entry colour ramp: 64 where a vertex
// normal points straight away from the light's model-space position, 0 where
// it is lit from behind.
void shadeVisibleBallFaces(double cameraX) {
  lightPoint.x = cameraX;
  transformPoint(lightPoint, ballInverseMatrix);
  const double lx = lightPoint.viewX, ly = lightPoint.viewY, lz = lightPoint.viewZ;
  const double k = 64 / (std::sqrt(lx * lx + ly * ly + lz * lz) * 0.0085);
  for (int i = 0; i < visibleBallFaceCount; ++i) {
    const SceneFace &face = scene.visibleBallFaces[i];
    for (ScenePoint *p : {face.vertex0, face.vertex1, face.vertex2}) {
      if (p->shaded) continue;
      p->shade = k * (-(lx * p->normal[0] + ly * p->normal[1] + lz * p->normal[2]));
      p->shaded = 1;
      if (p->shade < 0) p->shade = 0;
    }
  }
  for (int i = 0; i < visibleBallFaceCount; ++i) {
    const SceneFace &face = scene.visibleBallFaces[i];
    face.vertex0->shaded = 0;
    face.vertex1->shaded = 0;
    face.vertex2->shaded = 0;
  }
}
