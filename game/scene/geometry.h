// Vector and linear-algebra helpers on doubles, and the per-face geometry
// that the loader derives. Degenerate input yields infinities or NaNs; no
// error is raised here.
#pragma once

#include "game/scene/scene.h"

struct Vec3 {
  double x, y, z;
};

double Dot3(Vec3 a, Vec3 b);
int SamePosition(const ScenePoint &p, const ScenePoint &q);

// 12 numbers column by column: coefficients of u0 (rows 0..2), of u1, of u2,
// then the right-hand sides. Works in place. Returns (u0, u1, u2) as x, y, z.
ScenePoint SolveLinear3(double m[12]);
// 6 numbers (a00, a10, a01, a11, b0, b1). Works in place. Returns (u0, u1).
struct Solution2 {
  double u0, u1;
};
Solution2 SolveLinear2(double m[6]);

// Not of unit length: one component is exactly 1.0. A type outside FloorFlat
// to Goal has no normal and yields (0, 0, 0); the loader rejects such faces.
Vec3 FaceNormal(const SceneFace &face);
ScenePoint FootOnFacePlane(const SceneFace &face, Vec3 p);

// Fills the vertices, normal and squared cosines of a course face whose lines
// and type are set; ends the program for a face that is not a proper
// triangle. fileIndex is only used in messages.
void PrepareCourseFace(SceneFace &face, int fileIndex);

// Places the 26 ball points and 72 ball lines after the course's and fills
// s.ballFaces. `coursePointCount` and `courseLineCount` are the numbers of
// course points and lines; s.points, s.lines and s.ballFaces must already hold
// room for the ball (the loader allocates them at their final size).
void BuildBallMesh(Scene &s, int coursePointCount, int courseLineCount);
