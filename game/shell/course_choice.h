// Choosing a course from the pack on the command line: "-course NAME" starts
// the game in that course's folder, "-courses" lists the pack. Without either
// the game starts as before, on the course of the current directory.
#pragma once

#include <string>
#include <vector>

#include "game/shell/course_catalogue.h"

struct CourseRequest {
  enum Kind { None, List, Start };
  Kind kind = None;
  std::string name;  // for Start; empty when "-course" was the last argument
};

// Where the pack lies: "courses" in the current directory, else under RK_ROOT.
struct CoursePack {
  std::string folder;    // holds courses.txt and one folder per course
  std::string mainData;  // the folder of the bundled look; empty: RK_ROOT has it
  std::vector<CourseEntry> catalogue;
};

// Finds the pack as "-course" does, with `folder` made absolute when it was
// found in the current directory. False when there is none.
bool findInstalledCoursePack(CoursePack &pack);

// "-courses" wins over "-course"; of several "-course NAME" the first counts.
// Both are compared without regard to letter case, like the driver switches.
CourseRequest readCourseRequest(int argc, const char *const *argv);

// Acts on the request. Returns -1 when start-up goes on (no request, or the
// current directory is now the course's folder), otherwise the exit status:
// 0 after the list was printed, 1 after a message on stderr (a bad or unknown
// name, with the list; no pack; a course folder that cannot be entered).
// The pack is "courses" in the current directory, else under RK_ROOT. Before
// entering a course folder RK_ROOT is pointed at the main data (unless it is
// set), so that pictures the course lacks come from the bundled look.
//
// Where the host says nobody sees standard error (a Windows window program,
// the browser page), every message also shows in a message box of the
// display back end in force (when it has a display), the list of courses
// included, and "-courses" shows its list in a box too (echoed on standard
// error, as every box is).
int enterRequestedCourse(const CourseRequest &request);
