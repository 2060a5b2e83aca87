#include <gtest/gtest.h>

#include <cmath>

#include "render_fixture.h"

namespace {

class TexturedFace : public ::testing::Test {
 protected:
  TestFrame frame{40, 30};
  TestTexture floor{16, 16, 20};
  TestTexture wall{16, 16, 20};
  void SetUp() override {
    for (auto &p : wall.pixels) p = 7;
    setFaceTextures(&floor.bitmap, &wall.bitmap, &floor.bitmap, &floor.bitmap);
    viewDistance = 1.0;
  }
  void TearDown() override { setFaceTextures(nullptr, nullptr, nullptr, nullptr); }
  const Texture &texture() { return *faceTexture(FloorFlat); }
};

TEST_F(TexturedFace, SpanCoversLeftMinusOneToRightWithStepsOverTheWidthPlusTwo) {
  fillTexturedSpan(5, 5, 100, 400, 3, 0, 3, 0, 0, texture());
  EXPECT_EQ(frame.writtenCount(), 0);

  fillTexturedSpan(6, 5, 400, 100, 3, 3, 0, 0, 0, texture());  // ends given right to left
  EXPECT_FALSE(frame.written(3, 3));
  EXPECT_FALSE(frame.written(7, 3));
  EXPECT_EQ(depthBuffer.at(4, 3), 100);
  EXPECT_EQ(depthBuffer.at(5, 3), 200);
  EXPECT_EQ(depthBuffer.at(6, 3), 300);
  EXPECT_EQ(frame.at(4, 3), 0);
  EXPECT_EQ(frame.at(5, 3), 1);
  EXPECT_EQ(frame.at(6, 3), 2);
  EXPECT_EQ(frame.writtenCount(), 3);
}

TEST_F(TexturedFace, SpansClipAtBothScreenEdges) {
  // Left of the screen: column 0 carries the values of 11 steps from -11.
  fillTexturedSpan(-10, 5, 0, 1700, 2, 0, 0, 0, 0, texture());
  EXPECT_EQ(depthBuffer.at(0, 2), 0 + 11.0 * (1700.0 / 17));
  EXPECT_TRUE(frame.written(0, 2));
  EXPECT_TRUE(frame.written(5, 2));
  EXPECT_FALSE(frame.written(6, 2));

  // Right of the screen: the run ends at W - 2, column W - 1 stays.
  fillTexturedSpan(35, 60, 0, 100, 4, 0, 0, 0, 0, texture());
  EXPECT_TRUE(frame.written(34, 4));
  EXPECT_TRUE(frame.written(38, 4));
  EXPECT_FALSE(frame.written(39, 4));

  // Entirely beside the screen, or on rows that do not exist.
  fillTexturedSpan(-20, -1, 0, 100, 5, 0, 0, 0, 0, texture());
  fillTexturedSpan(40, 90, 0, 100, 5, 0, 0, 0, 0, texture());
  fillTexturedSpan(3, 9, 0, 100, -1, 0, 0, 0, 0, texture());
  fillTexturedSpan(3, 9, 0, 100, 30, 0, 0, 0, 0, texture());
  EXPECT_EQ(frame.writtenCount(), 6 + 5);
}

TEST_F(TexturedFace, DepthTestIsStrictSoTheFirstOfEqualFacesStays) {
  ScenePoint a = screenPoint(5, 2), b = screenPoint(2, 20), c = screenPoint(30, 20);
  SceneFace first = faceOf(a, b, c, FloorFlat), second = faceOf(a, b, c, Wall);
  drawTexturedFace(first);
  const int drawn = frame.writtenCount();
  EXPECT_GT(drawn, 100);
  drawTexturedFace(second);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) EXPECT_NE(frame.at(x, y), 7) << x << "," << y;

  // A nearer copy wins everywhere the first one was drawn.
  a.depth = b.depth = c.depth = 999;
  drawTexturedFace(second);
  int walls = 0;
  for (uint8_t p : frame.pixels) walls += p == 7;
  EXPECT_EQ(walls, drawn);

  // Nothing at or beyond the far depth ever shows.
  TestFrame fresh(40, 30);
  a.depth = b.depth = c.depth = 90000000;
  drawTexturedFace(first);
  EXPECT_EQ(fresh.writtenCount(), 0);
}

TEST_F(TexturedFace, ApexRowFlatTopAndOneRowTriangles) {
  // A single top point with the other two one row below: only the apex row,
  // whose run has one column, so nothing.
  ScenePoint p = screenPoint(10, 5), q = screenPoint(5, 6), r = screenPoint(15, 6);
  SceneFace thin = faceOf(p, q, r);
  drawTexturedFace(thin);
  EXPECT_EQ(frame.writtenCount(), 0);

  // Two points on the top row and one below: that one row is drawn, from one
  // left of the top-left point to the top-right point.
  ScenePoint t = screenPoint(5, 5), s = screenPoint(10, 5), b = screenPoint(7, 6);
  SceneFace oneRow = faceOf(t, s, b);
  drawTexturedFace(oneRow);
  for (int x = 0; x < 40; ++x) EXPECT_EQ(frame.written(x, 5), x >= 4 && x <= 10) << x;
  EXPECT_EQ(frame.writtenCount(), 7);
  // Each edge starts at its own upper point and is one step on when its
  // first row is drawn: T's edge towards B (vertex2, texel (14, 14)).
  EXPECT_EQ(frame.at(4, 5), (17 * 14 + 14) % 251);
  EXPECT_EQ(depthBuffer.at(4, 5), 1000);

  // All three on one row.
  TestFrame fresh(40, 30);
  ScenePoint x0 = screenPoint(3, 8), x1 = screenPoint(9, 8), x2 = screenPoint(20, 8);
  SceneFace flat = faceOf(x0, x1, x2);
  drawTexturedFace(flat);
  EXPECT_EQ(fresh.writtenCount(), 0);
}

TEST_F(TexturedFace, RowZeroIsNeverWrittenRowHMinusOneIs) {
  ScenePoint a = screenPoint(20, -8), b = screenPoint(-10, 45), c = screenPoint(60, 45);
  SceneFace face = faceOf(a, b, c);
  drawTexturedFace(face);
  for (int x = 0; x < 40; ++x) EXPECT_FALSE(frame.written(x, 0)) << x;
  EXPECT_TRUE(frame.written(20, 1));
  EXPECT_TRUE(frame.written(20, 29));
  EXPECT_FALSE(frame.written(39, 29));
}

TEST_F(TexturedFace, RejectsFacesBehindTheEyeAndRepeatedFirstVertex) {
  ScenePoint a = screenPoint(5, 2), b = screenPoint(2, 20), c = screenPoint(30, 20);
  SceneFace face = faceOf(a, b, c);
  c.viewZ = -1.0;  // viewZ + D == 0
  drawTexturedFace(face);
  c.viewZ = NAN;
  drawTexturedFace(face);
  c.viewZ = 0;
  a.viewZ = -2.0;
  drawTexturedFace(face);
  EXPECT_EQ(frame.writtenCount(), 0);
  a.viewZ = 0;

  c.u = c.v = -5;
  SceneFace repeatedFirst = faceOf(a, a, c);
  drawTexturedFace(repeatedFirst);
  EXPECT_EQ(frame.writtenCount(), 0);
  EXPECT_EQ(c.u, -5);  // rejected before any texture coordinate is set

  // vertex0 repeated as vertex2 is not rejected: it takes vertex2's place.
  SceneFace repeatedLast = faceOf(a, b, a);
  drawTexturedFace(repeatedLast);
  EXPECT_EQ(a.u, 14);
  EXPECT_EQ(a.v, 14);
}

TEST_F(TexturedFace, TextureCornersUseRowStepWidthPlusOne) {
  TestTexture big(255, 255, 256);
  setFaceTextures(&big.bitmap, &big.bitmap, &big.bitmap, &big.bitmap);
  ScenePoint a = screenPoint(5, 2), b = screenPoint(5, 20), c = screenPoint(30, 20);
  SceneFace face = faceOf(a, b, c);
  drawTexturedFace(face);
  EXPECT_EQ(a.u, 0);
  EXPECT_EQ(a.v, 0);
  EXPECT_EQ(b.u, 0);
  EXPECT_EQ(b.v, 253);
  EXPECT_EQ(c.u, 253);
  EXPECT_EQ(c.v, 253);

  const Texture &t = *faceTexture(FloorFlat);
  fillTexturedSpan(10, 12, 0, 0, 3, 0, 0, 0, 0, t);
  fillTexturedSpan(10, 12, 0, 0, 4, 0, 0, 253, 253, t);
  fillTexturedSpan(10, 12, 0, 0, 5, 253, 253, 253, 253, t);
  EXPECT_EQ(frame.at(9, 3), 0);
  EXPECT_EQ(frame.at(9, 4), 256 * 253 % 251);
  EXPECT_EQ(frame.at(9, 5), (256 * 253 + 253) % 251);
}

TEST_F(TexturedFace, TexelReadsStayInsideOddSizedAndMissingTextures) {
  // Width + 1 is not the row length here, so the far corner would read past
  // the pixel block; the read is held at its last byte.
  TestTexture odd(300, 300, 300);
  setFaceTextures(&odd.bitmap, &odd.bitmap, &odd.bitmap, &odd.bitmap);
  const Texture &t = *faceTexture(FloorFlat);
  fillTexturedSpan(10, 12, 0, 0, 3, 298, 298, 299, 299, t);
  EXPECT_EQ(frame.at(9, 3), (300 * 300 - 1) % 251);
  fillTexturedSpan(10, 12, 0, 0, 4, -1e12, -1e12, -5, -5, t);
  EXPECT_EQ(frame.at(9, 4), 0);
  fillTexturedSpan(10, 12, 0, 0, 5, NAN, NAN, 1e300, 1e300, t);
  EXPECT_EQ(frame.at(9, 5), (300 * 300 - 1) % 251);

  // A missing or non-8-bit texture draws nothing for its faces.
  TestTexture deep(16, 16, 64);
  deep.bitmap.bitsPerPixel = 32;
  setFaceTextures(nullptr, &deep.bitmap, &odd.bitmap, &odd.bitmap);
  EXPECT_EQ(faceTexture(FloorFlat), nullptr);
  EXPECT_EQ(faceTexture(Wall), nullptr);
  EXPECT_NE(faceTexture(TrapFlat), nullptr);
  TestFrame fresh(40, 30);
  ScenePoint a = screenPoint(5, 2), b = screenPoint(2, 20), c = screenPoint(30, 20);
  SceneFace floorFace = faceOf(a, b, c, FloorSloped), wallFace = faceOf(a, b, c, Wall);
  drawTexturedFace(floorFace);
  drawTexturedFace(wallFace);
  EXPECT_EQ(fresh.writtenCount(), 0);
}

TEST_F(TexturedFace, FaceTypesChooseTheirTextures) {
  TestTexture t1(8, 8, 8), t2(8, 8, 8), t3(8, 8, 8), t4(8, 8, 8);
  setFaceTextures(&t1.bitmap, &t2.bitmap, &t3.bitmap, &t4.bitmap);
  EXPECT_EQ(faceTexture(FloorFlat)->pixels, t1.pixels.data());
  EXPECT_EQ(faceTexture(FloorSloped)->pixels, t1.pixels.data());
  EXPECT_EQ(faceTexture(Wall)->pixels, t2.pixels.data());
  EXPECT_EQ(faceTexture(TrapSloped)->pixels, t3.pixels.data());
  EXPECT_EQ(faceTexture(TrapFlat)->pixels, t3.pixels.data());
  EXPECT_EQ(faceTexture(6)->pixels, t3.pixels.data());
  EXPECT_EQ(faceTexture(-1)->pixels, t3.pixels.data());
  EXPECT_EQ(faceTexture(Goal)->pixels, t4.pixels.data());
}

TEST_F(TexturedFace, NothingIsDrawnWithoutAUsableFrame) {
  ScenePoint a = screenPoint(5, 2), b = screenPoint(2, 20), c = screenPoint(30, 20);
  SceneFace face = faceOf(a, b, c);
  frame.dc.maxY = 10;  // a surface smaller than the screen
  drawTexturedFace(face);
  frame.dc.maxY = 29;
  frame.dc.bitsPerPixel = 16;
  drawTexturedFace(face);
  frame.dc.bitsPerPixel = 8;
  frame.slot = nullptr;
  drawTexturedFace(face);
  EXPECT_EQ(frame.writtenCount(), 0);
}

}  // namespace
