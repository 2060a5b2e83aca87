// The browser page's list of the game's data as JSON: the course pack's
// entries (name, description line, the files of its folder), the pictures
// and the font. The page reads it instead of the catalogue, so the
// catalogue is read by the game's own reader only.
#pragma once

#include <string>
#include <vector>

#include "game/shell/course_catalogue.h"

struct PackCourse {
  std::string name;
  std::vector<std::string> files;  // of its folder, inp1.txt first
};

struct PageManifest {
  std::vector<CourseEntry> catalogue;  // as readCourseCatalogue gives it
  std::vector<PackCourse> courses;     // the folders the build made
  std::vector<std::string> pictures;
  std::string font;
};

// The text as a JSON string, quotes included. Bytes that are not UTF-8 are
// taken as Latin-1, as the page shows a catalogue in that encoding.
std::string jsonString(const std::string &text);

// The manifest as JSON. Only catalogue entries whose folder the build made
// (with an inp1.txt) are listed, in the catalogue's order.
std::string formatPageManifest(const PageManifest &manifest);
