// Small hand-built courses for the simulation tests: points and triangles go
// straight into the process-wide Scene, the way the loader leaves it.
#pragma once

#include <vector>

#include "game/scene/scene.h"

struct CourseTriangle {
  int a, b, c;  // line0 runs a→b, line1 b→c, line2 c→a
  int type;
};

// Replaces the Scene with these points and triangles (triangles given in
// ascending order along x), 26 zeroed ball points after the course points,
// cameras at (0.1·k, -0.3, 0.2), and the simulation reset with the ball at
// `ballStart`.
void installCourse(const std::vector<ScenePoint> &points, const std::vector<CourseTriangle> &triangles,
                   ScenePoint ballStart);

ScenePoint at(double x, double y, double z);

// Traps count their calls here once a test installs countLostLife.
extern int lostLives;
void countLostLife();
