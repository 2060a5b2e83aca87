#include "trace_line.h"

#include <cstdio>

std::string formatTraceLine(const TraceState &s) {
  char line[512];
  std::snprintf(line, sizeof line, "%ld %d %d %.17g %.17g %.17g %.17g %.17g %d %.17g %.17g\n", s.pass,
                s.menuMode, s.lives, s.x, s.y, s.z, s.speed, s.heading, s.jumpIndex, s.jumpFactor,
                s.viewHeight);
  return line;
}
