// The readable course description: one instruction per line, sections laid
// one after the other along x.
#pragma once

#include <istream>
#include <string>
#include <vector>

struct TrapBand {
  int y0, y1;
};

struct HoleBand {
  int y0, y1;
};

struct WallBand {
  int y0, y1, height;
};

enum class SectionKind { Floor, Slope, Gap, Riser, Pulse, Goal };

struct CourseSection {
  SectionKind kind;
  int length = 0;      // along x; 0 for a riser
  int z0 = 0, z1 = 0;  // heights at the start and the end (a riser: bottom and top)
  std::vector<TrapBand> traps;
  std::vector<WallBand> walls;
  std::vector<HoleBand> holes;
  int sourceLine = 0;
};

struct CourseDescription {
  int y0 = 0, y1 = 0;
  int startX = 0, startY = 0, startLift = 0;
  int cameraBack = 0, cameraY = 0, cameraUp = 0;
  std::vector<CourseSection> sections;
};

// Reads the description; on a malformed line returns false with a message
// naming the line.
bool readCourseDescription(std::istream &in, CourseDescription &out, std::string &error);
