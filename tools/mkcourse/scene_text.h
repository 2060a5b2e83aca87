// Writes the course as a scene description file.
#pragma once

#include <ostream>

#include "course_layout.h"

void writeSceneText(std::ostream &out, const CourseLayout &layout, const char *sourceName);
