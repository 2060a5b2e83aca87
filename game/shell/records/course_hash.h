// A fingerprint of a course's own files, so that a replay is never played on
// a course that changed since it was recorded.
#pragma once

#include <string>

// FNV-1a (64 bits) over "inp1.txt" in `folder` and each of the course's own
// pictures found there, each preceded by its name; 16 lower-case hex
// digits, "" when "inp1.txt" cannot be read.
std::string hashCourseFiles(const std::string &folder);
