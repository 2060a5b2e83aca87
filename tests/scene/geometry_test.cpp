#include "game/scene/geometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "fatal_capture.h"

namespace {

ScenePoint at(double x, double y, double z) {
  ScenePoint p = {};
  p.x = x;
  p.y = y;
  p.z = z;
  return p;
}

// A course face built from three points a, b, c with line0 = a→b, line1 = b→c
// and line2 = c→a, unless the test rearranges them.
struct Triangle {
  ScenePoint pts[3];
  SceneLine lines[3];
  SceneFace face = {};

  Triangle(ScenePoint a, ScenePoint b, ScenePoint c, int type = FloorFlat) : pts{a, b, c} {
    lines[0] = {&pts[0], &pts[1]};
    lines[1] = {&pts[1], &pts[2]};
    lines[2] = {&pts[2], &pts[0]};
    face.line0 = &lines[0];
    face.line1 = &lines[1];
    face.line2 = &lines[2];
    face.type = type;
  }
  Triangle(const Triangle &) = delete;
};

TEST(VectorHelpers, Dot3AndExactPositionComparison) {
  EXPECT_EQ(Dot3({1, 2, 3}, {4, -5, 6}), 12.0);
  EXPECT_EQ(SamePosition(at(0.1, 0.2, 0.3), at(0.1, 0.2, 0.3)), 1);
  EXPECT_EQ(SamePosition(at(0.1, 0.2, 0.3), at(0.1, 0.2, std::nextafter(0.3, 1.0))), 0);
  ScenePoint other = at(0.1, 0.2, 0.3);
  other.viewX = 5;  // only the position counts
  EXPECT_EQ(SamePosition(at(0.1, 0.2, 0.3), other), 1);
}

TEST(SolveLinear3, SolvesAGeneralSystem) {
  // 2u0 + u1 - u2 = 8, -3u0 - u1 + 2u2 = -11, -2u0 + u1 + 2u2 = -3 → (2, 3, -1)
  double m[12] = {2, -3, -2, 1, -1, 1, -1, 2, 2, 8, -11, -3};
  ScenePoint u = SolveLinear3(m);
  EXPECT_NEAR(u.x, 2, 1e-12);
  EXPECT_NEAR(u.y, 3, 1e-12);
  EXPECT_NEAR(u.z, -1, 1e-12);
}

TEST(SolveLinear3, ExchangesRowsForAZeroPivot) {
  // Element (0,0) is 0 and element (1,0) is not: rows 0 and 1 trade places.
  // u1 + u2 = 5, 2u0 + u2 = 5, u0 + u1 = 3 → (1, 2, 3)
  double m[12] = {0, 2, 1, 1, 0, 1, 1, 1, 0, 5, 5, 3};
  ScenePoint u = SolveLinear3(m);
  EXPECT_DOUBLE_EQ(u.x, 1);
  EXPECT_DOUBLE_EQ(u.y, 2);
  EXPECT_DOUBLE_EQ(u.z, 3);
  // The exchange happened in place: row 0 now starts with the 2.
  EXPECT_EQ(m[0], 2);
}

TEST(SolveLinear3, ExchangesWithTheLastRowForASecondZeroPivot) {
  // After eliminating column 0, element (1,1) is 0 and (2,1) is not.
  // u0 + u1 + u2 = 6, u0 + u1 + 2u2 = 9, u0 + 2u1 + u2 = 8 → (1, 2, 3)
  double m[12] = {1, 1, 1, 1, 1, 2, 1, 2, 1, 6, 9, 8};
  ScenePoint u = SolveLinear3(m);
  EXPECT_DOUBLE_EQ(u.x, 1);
  EXPECT_DOUBLE_EQ(u.y, 2);
  EXPECT_DOUBLE_EQ(u.z, 3);
}

TEST(SolveLinear3, SingularSystemGivesNonFiniteValuesWithoutError) {
  double m[12] = {1, 2, 3, 2, 4, 6, 0, 0, 0, 1, 1, 1};
  ScenePoint u = SolveLinear3(m);
  EXPECT_FALSE(std::isfinite(u.x) && std::isfinite(u.y) && std::isfinite(u.z));
}

TEST(SolveLinear2, SolvesWithAndWithoutRowExchange) {
  // 3u0 + 2u1 = 7, u0 - u1 = -1 → (1, 2)
  double plain[6] = {3, 1, 2, -1, 7, -1};
  Solution2 s = SolveLinear2(plain);
  EXPECT_DOUBLE_EQ(s.u0, 1);
  EXPECT_DOUBLE_EQ(s.u1, 2);
  // 0u0 + 2u1 = 4, 5u0 + u1 = 7 → (1, 2), needs the exchange.
  double swapped[6] = {0, 5, 2, 1, 4, 7};
  s = SolveLinear2(swapped);
  EXPECT_DOUBLE_EQ(s.u0, 1);
  EXPECT_DOUBLE_EQ(s.u1, 2);
}

TEST(FaceNormal, FlatTypesPointUp) {
  for (int type : {FloorFlat, TrapFlat, Goal}) {
    Triangle t(at(0, 0, 0.3), at(1, 0, 0.5), at(0, 1, 0.7), type);  // not even horizontal
    Vec3 n = FaceNormal(t.face);
    EXPECT_EQ(n.x, 0);
    EXPECT_EQ(n.y, 0);
    EXPECT_EQ(n.z, 1);
  }
}

TEST(FaceNormal, HorizontalSlopedFaceGoesThroughTheSolver) {
  Triangle t(at(0, 0, 0.2), at(1, 0, 0.2), at(0.5, 0.4, 0.2), FloorSloped);
  Vec3 n = FaceNormal(t.face);
  EXPECT_EQ(n.x, 0);
  EXPECT_EQ(n.y, 0);
  EXPECT_EQ(n.z, 1);
}

TEST(FaceNormal, SlopedFaceIsOrthogonalToItsEdges) {
  // The plane z = 0.5x + 0.25y.
  Triangle t(at(0, 0, 0), at(1, 0, 0.5), at(0, 1, 0.25), TrapSloped);
  Vec3 n = FaceNormal(t.face);
  EXPECT_DOUBLE_EQ(n.x, -0.5);
  EXPECT_DOUBLE_EQ(n.y, -0.25);
  EXPECT_EQ(n.z, 1);
}

TEST(FaceNormal, WallsInBothVerticalPlanes) {
  Triangle xWall(at(0.3, 0, 0), at(0.3, 1, 0), at(0.3, 0.5, 0.4), Wall);
  Vec3 n = FaceNormal(xWall.face);
  EXPECT_EQ(n.x, 1);
  EXPECT_EQ(n.y, 0);
  EXPECT_EQ(n.z, 0);
  Triangle yWall(at(0, 0.2, 0), at(1, 0.2, 0), at(0.5, 0.2, 0.4), Wall);
  n = FaceNormal(yWall.face);
  EXPECT_EQ(n.x, 0);
  EXPECT_EQ(n.y, 1);
  EXPECT_EQ(n.z, 0);
}

TEST(PrepareCourseFace, WorkedExampleTriangle) {
  Triangle t(at(0, 0, 0), at(1, 0, 0), at(0.5, 0.4, 0));
  PrepareCourseFace(t.face, 0);
  EXPECT_EQ(t.face.vertex0, &t.pts[0]);
  EXPECT_EQ(t.face.vertex1, &t.pts[1]);
  EXPECT_EQ(t.face.vertex2, &t.pts[2]);
  EXPECT_EQ(t.face.normal[0], 0);
  EXPECT_EQ(t.face.normal[1], 0);
  EXPECT_EQ(t.face.normal[2], 1);
  EXPECT_DOUBLE_EQ(t.face.cosSqVertex0, 0.6097560975609756);
  EXPECT_DOUBLE_EQ(t.face.cosSqVertex1, 0.6097560975609756);
}

TEST(PrepareCourseFace, OrderOfLine1AndLine2AndOfTheirEndsDoesNotMatter) {
  ScenePoint pts[3] = {at(0, 0, 0), at(1, 0, 0.1), at(0.4, 0.5, 0.05)};
  Triangle reference(pts[0], pts[1], pts[2], FloorSloped);
  PrepareCourseFace(reference.face, 0);
  for (int swapLines = 0; swapLines < 2; ++swapLines) {
    for (int flip = 0; flip < 4; ++flip) {
      Triangle t(pts[0], pts[1], pts[2], FloorSloped);
      if (flip & 1) std::swap(t.lines[1].p0, t.lines[1].p1);
      if (flip & 2) std::swap(t.lines[2].p0, t.lines[2].p1);
      if (swapLines) std::swap(t.face.line1, t.face.line2);
      PrepareCourseFace(t.face, 0);
      EXPECT_EQ(t.face.vertex0, &t.pts[0]);
      EXPECT_EQ(t.face.vertex1, &t.pts[1]);
      EXPECT_EQ(t.face.vertex2, &t.pts[2]);
      // Swapping line1 and line2 feeds the other edge to the normal's solver.
      for (int k = 0; k < 3; ++k) EXPECT_NEAR(t.face.normal[k], reference.face.normal[k], 1e-15);
      EXPECT_DOUBLE_EQ(t.face.cosSqVertex0, reference.face.cosSqVertex0);
      EXPECT_DOUBLE_EQ(t.face.cosSqVertex1, reference.face.cosSqVertex1);
    }
  }
}

TEST(PrepareCourseFace, DistinctPointsAtTheSamePositionMeet) {
  Triangle t(at(0, 0, 0), at(1, 0, 0), at(0.5, 0.4, 0));
  ScenePoint twin = t.pts[1];  // another record at vertex1's position
  t.lines[1].p0 = &twin;
  PrepareCourseFace(t.face, 0);
  EXPECT_EQ(t.face.vertex2, &t.pts[2]);
  EXPECT_DOUBLE_EQ(t.face.cosSqVertex1, 0.6097560975609756);
}

TEST(PrepareCourseFace, RightAngleAtVertex0Passes) {
  Triangle t(at(0, 0, 0), at(1, 0, 0), at(0, 1, 0));
  PrepareCourseFace(t.face, 0);
  EXPECT_NEAR(t.face.cosSqVertex0, 0, 1e-30);
  EXPECT_DOUBLE_EQ(t.face.cosSqVertex1, 0.5);
}

TEST(PrepareCourseFace, ObtuseAngleAtVertex1IsRejectedWithTheFileIndex) {
  double a = 91 * 3.141592654 / 180;  // 91 degrees at vertex1
  Triangle t(at(0, 0, 0), at(1, 0, 0), at(1 + std::cos(3.141592654 - a), std::sin(3.141592654 - a), 0));
  FatalCaught caught = expectFatal([&] { PrepareCourseFace(t.face, 3); });
  EXPECT_EQ(caught.text, "Fläche 3 falsch angegeben");
  EXPECT_EQ(caught.caption, FatalMessageCaption);
  EXPECT_EQ(caught.status, -1);
}

TEST(PrepareCourseFace, ObtuseAngleAtVertex0IsRejected) {
  Triangle t(at(0, 0, 0), at(1, 0, 0), at(-0.2, 0.5, 0));
  EXPECT_EQ(expectFatal([&] { PrepareCourseFace(t.face, 12); }).text, "Fläche 12 falsch angegeben");
}

TEST(PrepareCourseFace, UnclosedTriangleIsRejected) {
  Triangle t(at(0, 0, 0), at(1, 0, 0), at(0.5, 0.4, 0));
  ScenePoint stray = at(0.5, 0.5, 0);
  t.lines[2].p0 = &stray;  // line2 misses the free end of line1
  FatalCaught caught = expectFatal([&] { PrepareCourseFace(t.face, 0); });
  EXPECT_EQ(caught.text, "falsche Fläche");
  EXPECT_EQ(caught.caption, FatalMessageCaption);
}

TEST(PrepareCourseFace, CornerWithoutAMeetingEdgeIsRejected) {
  Triangle t(at(0, 0, 0), at(1, 0, 0), at(0.5, 0.4, 0));
  ScenePoint stray = at(0.1, 0, 0);
  t.lines[2].p1 = &stray;  // nothing meets vertex0
  EXPECT_EQ(expectFatal([&] { PrepareCourseFace(t.face, 0); }).text, "falsche Fläche");
}

TEST(PrepareCourseFace, ZeroLengthSideIsNotRejectedByTheAngleTest) {
  Triangle t(at(0, 0, 0), at(1, 0, 0), at(1, 0, 0));
  PrepareCourseFace(t.face, 0);
  EXPECT_TRUE(std::isnan(t.face.cosSqVertex1));
}

TEST(FootOnFacePlane, DropsAPointOntoTheFacePlaneAlongTheNormal) {
  Triangle t(at(0, 0, 0), at(1, 0, 0.5), at(0, 1, 0.25), FloorSloped);
  PrepareCourseFace(t.face, 0);
  ScenePoint foot = FootOnFacePlane(t.face, {0.2, 0.3, 1.0});
  // On the plane z = 0.5x + 0.25y, and p − foot is parallel to the normal.
  EXPECT_NEAR(foot.z, 0.5 * foot.x + 0.25 * foot.y, 1e-12);
  double t0 = (foot.x - 0.2) / t.face.normal[0];
  EXPECT_NEAR(foot.y - 0.3, t0 * t.face.normal[1], 1e-12);
  EXPECT_NEAR(foot.z - 1.0, t0 * t.face.normal[2], 1e-12);
}

TEST(BuildBallMesh, PointsLinesAndFacesFollowTheCourse) {
  Scene s;
  const int n = 4, L = 3;
  s.points.resize(n + BallPointCount);
  s.lines.resize(L + BallLineCount);
  s.ballFaces.resize(BallFaceCount);
  BuildBallMesh(s, n, L);
  for (int k = 0; k < n; ++k) EXPECT_EQ(s.points[k].x, 0);  // course slots untouched
  for (int k = 0; k < L; ++k) EXPECT_EQ(s.lines[k].p0, nullptr);
  for (int k = 0; k < BallPointCount; ++k) {
    const ScenePoint &p = s.points[n + k];
    EXPECT_NEAR(std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z), BallRadius, 1e-15) << k;
    EXPECT_EQ(p.defined, 0);
  }
  EXPECT_EQ(s.points[n].z, -0.0085);
  EXPECT_EQ(s.points[n + 25].z, 0.0085);
  const ScenePoint *first = &s.points[n];
  const ScenePoint *last = &s.points[n + BallPointCount - 1];
  for (int k = 0; k < BallLineCount; ++k) {
    const SceneLine &line = s.lines[L + k];
    EXPECT_TRUE(line.p0 >= first && line.p0 <= last && line.p1 >= first && line.p1 <= last) << k;
    EXPECT_NE(line.p0, line.p1);
  }
  EXPECT_EQ(s.lines[L].p0, first);      // B0 runs from the bottom pole
  EXPECT_EQ(s.lines[L + 71].p1, last);  // B71 ends at the top pole
  EXPECT_EQ(s.ballFaces[0].baseColour, 192);
  EXPECT_EQ(s.ballFaces[1].baseColour, 128);
  EXPECT_EQ(s.ballFaces[6].baseColour, 128);  // the next sector starts dark
  int light = 0;
  for (const SceneFace &face : s.ballFaces) {
    light += face.baseColour == 192;
    EXPECT_TRUE(face.line0 >= &s.lines[L] && face.line2 <= &s.lines[L + 71]);
    EXPECT_EQ(face.type, 0);
    // Three distinct vertices that close a triangle.
    EXPECT_FALSE(SamePosition(*face.vertex0, *face.vertex2) || SamePosition(*face.vertex1, *face.vertex2));
    // planeFoot points outwards, is orthogonal to the face and lies in its plane
    // (to the accuracy of the unpivoted elimination, about 1e-7 relative).
    Vec3 foot = {face.planeFoot[0], face.planeFoot[1], face.planeFoot[2]};
    Vec3 v0 = {face.vertex0->x, face.vertex0->y, face.vertex0->z};
    Vec3 e1 = {face.vertex1->x - v0.x, face.vertex1->y - v0.y, face.vertex1->z - v0.z};
    Vec3 e2 = {face.vertex2->x - v0.x, face.vertex2->y - v0.y, face.vertex2->z - v0.z};
    EXPECT_NEAR(Dot3(foot, e1), 0, 1e-10);
    EXPECT_NEAR(Dot3(foot, e2), 0, 1e-10);
    EXPECT_NEAR(Dot3(foot, foot), Dot3(foot, v0), 1e-10);
    EXPECT_GT(Dot3(foot, foot), 0.5 * BallRadius * BallRadius);
  }
  EXPECT_EQ(light, 24);
}

}  // namespace
