#include <gtest/gtest.h>

#include <cmath>

#include "render_fixture.h"

namespace {

double entry(int x, int y) {
  return depthBuffer.entries[y][x];
}

// A reset reaches a row's entries only once the row is drawn into; whatever
// a row held before must never show through.
TEST(DepthReset, EarlierFramesNeverShowThroughAndSettledRowsAreFar) {
  TestFrame frame(40, 30);
  TestTexture tex(16, 16, 17);
  setFaceTextures(&tex.bitmap, &tex.bitmap, &tex.bitmap, &tex.bitmap);
  const Texture &t = *faceTexture(FloorFlat);

  // A near run in one frame, then a far run over it in the next: drawn.
  fillTexturedSpan(5, 30, 10, 10, 4, 0, 0, 0, 0, t);
  resetDepthBuffer();
  frame.pixels.assign(frame.pixels.size(), TestFrame::Background);
  fillTexturedSpan(10, 20, 80000000, 80000000, 4, 0, 0, 0, 0, t);
  EXPECT_EQ(frame.writtenCount(), 12);
  // The near run's other columns read far again, through at() as through
  // the settled entries.
  EXPECT_EQ(depthBuffer.at(6, 4), FarDepth);
  EXPECT_EQ(depthBuffer.at(15, 4), 80000000);
  settleDepthBuffer();
  for (int y = 0; y < 30; ++y) {
    for (int x = 0; x < 40; ++x) {
      if (y == 4 && x >= 9 && x <= 20) continue;
      ASSERT_EQ(entry(x, y), FarDepth) << x << "," << y;
    }
  }

  // Two runs far apart on a fresh row, then one across the gap between
  // them: the gap was far, so it is drawn, and the first runs' depths hold.
  resetDepthBuffer();
  fillTexturedSpan(2, 5, 1000, 1000, 7, 0, 0, 0, 0, t);
  fillTexturedSpan(30, 34, 1000, 1000, 7, 0, 0, 0, 0, t);
  frame.pixels.assign(frame.pixels.size(), TestFrame::Background);
  fillTexturedSpan(3, 32, 2000, 2000, 7, 0, 0, 0, 0, t);
  for (int x = 0; x < 40; ++x) EXPECT_EQ(frame.written(x, 7), x >= 6 && x <= 28) << x;
  settleDepthBuffer();
  EXPECT_EQ(entry(5, 7), 1000);
  EXPECT_EQ(entry(6, 7), 2000);
  EXPECT_EQ(entry(28, 7), 2000);
  EXPECT_EQ(entry(29, 7), 1000);
  EXPECT_EQ(entry(36, 7), FarDepth);

  // On columns no frame has reached yet, depths at or past far, or NaN,
  // leave the far value and draw nothing.
  resetDepthBuffer();
  frame.pixels.assign(frame.pixels.size(), TestFrame::Background);
  fillTexturedSpan(2, 12, FarDepth, FarDepth + 50, 9, 0, 0, 0, 0, t);
  fillTexturedSpan(2, 12, NAN, NAN, 10, 0, 0, 0, 0, t);
  EXPECT_EQ(frame.writtenCount(), 0);
  settleDepthBuffer();
  for (int x = 0; x < 40; ++x) {
    EXPECT_EQ(entry(x, 9), FarDepth) << x;
    EXPECT_EQ(entry(x, 10), FarDepth) << x;
  }
  setFaceTextures(nullptr, nullptr, nullptr, nullptr);
}

// The ball writes its rows whole and unconditionally; a later run on the
// same row meets the ball's depths inside and far columns beside them.
TEST(DepthReset, BallRowsThenCourseRunsOnTheSameRows) {
  TestFrame frame(40, 30);
  TestTexture tex(16, 16, 17);
  setFaceTextures(&tex.bitmap, &tex.bitmap, &tex.bitmap, &tex.bitmap);
  depthBuffer.at(3, 12) = 5;  // an earlier frame's near depth, never seen
  resetDepthBuffer();
  ScenePoint a = screenPoint(10, 10, 4000), b = screenPoint(20, 10, 4000), c = screenPoint(15, 20, 4000);
  a.shade = b.shade = c.shade = 2;
  SceneFace ball = faceOf(a, b, c);
  ball.baseColour = 128;
  drawShadedFace(ball);
  fillTexturedSpan(0, 39, 5000, 5000, 12, 0, 0, 0, 0, *faceTexture(FloorFlat));
  for (int x = 0; x < 39; ++x) {
    const bool underBall = frame.at(x, 12) == 130;
    EXPECT_EQ(depthBuffer.at(x, 12), underBall ? 4000 : 5000) << x;
  }
  EXPECT_EQ(frame.at(15, 12), 130);
  EXPECT_NE(frame.at(3, 12), 130);
  setFaceTextures(nullptr, nullptr, nullptr, nullptr);
}

}  // namespace
