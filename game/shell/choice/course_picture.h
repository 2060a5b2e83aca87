// The small picture of a course in the choice: the course seen from above,
// floors, traps, walls and the goal in their colours, fitted into a box.
#pragma once

#include <cstdint>
#include <vector>

struct CoursePicture {
  int width = 0, height = 0;
  std::vector<uint8_t> pixels;  // colour indices of the menu palette, rows top first
};

// Draws the course now in the process-wide Scene.
CoursePicture drawCoursePicture(int width, int height);
