// mkcourse DESCRIPTION OUTPUT [SOURCE_NAME]
// Writes the scene description file OUTPUT (inp1.txt) from the course
// description DESCRIPTION. The output depends on the description alone; its
// header names the description as SOURCE_NAME (by default the bundled
// course's "assets/course/course.txt").
#include <cstdio>
#include <fstream>
#include <sstream>

#include "course_description.h"
#include "course_layout.h"
#include "scene_text.h"

int main(int argc, char **argv) {
  if (argc != 3 && argc != 4) {
    std::fprintf(stderr, "usage: mkcourse DESCRIPTION OUTPUT [SOURCE_NAME]\n");
    return 2;
  }
  std::ifstream in(argv[1]);
  if (!in) {
    std::fprintf(stderr, "mkcourse: cannot open %s\n", argv[1]);
    return 1;
  }
  CourseDescription description;
  std::string error;
  if (!readCourseDescription(in, description, error)) {
    std::fprintf(stderr, "mkcourse: %s: %s\n", argv[1], error.c_str());
    return 1;
  }
  CourseLayout layout;
  if (!layCourse(description, layout, error)) {
    std::fprintf(stderr, "mkcourse: %s: %s\n", argv[1], error.c_str());
    return 1;
  }
  std::ostringstream text;
  writeSceneText(text, layout, argc == 4 ? argv[3] : "assets/course/course.txt");
  // Written in binary mode so that the file has the same bytes everywhere.
  std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
  out << text.str();
  out.close();
  if (!out) {
    std::fprintf(stderr, "mkcourse: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
