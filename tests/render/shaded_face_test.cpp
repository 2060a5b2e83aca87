#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>

#include "render_fixture.h"

namespace {

ScenePoint shaded(int x, int y, double shade, int depth = 5000) {
  ScenePoint p = screenPoint(x, y, depth);
  p.shade = shade;
  return p;
}

TEST(ShadedFace, SpansRunFromTruncatedLeftToBeforeTruncatedRight) {
  TestFrame frame(40, 30);
  // Row 1 has left x 2 - 0.3 = 1.7 and right x 2 + 0.2 = 2.2: column 1 only.
  ScenePoint t = shaded(2, 0, 10.5), a = shaded(-1, 10, 10.5), b = shaded(4, 10, 10.5);
  SceneFace face = faceOf(t, a, b);
  face.baseColour = 128;
  drawShadedFace(face);
  for (int x = 0; x < 40; ++x) {
    EXPECT_FALSE(frame.written(x, 0)) << x;  // apex row: left x equals right x
    EXPECT_EQ(frame.written(x, 1), x == 1) << x;
  }
  EXPECT_EQ(frame.at(1, 1), 128 + 10);
}

TEST(ShadedFace, WritesDepthWithoutTestingAndNeverColumnZero) {
  TestFrame frame(40, 30);
  depthBuffer.at(20, 10) = -5;  // nearer than the face: still overwritten
  ScenePoint t = shaded(20, -5, 3), a = shaded(-30, 40, 3), b = shaded(70, 40, 3);
  SceneFace face = faceOf(t, a, b);
  face.baseColour = 192;
  drawShadedFace(face);
  EXPECT_EQ(frame.at(20, 10), 195);
  EXPECT_EQ(depthBuffer.at(20, 10), 5000);
  for (int y = 0; y < 30; ++y) EXPECT_FALSE(frame.written(0, y)) << y;
  EXPECT_TRUE(frame.written(39, 29));
  EXPECT_TRUE(frame.written(20, 0));
}

TEST(ShadedFace, ShadeSteppedAcrossTheSpanInWholeSteps) {
  TestFrame frame(40, 30);
  // A wide flat-topped face whose shade rises from 0 on the left to 20 on
  // the right: row 6 runs from x 5.5 to 24.5, and its colours climb the
  // ramp in whole steps (20 steps over a width of 19).
  ScenePoint a = shaded(5, 5, 0), b = shaded(25, 5, 20), c = shaded(15, 25, 10);
  SceneFace face = faceOf(a, b, c);
  face.baseColour = 128;
  drawShadedFace(face);
  EXPECT_FALSE(frame.written(4, 6));
  EXPECT_FALSE(frame.written(24, 6));
  EXPECT_EQ(frame.at(5, 6), 128);
  int previous = 128;
  for (int x = 6; x < 24; ++x) {
    const int colour = frame.at(x, 6);
    EXPECT_TRUE(colour == previous + 1 || colour == previous + 2) << x;
    previous = colour;
  }
  EXPECT_LE(previous, 128 + 20);
}

int clamp(int64_t v) {
  return int(std::max<int64_t>(INT32_MIN, std::min<int64_t>(INT32_MAX, v)));
}

TEST(HostileCoordinates, HugeOrUndefinedScreenValuesStayInBoundsAndFinish) {
  TestFrame frame(40, 30);
  TestTexture tex(16, 16, 20);
  setFaceTextures(&tex.bitmap, &tex.bitmap, &tex.bitmap, &tex.bitmap);
  viewDistance = 1.0;
  const int extremes[] = {INT32_MIN, INT32_MIN + 1, -1000000000, -1, 0, 15, 29, 39, 1000000000, INT32_MAX};
  const auto started = std::chrono::steady_clock::now();
  int faces = 0;
  for (int ax : extremes)
    for (int ay : extremes)
      for (int by : extremes) {
        for (int depth : {INT32_MIN, 1000, INT32_MAX}) {
          ScenePoint a = shaded(ax, ay, 1e300, depth),
                     b = shaded(clamp(INT32_MAX - int64_t{ax} / 2), by, -INFINITY, 7);
          ScenePoint c = shaded(ay / 3, clamp(INT32_MAX - int64_t{by} / 3), NAN, -(depth / 2));
          SceneFace face = faceOf(a, b, c);
          face.baseColour = 128;
          drawShadedFace(face);
          drawTexturedFace(face);
          ++faces;
        }
      }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  EXPECT_EQ(faces, 3000);
  // Walking any of these row by row would take minutes.
  EXPECT_LT(seconds, 20.0);
  setFaceTextures(nullptr, nullptr, nullptr, nullptr);
}

}  // namespace
