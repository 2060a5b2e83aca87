// The course pack: a folder "courses" in the game's data, one sub-folder per
// course (its "inp1.txt" and, where the course has a look of its own, its
// pictures), and a catalogue "courses.txt" that names the courses from easy
// to hard with a line of description each.
#pragma once

#include <string>
#include <vector>

struct CourseEntry {
  std::string name;
  std::string description;
};

// The catalogue's lines are "NAME DESCRIPTION"; '#' starts a comment line,
// blank lines are skipped, a CR before the LF is dropped. Entries whose name
// is not a safe course name are left out. An unreadable catalogue gives an
// empty list.
std::vector<CourseEntry> readCourseCatalogue(const std::string &catalogueFile);

// A name that can only mean a folder directly inside the course pack: one
// to 32 of the characters a-z, 0-9, '-' and '_'. Empty names, paths ('/',
// '\\'), "..", dots and everything else are refused.
bool isSafeCourseName(const std::string &name);

// The entry called `name`, or nullptr.
const CourseEntry *findCourse(const std::vector<CourseEntry> &catalogue, const std::string &name);

// The catalogue as "-courses" prints it: one line per course, names padded
// to one column.
std::string formatCourseList(const std::vector<CourseEntry> &catalogue);
