// Turns the course description into faces, camera keys and the ball start.
#pragma once

#include "course_description.h"
#include "course_mesh.h"

struct Position {
  int x, y, z;
};

struct CourseLayout {
  CourseMesh mesh;
  Position ball;
  Position cameras[11];
  int length;  // x at the end of the last section
};

// Fails (false, with a message) when the description leaves the eleven
// intervals or puts the ball start where there is no floor.
bool layCourse(const CourseDescription &description, CourseLayout &layout, std::string &error);
