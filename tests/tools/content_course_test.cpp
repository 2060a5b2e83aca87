// The bundled course: it is what its generator writes, it loads, and it
// keeps the rules the game's physics, camera and renderer rely on.
#include <algorithm>
#include <cmath>
#include <sstream>
#include <stdexcept>
#include <utility>
#include <vector>

#include "content_support.h"
#include "game/scene/fatal_message.h"
#include "game/scene/scene.h"
#include "game/scene/scene_loader.h"
#include "headless_child.h"

namespace {

using content::binaryDir;
using content::readBytes;
using content::run;
using content::sourceDir;

std::string mkcourse() {
  return binaryDir() + "/tools/mkcourse/mkcourse";
}

[[noreturn]] void throwOnFatal(int, const char *caption, const char *text) {
  throw std::runtime_error(std::string(caption) + ": " + text);
}

double sortKeyOf(const SceneFace &f) {
  return (f.line0->p0->x + f.line0->p1->x + f.line1->p0->x + f.line1->p1->x) / 4;
}

bool isFloor(const SceneFace &f) {
  return f.type == FloorFlat || f.type == FloorSloped;
}

// Whether (x, y) lies strictly inside the face seen from above.
bool coversFromAbove(const SceneFace &f, double x, double y) {
  const ScenePoint &a = *f.vertex0, &b = *f.vertex1, &c = *f.vertex2;
  const double d1 = (b.x - a.x) * (y - a.y) - (b.y - a.y) * (x - a.x);
  const double d2 = (c.x - b.x) * (y - b.y) - (c.y - b.y) * (x - b.x);
  const double d3 = (a.x - c.x) * (y - c.y) - (a.y - c.y) * (x - c.x);
  return (d1 > 0 && d2 > 0 && d3 > 0) || (d1 < 0 && d2 < 0 && d3 < 0);
}

double heightAt(const SceneFace &f, double x, double y) {
  // On the face's plane, whose normal has z = 1.
  const ScenePoint &a = *f.vertex0;
  return a.z - f.normal[0] * (x - a.x) - f.normal[1] * (y - a.y);
}

class BundledCourse : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    setFatalExitHook(throwOnFatal);
    ResetScene();
    LoadScene((sourceDir() + "/assets/inp1.txt").c_str());
  }
  static void TearDownTestSuite() {
    ResetScene();
    setFatalExitHook(nullptr);
  }
  static int coursePoints() { return scene.pointCount - BallPointCount; }
};

TEST(CourseGenerator, CommittedCourseIsTheGeneratorsOutput) {
  const auto dir = content::scratchDir("course");
  const std::string out = (dir / "inp1.txt").string();
  ASSERT_EQ(run(mkcourse() + " " + sourceDir() + "/assets/course/course.txt " + out), 0);
  const auto generated = readBytes(out);
  ASSERT_FALSE(generated.empty());
  EXPECT_TRUE(generated == readBytes(sourceDir() + "/assets/inp1.txt"))
      << "assets/inp1.txt is out of date: regenerate it with mkcourse from assets/course/course.txt";
  EXPECT_TRUE(generated == readBytes(content::dataFile("inp1.txt")));
}

TEST(CourseGenerator, RejectsDescriptionsThatWouldBreakTheGame) {
  const auto dir = content::scratchDir("badcourse");
  const std::string head = "width 150 250\nstart 30 195 5\ncamera 180 130 90\nfloor 150 40\n";
  struct Case {
    const char *why;
    std::string text;
  } cases[] = {
      {"unknown instruction", head + "bridge 20 40\n"},
      {"wall on an interval boundary", head + "floor 100 40 wall 150 200 50\n"},  // wall at x 200
      {"course past x 1100", head + "floor 960 40\n"},
      {"platform across two intervals", head + "pulse 60\n"},  // 150..210
      {"trap on a gap", head + "gap 20 trap 150 200\n"},
      {"ball start on a face edge", "width 150 250\nstart 30 200 5\ncamera 180 130 90\nfloor 150 40\n"},
      {"ball start over no floor", "width 150 250\nstart 30 195 5\ncamera 180 130 90\ngap 50\nfloor 50 40\n"},
      {"no width", "start 30 195 5\nfloor 150 40\n"},
  };
  for (const Case &c : cases) {
    const auto source = dir / "course.txt";
    const auto out = dir / "out.txt";
    std::ofstream(source) << c.text;
    std::filesystem::remove(out);
    EXPECT_EQ(run(mkcourse() + " " + source.string() + " " + out.string() + " 2>/dev/null"), 1) << c.why;
    EXPECT_FALSE(std::filesystem::exists(out)) << c.why;
  }
}

TEST_F(BundledCourse, HoldsThePulsingPointsAsOnePlatform) {
  ASSERT_GE(coursePoints(), 75);
  const int pulsing[] = {62, 66, 70, 74};
  int platformFaces = 0;
  for (int i = 0; i < scene.faceCount; ++i) {
    const SceneFace &f = scene.faces[i];
    int moving = 0;
    for (const ScenePoint *p : {f.vertex0, f.vertex1, f.vertex2}) {
      for (int index : pulsing) moving += p == &scene.points[index];
    }
    // A face with one moving corner and two fixed ones would tear open.
    EXPECT_TRUE(moving == 0 || moving == 3) << "face " << i;
    if (moving == 3) {
      ++platformFaces;
      EXPECT_TRUE(isFloor(f));
    }
  }
  EXPECT_EQ(platformFaces, 2);
}

TEST_F(BundledCourse, EveryFaceStaysInsideItsInterval) {
  for (int k = 0; k < IntervalCount; ++k) EXPECT_GT(scene.intervalCount[k], 0) << "interval " << k;
  for (int i = 0; i < scene.faceCount; ++i) {
    const SceneFace &f = scene.faces[i];
    const double key = sortKeyOf(f);
    ASSERT_GE(key, 0.0);
    ASSERT_LT(key, 1.1);
    const double k = std::trunc(10 * key);
    for (const ScenePoint *p : {f.vertex0, f.vertex1, f.vertex2}) {
      // The game tests a face only while the ball is in the face's interval.
      EXPECT_GE(p->x, k / 10 - 1e-9) << "face " << i;
      EXPECT_LE(p->x, (k + 1) / 10 + 1e-9) << "face " << i;
    }
    // A vertex0 exactly on y = 0 switches a face off.
    EXPECT_NE(f.vertex0->y, 0.0) << "face " << i;
  }
}

TEST_F(BundledCourse, WallsCanBeTouchedFromBothSidesWithinTheirInterval) {
  int walls = 0;
  for (int i = 0; i < scene.faceCount; ++i) {
    const SceneFace &f = scene.faces[i];
    if (f.type != Wall) continue;
    ++walls;
    const double x = f.vertex0->x;
    ASSERT_EQ(f.vertex1->x, x);
    ASSERT_EQ(f.vertex2->x, x);
    const double k = std::trunc(10 * x);
    EXPECT_GT(x - BallRadius, k / 10) << "face " << i;
    EXPECT_LT(x + BallRadius, (k + 1) / 10) << "face " << i;
  }
  EXPECT_GT(walls, 0);
}

TEST_F(BundledCourse, HasEveryKindOfFaceAndTheGoalBeforeTheEnd) {
  int counts[6] = {};
  double goalEnd = 0.0;
  for (int i = 0; i < scene.faceCount; ++i) {
    const SceneFace &f = scene.faces[i];
    ASSERT_GE(f.type, 0);
    ASSERT_LE(f.type, 5);
    ++counts[f.type];
    if (f.type == Goal) goalEnd = std::max({goalEnd, f.vertex0->x, f.vertex1->x, f.vertex2->x});
  }
  for (int type = 0; type < 6; ++type) EXPECT_GT(counts[type], 0) << "type " << type;
  EXPECT_LT(goalEnd, 1.1);
}

TEST_F(BundledCourse, BallStartsInContactWithTheFirstFloor) {
  const ScenePoint &start = scene.initialBall;
  int under = 0;
  for (int i = 0; i < scene.faceCount; ++i) {
    const SceneFace &f = scene.faces[i];
    if (!isFloor(f) || !coversFromAbove(f, start.x, start.y)) continue;
    ++under;
    const double gap = start.z - heightAt(f, start.x, start.y);
    EXPECT_GE(gap, 0.0);
    EXPECT_LT(gap, BallRadius);
  }
  EXPECT_EQ(under, 1) << "the start must lie inside exactly one floor face, off its edges";
}

TEST_F(BundledCourse, CamerasLookFromBehindAndBesideTheCourse) {
  double lowestY = 1e9;
  for (int i = 0; i < coursePoints(); ++i) lowestY = std::min(lowestY, scene.points[i].y);
  for (int k = 0; k < CameraCount; ++k) {
    const ScenePoint &c = scene.cameras[k];
    // Behind the ball's place for this key and off to one side of the whole
    // course, so the horizontal direction to the ball is never straight
    // along x (the view would tip over).
    EXPECT_LT(c.x, k / 10.0 - 0.05) << "camera " << k;
    EXPECT_LT(c.y, lowestY - 0.01) << "camera " << k;
    for (int i = 0; i < scene.faceCount; ++i) {
      const SceneFace &f = scene.faces[i];
      if (!isFloor(f) || std::fabs(f.vertex0->x - k / 10.0) > 0.05) continue;
      EXPECT_GT(c.z, f.vertex0->z + 0.05) << "camera " << k << " below the course";
    }
  }
}

// The careless script replayed through the real game: each of the four
// losses shows in the trace, and the fourth takes the game back to its menu
// with the lives refilled. (Winning with win.keys is the headless game
// tests' business.)
TEST(CourseScripts, CarelessRunLosesEveryLifeAndEndsInTheMenu) {
  namespace headless = headless_test;
  const std::string script = sourceDir() + "/assets/scripts/careless.keys";
  const std::string scratch = headless::scratchDir();
  ASSERT_FALSE(scratch.empty());
  const std::string trace = scratch + "/trace.txt";
  const headless::ChildResult r =
      headless::runHeadless({"--keys", script, "--clock-step", "10", "--frames", "3000", "--trace", trace},
                            headless::dataDir(), scratch);
  EXPECT_EQ(r.status, 0) << r.err;  // the script's Escape in the menu

  // Menu mode and lives, each change once, in the order the trace has them.
  std::vector<std::pair<int, int>> states;
  for (const std::string &line : headless::lines(headless::readFile(trace))) {
    long pass = 0;
    int menuMode = -1, lives = -1;
    std::istringstream(line) >> pass >> menuMode >> lives;
    if (states.empty() || states.back() != std::pair{menuMode, lives}) states.emplace_back(menuMode, lives);
  }
  const std::vector<std::pair<int, int>> expected = {{1, 3}, {0, 3}, {0, 2}, {0, 1}, {0, 0}, {1, 3}};
  EXPECT_EQ(states, expected);
  if (!HasFailure()) std::filesystem::remove_all(scratch);
}

}  // namespace
