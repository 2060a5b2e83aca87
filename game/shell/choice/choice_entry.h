// One course as the choice offers it.
#pragma once

#include <string>

#include "game/shell/choice/course_picture.h"
#include "game/shell/course_catalogue.h"
#include "game/shell/records/par_table.h"

struct ChoiceEntry {
  CourseEntry course;
  std::string folder;  // absolute: holds the course's inp1.txt
  CoursePicture picture;
  CoursePar par;  // all zero: the catalogue gives none
};
