#include "course_description.h"

#include <sstream>

namespace {

bool readInts(std::istringstream &words, int count, int *values) {
  for (int i = 0; i < count; ++i) {
    if (!(words >> values[i])) return false;
  }
  return true;
}

bool readSectionOptions(std::istringstream &words, CourseSection &section) {
  std::string option;
  while (words >> option) {
    if (option == "trap") {
      int v[2];
      if (!readInts(words, 2, v) || v[0] >= v[1]) return false;
      section.traps.push_back({v[0], v[1]});
    } else if (option == "hole") {
      int v[2];
      if (!readInts(words, 2, v) || v[0] >= v[1]) return false;
      section.holes.push_back({v[0], v[1]});
    } else if (option == "wall") {
      int v[3];
      if (!readInts(words, 3, v) || v[0] >= v[1] || v[2] <= 0) return false;
      section.walls.push_back({v[0], v[1], v[2]});
    } else {
      return false;
    }
  }
  return true;
}

// One instruction; false when it is unknown or its numbers do not fit.
bool readInstruction(const std::string &word, std::istringstream &words, CourseDescription &out,
                     CourseSection &section) {
  int v[3];
  if (word == "width") {
    if (!readInts(words, 2, v) || v[0] <= 0 || v[0] >= v[1]) return false;
    out.y0 = v[0];
    out.y1 = v[1];
    return true;
  }
  if (word == "start") {
    if (!readInts(words, 3, v)) return false;
    out.startX = v[0];
    out.startY = v[1];
    out.startLift = v[2];
    return true;
  }
  if (word == "camera") {
    if (!readInts(words, 3, v)) return false;
    out.cameraBack = v[0];
    out.cameraY = v[1];
    out.cameraUp = v[2];
    return true;
  }
  if (word == "floor" || word == "goal") {
    section.kind = word == "floor" ? SectionKind::Floor : SectionKind::Goal;
    if (!readInts(words, 2, v) || v[0] <= 0) return false;
    section.length = v[0];
    section.z0 = section.z1 = v[1];
  } else if (word == "slope") {
    section.kind = SectionKind::Slope;
    if (!readInts(words, 3, v) || v[0] <= 0) return false;
    section.length = v[0];
    section.z0 = v[1];
    section.z1 = v[2];
  } else if (word == "gap" || word == "pulse") {
    section.kind = word == "gap" ? SectionKind::Gap : SectionKind::Pulse;
    if (!readInts(words, 1, v) || v[0] <= 0) return false;
    section.length = v[0];
  } else if (word == "riser") {
    section.kind = SectionKind::Riser;
    if (!readInts(words, 2, v) || v[0] >= v[1]) return false;
    section.z0 = v[0];
    section.z1 = v[1];
  } else {
    return false;
  }
  if (!readSectionOptions(words, section)) return false;
  // Only plain floors carry traps, holes and walls; a goal or a gap with them would
  // not be what the line seems to say.
  const bool takesOptions = section.kind == SectionKind::Floor || section.kind == SectionKind::Slope;
  if (!takesOptions && (!section.traps.empty() || !section.walls.empty() || !section.holes.empty()))
    return false;
  out.sections.push_back(section);
  return true;
}

}  // namespace

bool readCourseDescription(std::istream &in, CourseDescription &out, std::string &error) {
  std::string line;
  int lineNumber = 0;
  while (std::getline(in, line)) {
    ++lineNumber;
    const auto hash = line.find('#');
    if (hash != std::string::npos) line.erase(hash);
    std::istringstream words(line);
    std::string word;
    if (!(words >> word)) continue;
    CourseSection section;
    section.sourceLine = lineNumber;
    if (!readInstruction(word, words, out, section)) {
      error = "line " + std::to_string(lineNumber) + ": cannot read \"" + line + "\"";
      return false;
    }
  }
  if (out.y1 <= out.y0) {
    error = "no \"width\" instruction";
    return false;
  }
  return true;
}
