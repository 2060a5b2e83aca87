#include "game/shell/course_catalogue.h"

#include <algorithm>
#include <fstream>

bool isSafeCourseName(const std::string &name) {
  if (name.empty() || name.size() > 32) return false;
  return std::all_of(name.begin(), name.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
  });
}

std::vector<CourseEntry> readCourseCatalogue(const std::string &catalogueFile) {
  std::vector<CourseEntry> entries;
  std::ifstream in(catalogueFile, std::ios::binary);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    const size_t space = line.find_first_of(" \t");
    CourseEntry entry;
    entry.name = line.substr(0, space);
    if (space != std::string::npos) {
      const size_t text = line.find_first_not_of(" \t", space);
      if (text != std::string::npos) entry.description = line.substr(text);
    }
    if (isSafeCourseName(entry.name) && !findCourse(entries, entry.name)) entries.push_back(entry);
  }
  return entries;
}

const CourseEntry *findCourse(const std::vector<CourseEntry> &catalogue, const std::string &name) {
  for (const CourseEntry &entry : catalogue) {
    if (entry.name == name) return &entry;
  }
  return nullptr;
}

std::string formatCourseList(const std::vector<CourseEntry> &catalogue) {
  size_t width = 0;
  for (const CourseEntry &entry : catalogue) width = std::max(width, entry.name.size());
  std::string text;
  for (const CourseEntry &entry : catalogue) {
    text += "  " + entry.name + std::string(width - entry.name.size() + 2, ' ') + entry.description + "\n";
  }
  return text;
}
