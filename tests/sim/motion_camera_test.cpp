#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "course.h"
#include "game/sim/ball.h"
#include "game/sim/camera.h"

namespace {

void installPoints(int count) {
  std::vector<ScenePoint> points(count, at(0.5, 0.5, 0.0));
  installCourse(points, {}, at(0.1, 0.2, 0.05));
  for (int i = 0; i < scene.pointCount; ++i) scene.points[i].z = 0.5;
}

double pulseHeight(int entry) {
  return std::fabs(0.02 * bounceTable[entry]) + 0.114;
}

}  // namespace

TEST(PulsingPoints, PhasesAQuarterApartAndOnlyInsideTheCourse) {
  installPoints(75);
  pulsePhase = 38;
  moveWorld();
  EXPECT_EQ(pulsePhase, 0);
  EXPECT_EQ(scene.points[62].z, pulseHeight(0));
  EXPECT_EQ(scene.points[66].z, pulseHeight(10));
  EXPECT_EQ(scene.points[70].z, pulseHeight(20));
  EXPECT_EQ(scene.points[74].z, pulseHeight(30));
  EXPECT_EQ(scene.points[63].z, 0.5);
  pulsePhase = 8;
  moveWorld();
  EXPECT_EQ(scene.points[74].z, pulseHeight(39));

  // 64 course points: 66, 70 and 74 would be ball points.
  installPoints(64);
  moveWorld();
  EXPECT_EQ(scene.points[62].z, pulseHeight(1));
  for (int i = 63; i < scene.pointCount; ++i) EXPECT_EQ(scene.points[i].z, 0.5) << i;
  installPoints(10);
  moveWorld();
  scene = Scene{};
  moveWorld();
}

TEST(BallMotion, BouncesAlongAFloorAndRepeatsBitForBit) {
  auto run = [] {
    installCourse({at(0.30, 0.01, 0), at(0.40, 0.11, 0), at(0.40, 0.01, 0)}, {{0, 1, 2, FloorFlat}},
                  at(0.35, 0.03, 0.03));
    ball.speed = 0.0001;
    ball.heading = 0.3;
    int landings = 0;
    for (int frame = 0; frame < 300; ++frame) {
      if (++ball.jumpIndex == 39) ball.jumpIndex = 38;
      const bool falling = ball.jumpIndex > 19;
      collideBall();
      landings += falling && ball.jumpIndex == 10;
      placeCamera();
      moveWorld();
      EXPECT_GE(ball.position.z, 0.0) << frame;
    }
    return landings;
  };
  EXPECT_GE(run(), 4);
  const Ball first = ball;
  EXPECT_GT(first.position.x, 0.37);
  run();
  EXPECT_EQ(std::memcmp(&first, &ball, sizeof ball), 0);
}

TEST(CameraPath, PlacedBetweenKeysByBallProgress) {
  installPoints(0);
  for (int k = 0; k < CameraCount; ++k) scene.cameras[k] = at(0.1 * k, -0.3 + 0.01 * k * k, 0.2 + 0.01 * k);
  scene.cameras[10].viewX = 7.0;
  EXPECT_EQ(cameraPosition.y, -1.0);

  ball.position = at(-0.01, 0.2, 0);
  placeCamera();
  EXPECT_EQ(cameraPosition.x, 0.0);
  EXPECT_EQ(viewDistance, 0.0);
  ball.position.x = std::numeric_limits<double>::quiet_NaN();
  placeCamera();
  EXPECT_EQ(cameraPosition.y, -0.3);

  ball.position.x = 0.26;  // 60 % of the way from key 2 to key 3
  placeCamera();
  EXPECT_NEAR(cameraPosition.x, 0.26, 1e-15);
  EXPECT_NEAR(cameraPosition.y, -0.23, 1e-15);
  EXPECT_NEAR(cameraPosition.z, 0.226, 1e-15);
  const double dx = cameraPosition.x - 0.26, dy = cameraPosition.y - 0.2, dz = cameraPosition.z - 0.1;
  EXPECT_EQ(viewDistance, 3.0 * std::sqrt(dx * dx + dy * dy + dz * dz));

  ball.position.x = 1.0;
  placeCamera();
  EXPECT_EQ(cameraPosition.y, scene.cameras[10].y);
  EXPECT_EQ(cameraPosition.viewX, 0.0);
  const double atEnd = viewDistance;
  EXPECT_NE(atEnd, 0.0);

  ball.position = at(1.05, 0.0, 0.0);
  placeCamera();
  EXPECT_EQ(cameraPosition.viewX, 7.0);  // a copy of the whole key record
  EXPECT_EQ(viewDistance, atEnd);
}

TEST(ViewHeight, ApproachesItsTargetByTwoPercentAndStopsNearIt) {
  for (double step : {0.05, -0.05}) {
    installPoints(0);
    viewHeightTarget = 0.1 + step;
    followViewHeight();
    EXPECT_NEAR(viewHeight, 0.1 + step / 50, 1e-15);
    int frames = 1;
    for (double last = 0; last != viewHeight; ++frames) {
      last = viewHeight;
      followViewHeight();
    }
    EXPECT_LE(std::fabs(viewHeightTarget - viewHeight), 0.001);
    EXPECT_GT(std::fabs(viewHeightTarget - viewHeight), 0.00098);
    EXPECT_GT(frames, 70);
  }
}
