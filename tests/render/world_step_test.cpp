#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "common/portable.h"
#include "game/scene/scene_loader.h"
#include "game/sim/ball.h"
#include "render_fixture.h"

namespace {

// A one-face course with the ball mesh, as the loader builds it.
class WorldStep : public ::testing::Test {
 protected:
  void SetUp() override {
    // Test programs run in parallel: each needs a file of its own.
    folder_ = portable::makeTempFolder("kelvaro_render_world_");
    const auto path = folder_ / "inp1.txt";
    std::ofstream out(path);
    out << "b:500,0,50;\nk:\n";
    for (int k = 0; k <= 10; ++k) out << k << ":" << 100 * k - 150 << ",0,120;\n";
    out << "p:\n0:0,-100,0;\n1:1000,-100,0;\n2:500,300,0;\nl:\n0:0,1;\n1:1,2;\n2:2,0;\nf:\n0:0,1,2,0;\n";
    out.close();
    LoadScene(path.string().c_str());
    std::filesystem::remove_all(folder_);
    resetSimulation();
    prepareBallModel();
  }
  void TearDown() override { ResetScene(); }

  std::filesystem::path folder_;
};

TEST_F(WorldStep, BallModelKeepsMeshPointsAndSetsNormalsAndLight) {
  const ScenePoint &first = scene.points[scene.pointCount - BallPointCount];
  EXPECT_EQ(ballModelPoints[0].z, -0.0085);
  EXPECT_EQ(first.normal[2], first.z);
  for (int i = 0; i < BallPointCount; ++i) {
    const ScenePoint &p = scene.points[scene.pointCount - BallPointCount + i];
    EXPECT_NEAR(std::sqrt(p.normal[0] * p.normal[0] + p.normal[1] * p.normal[1] + p.normal[2] * p.normal[2]),
                BallRadius, 1e-12);
  }
  EXPECT_EQ(lightPoint.x, 0.0);
  EXPECT_EQ(lightPoint.y, 0.5);
  EXPECT_EQ(lightPoint.z, -1.0);
}

TEST_F(WorldStep, CullingKeepsFacesTowardsTheCameraAndShadingFollowsTheLight) {
  // Ball at (0.5, 0, h) unturned; camera one unit along +x in model space.
  buildBallInverseMatrix(0, 0, 0.5, 0, 0.1);
  ScenePoint camera{};
  camera.x = 1.5;
  camera.y = 0;
  camera.z = 0.1;
  transformPoint(camera, ballInverseMatrix);
  cullBallFaces(camera);
  int expected = 0;
  for (const SceneFace &f : scene.ballFaces) expected += f.planeFoot[0] > 0;
  ASSERT_EQ(visibleBallFaceCount, expected);
  ASSERT_GT(visibleBallFaceCount, 10);
  for (int i = 0; i < visibleBallFaceCount; ++i) EXPECT_GT(scene.visibleBallFaces[i].planeFoot[0], 0);

  shadeVisibleBallFaces(1.5);
  // The light sits at (1.5, 0.5, -1): in model space L = (1, 0.5, -1.1).
  const double lx = 1.0, ly = 0.5, lz = -1.1;
  double largest = -1, largestFacing = 0;
  for (int i = 0; i < visibleBallFaceCount; ++i) {
    for (const ScenePoint *p : {scene.visibleBallFaces[i].vertex0, scene.visibleBallFaces[i].vertex1,
                                scene.visibleBallFaces[i].vertex2}) {
      const double facing = lx * p->normal[0] + ly * p->normal[1] + lz * p->normal[2];
      EXPECT_EQ(p->shaded, 0);
      EXPECT_GE(p->shade, 0.0);
      EXPECT_LE(p->shade, 64.0);
      if (facing > 0) {
        EXPECT_EQ(p->shade, 0.0);
      }
      if (p->shade > largest) largest = p->shade, largestFacing = facing;
    }
  }
  // The brightest corner is the one whose normal points most against L.
  for (int i = 0; i < visibleBallFaceCount; ++i) {
    for (const ScenePoint *p : {scene.visibleBallFaces[i].vertex0, scene.visibleBallFaces[i].vertex1,
                                scene.visibleBallFaces[i].vertex2}) {
      EXPECT_LE(largestFacing, lx * p->normal[0] + ly * p->normal[1] + lz * p->normal[2] + 1e-15);
    }
  }
  EXPECT_GT(largest, 30);
}

TEST_F(WorldStep, DrawingRangeCoversTheIntervalsAroundTheBall) {
  for (int k = 0; k < IntervalCount; ++k) scene.intervalStart[k] = 10 * k;
  scene.faceCount = 110;
  auto range = drawingRange(0.05);
  EXPECT_EQ(range.first, 0);
  EXPECT_EQ(range.last, 40);
  range = drawingRange(0.95);
  EXPECT_EQ(range.first, 80);
  EXPECT_EQ(range.last, 100);
  range = drawingRange(0.55);
  EXPECT_EQ(range.first, 40);
  EXPECT_EQ(range.last, 90);
  for (double bx : {-0.5, 1.2, 1.25, 1e300, -1e300, double(NAN), double(INFINITY)}) {
    range = drawingRange(bx);
    EXPECT_EQ(range.first, range.last) << bx;
  }
}

TEST_F(WorldStep, YawBehindTheBallIsPiOnThePlusYSideAndZeroOnTheMinusY) {
  buildViewMatrix(0.5, 0.0, 0.1, 0.5, 0.3, 0.2);  // dx = 0, dy < 0
  EXPECT_NEAR(viewMatrix[0][0], -1.0, 1e-9);
  Matrix behind;
  std::memcpy(behind, viewMatrix, sizeof behind);
  buildViewMatrix(0.5, 0.0, 0.1, 0.5 + 1e-9, 0.3, 0.2);  // neighbours: the same picture
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 3; ++c) EXPECT_NEAR(viewMatrix[r][c], behind[r][c], 1e-7) << r << c;
  buildViewMatrix(0.5, 0.0, 0.1, 0.5 - 1e-9, 0.3, 0.2);
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 3; ++c) EXPECT_NEAR(viewMatrix[r][c], behind[r][c], 1e-7) << r << c;

  buildViewMatrix(0.5, 0.0, 0.1, 0.5, -0.3, 0.2);  // dx = 0, dy > 0
  EXPECT_EQ(viewMatrix[0][0], 1.0);
  // The view target lands at the view origin, the camera on the -z axis.
  ScenePoint target{}, eye{};
  target.x = 0.5, target.y = 0.0, target.z = 0.1;
  eye.x = 0.5, eye.y = -0.3, eye.z = 0.2;
  transformPoint(target, viewMatrix);
  transformPoint(eye, viewMatrix);
  EXPECT_NEAR(target.viewX, 0, 1e-9);
  EXPECT_NEAR(target.viewY, 0, 1e-9);
  EXPECT_NEAR(target.viewZ, 0, 1e-9);
  EXPECT_NEAR(eye.viewX, 0, 1e-9);
  EXPECT_NEAR(eye.viewY, 0, 1e-9);
  EXPECT_NEAR(eye.viewZ, -std::sqrt(0.09 + 0.01), 1e-9);
}

TEST_F(WorldStep, ProjectionScalesBySevenScreensPerUnitAndSaturates) {
  TestFrame frame(640, 480);
  Matrix identity = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};
  viewDistance = 0.5;
  ScenePoint p{};
  p.x = 0.01, p.y = -0.01, p.z = 0.0;
  projectPoint(p, identity);
  EXPECT_EQ(p.screenX, 320 + 44);  // trunc(640 * 0.01 * 7) = 44
  EXPECT_EQ(p.screenY, 240 - 33);  // trunc(-33.6) = -33
  EXPECT_EQ(p.viewX, 364.0);
  EXPECT_EQ(p.depth, 0);
  EXPECT_EQ(p.projected, 1);
  p.z = 0.5;  // twice the distance: half the size
  projectPoint(p, identity);
  EXPECT_EQ(p.screenX, 320 + 22);
  EXPECT_EQ(p.depth, 5000000);

  p.z = -0.5 + 1e-300;  // just in front of the eye
  projectPoint(p, identity);
  EXPECT_EQ(p.screenX, INT32_MAX);
  EXPECT_EQ(p.screenY, INT32_MIN + 240);
  p.x = NAN;
  projectPoint(p, identity);
  EXPECT_EQ(p.screenX, 320);
}

TEST_F(WorldStep, DrawsTheBallAndCourseAndSurvivesHostilePositions) {
  TestFrame frame(320, 240);
  TestTexture tex(31, 31, 32);
  setFaceTextures(&tex.bitmap, &tex.bitmap, &tex.bitmap, &tex.bitmap);
  ball.position.x = 0.5, ball.position.y = 0.0, ball.position.z = 0.05;
  viewHeight = viewHeightTarget = 0.05;
  placeCamera();
  drawWorld();
  EXPECT_GT(visibleBallFaceCount, 10);
  int ballPixels = 0;
  for (uint8_t p : frame.pixels) ballPixels += p >= 128 && p < 128 + 64 + 64 + 16;
  EXPECT_GT(ballPixels, 100);
  EXPECT_TRUE(frame.written(160, 230));  // the floor below the ball

  for (double bad : {double(NAN), 1e300, -1e300, 0.5000000001}) {
    ball.position.x = bad;
    ball.position.y = bad == 0.5000000001 ? 0 : bad;
    cameraPosition.x = ball.position.x;  // the camera right on the ball
    cameraPosition.y = ball.position.y;
    resetDepthBuffer();
    drawWorld();
  }
  setFaceTextures(nullptr, nullptr, nullptr, nullptr);
}

}  // namespace
