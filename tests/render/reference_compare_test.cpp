#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "reference_raster.h"
#include "render_fixture.h"

namespace {

// Runs the same faces through the fast routine and the plain one and
// compares every pixel and every depth entry bit for bit.
template <int Width, int Height>
class ReferenceComparison : public ::testing::Test {
 protected:
  static constexpr int W = Width, H = Height;
  TestFrame frame{W, H};
  TestTexture floor{31, 31, 32}, wall{63, 17, 64}, trap{20, 9, 22}, goal{255, 255, 256};
  std::mt19937 rng{2024};

  void SetUp() override {
    setFaceTextures(&floor.bitmap, &wall.bitmap, &trap.bitmap, &goal.bitmap);
    viewDistance = 2.0;
  }
  void TearDown() override { setFaceTextures(nullptr, nullptr, nullptr, nullptr); }

  int coordinate(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }

  // The plain ball routine walks its depth one unit at a time, so ball faces
  // get the depth spread of a ball rather than of the course.
  int depthLow = -50000000, depthHigh = 95000000;

  ScenePoint randomPoint(int spread) {
    ScenePoint p = screenPoint(coordinate(-spread, W + spread), coordinate(-spread, H + spread),
                               coordinate(depthLow, depthHigh));
    p.shade = std::uniform_real_distribution<double>(-3, 70)(rng);
    return p;
  }

  struct Snapshot {
    std::vector<uint8_t> pixels;
    std::vector<double> depths;
  };
  Snapshot snapshot() {
    settleDepthBuffer();
    Snapshot s{frame.pixels, {}};
    for (int y = 0; y < H; ++y)
      s.depths.insert(s.depths.end(), depthBuffer.entries[y], depthBuffer.entries[y] + W);
    return s;
  }
  void clearFrame() {
    std::fill(frame.pixels.begin(), frame.pixels.end(), TestFrame::Background);
    resetDepthBuffer();
  }

  template <typename Fast, typename Plain>
  void compareFrames(int frames, int facesPerFrame, int spread, Fast fast, Plain plain) {
    for (int f = 0; f < frames; ++f) {
      std::vector<ScenePoint> points(facesPerFrame * 3);
      for (auto &p : points) p = randomPoint(spread);
      std::vector<SceneFace> faces;
      for (int i = 0; i < facesPerFrame; ++i) {
        SceneFace face = faceOf(points[3 * i], points[3 * i + 1], points[3 * i + 2], coordinate(-1, 6));
        face.baseColour = coordinate(0, 1) ? 128 : 192;
        // Some faces share a point with the previous one, as course faces do.
        if (i > 0 && coordinate(0, 3) == 0) face.vertex2 = faces.back().vertex0;
        faces.push_back(face);
      }
      clearFrame();
      for (auto &face : faces) fast(face);
      Snapshot a = snapshot();
      clearFrame();
      for (auto &face : faces) plain(face);
      Snapshot b = snapshot();
      ASSERT_EQ(a.pixels, b.pixels) << "frame " << f;
      ASSERT_EQ(0, std::memcmp(a.depths.data(), b.depths.data(), a.depths.size() * sizeof(double)))
          << "frame " << f;
    }
  }
};

class AgainstReference : public ReferenceComparison<64, 48> {};
class AgainstReferenceOnFullScreen : public ReferenceComparison<640, 480> {};

TEST_F(AgainstReference, TexturedFacesMatchOnScreenAndFarOffScreen) {
  compareFrames(300, 12, 20, drawTexturedFace, referenceTexturedFace);
  compareFrames(100, 6, 200, drawTexturedFace, referenceTexturedFace);
  // Rows far above the screen are jumped over, not walked.
  compareFrames(20, 4, 300000, drawTexturedFace, referenceTexturedFace);
}

TEST_F(AgainstReference, ShadedFacesMatchOnScreenAndFarOffScreen) {
  depthLow = 3000000;
  depthHigh = 3040000;
  compareFrames(150, 12, 20, drawShadedFace, referenceShadedFace);
  compareFrames(100, 6, 200, drawShadedFace, referenceShadedFace);
  compareFrames(10, 3, 20000, drawShadedFace, referenceShadedFace);
}

// Large faces on a full-size screen: long runs walked two rows at a time,
// runs over columns that earlier faces of the frame have or have not
// reached, runs clipped at both screen edges, and the ball's rows mixed in.
TEST_F(AgainstReferenceOnFullScreen, LargeFacesAndTheBallMatch) {
  compareFrames(12, 10, 200, drawTexturedFace, referenceTexturedFace);
  compareFrames(6, 4, 2000, drawTexturedFace, referenceTexturedFace);
  auto fastMix = [](const SceneFace &face) {
    face.type == Goal ? drawShadedFace(face) : drawTexturedFace(face);
  };
  auto plainMix = [](const SceneFace &face) {
    face.type == Goal ? referenceShadedFace(face) : referenceTexturedFace(face);
  };
  depthLow = 3000000;
  depthHigh = 3400000;
  compareFrames(8, 10, 100, fastMix, plainMix);
}

// Runs whose texels reach exactly the last texel of each texture, and runs
// one texel short of or past the edge, with the texture's own rows as the
// only bound: every texture's width + 1 is its row length here, so these
// runs take the unclamped path wherever they stay inside.
TEST_F(AgainstReference, RunsAtTheTextureEdgesMatch) {
  TestTexture exact(31, 31, 32), wide(63, 7, 64);
  setFaceTextures(&exact.bitmap, &wide.bitmap, &exact.bitmap, &wide.bitmap);
  for (int f = 0; f < 200; ++f) {
    clearFrame();
    std::vector<ScenePoint> points(3);
    // Two points on one column give runs whose u ends at 0 or at tw - 2.
    const int x = coordinate(-3, W + 3), top = coordinate(-5, 10), bottom = coordinate(top + 1, H + 5);
    points[0] = screenPoint(x, top, coordinate(1000, 9000));
    points[1] = screenPoint(x + coordinate(-1, 1), bottom, coordinate(1000, 9000));
    points[2] = screenPoint(coordinate(-10, W + 10), coordinate(top, bottom), coordinate(1000, 9000));
    SceneFace face = faceOf(points[0], points[1], points[2], coordinate(0, 1) ? FloorFlat : Wall);
    drawTexturedFace(face);
    Snapshot a = snapshot();
    clearFrame();
    referenceTexturedFace(face);
    Snapshot b = snapshot();
    ASSERT_EQ(a.pixels, b.pixels) << "face " << f;
    ASSERT_EQ(0, std::memcmp(a.depths.data(), b.depths.data(), a.depths.size() * sizeof(double)));
  }
}

// Textures whose corners already read past the stored rows (a row step of
// width + 1 over rows of width bytes) or that are too small to have a lower
// left half: such faces cannot be taken as inside as a whole, and their
// runs are checked and held inside one by one.
TEST_F(AgainstReference, FacesOfTexturesTooShortForTheirCornersMatch) {
  TestTexture shortRows(8, 40, 8), single(1, 1, 4), narrow(1, 9, 4), flat(5, 1, 8);
  setFaceTextures(&shortRows.bitmap, &single.bitmap, &narrow.bitmap, &flat.bitmap);
  compareFrames(150, 8, 20, drawTexturedFace, referenceTexturedFace);
  compareFrames(30, 4, 300000, drawTexturedFace, referenceTexturedFace);
}

// Texture offsets are formed from 16-bit coordinates where they fit: the
// widest texture that fits, the narrowest that does not (held inside run by
// run instead) and a tall one whose offsets reach far past 16 bits.
TEST_F(AgainstReference, TexturesAtTheWidthAndHeightLimitsMatch) {
  TestTexture widest(32766, 3, 32767), tooWide(32767, 3, 32768), tall(3, 32766, 4);
  setFaceTextures(&widest.bitmap, &tooWide.bitmap, &tall.bitmap, &widest.bitmap);
  compareFrames(150, 8, 20, drawTexturedFace, referenceTexturedFace);
  compareFrames(30, 4, 300000, drawTexturedFace, referenceTexturedFace);
}

}  // namespace
