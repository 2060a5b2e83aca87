#include "course_layout.h"

#include <algorithm>
#include <set>

namespace {

// The game's face types.
constexpr int FloorFlat = 0;
constexpr int FloorSloped = 1;
constexpr int Wall = 2;
constexpr int TrapSloped = 3;
constexpr int TrapFlat = 4;
constexpr int Goal = 5;

// Faces are cut at this spacing and at every interval boundary (100): the
// game tests and draws faces by the interval of their mean x, so a face must
// not reach into a neighbouring interval.
constexpr int CellSize = 50;
constexpr int IntervalLength = 100;
constexpr int CourseEnd = 1100;
constexpr int PulsingPoints[4] = {62, 66, 70, 74};
constexpr int PulseRestHeight = 124;

// A wall is tested only while the ball is in the wall's own interval: the
// ball must be able to touch it (come within a ball radius, 8.5 units) from
// both sides without leaving that interval.
bool clearOfIntervalEdges(int x) {
  const int inInterval = x % IntervalLength;
  return x >= 0 && inInterval >= 10 && inInterval <= 90;
}

int heightAt(const CourseSection &s, int start, int x) {
  if (s.length == 0) return s.z0;
  // Rounded to the nearest unit; cells that meet compute the same value.
  const long num = static_cast<long>(s.z1 - s.z0) * (x - start);
  const long half = num >= 0 ? s.length / 2 : -(s.length / 2);
  return s.z0 + static_cast<int>((num + half) / s.length);
}

std::vector<int> cutsBetween(int from, int to, std::set<int> extra) {
  extra.insert(from);
  extra.insert(to);
  for (int c = (from / CellSize + 1) * CellSize; c < to; c += CellSize) extra.insert(c);
  std::vector<int> cuts;
  for (int c : extra) {
    if (c >= from && c <= to) cuts.push_back(c);
  }
  return cuts;
}

template <typename Band>
bool inBand(const std::vector<Band> &bands, int ya, int yb) {
  for (const Band &t : bands) {
    if (ya >= t.y0 && yb <= t.y1) return true;
  }
  return false;
}

std::string noteFor(const char *what, int from, int to) {
  return std::string(what) + " x " + std::to_string(from) + ".." + std::to_string(to);
}

// A vertical rectangle in the plane x = c, seen from the course start: its
// texture's left edge is at y1, the side on the left when looking along +x.
void addWall(CourseMesh &mesh, int c, int y0, int y1, int zb, int zt, const std::string &note) {
  const std::vector<int> ys = cutsBetween(y0, y1, {});
  for (size_t i = 0; i + 1 < ys.size(); ++i) {
    const int ya = ys[i], yb = ys[i + 1];
    const int topLeft = addPoint(mesh, c, yb, zt);
    const int bottomLeft = addPoint(mesh, c, yb, zb);
    const int bottomRight = addPoint(mesh, c, ya, zb);
    const int topRight = addPoint(mesh, c, ya, zt);
    // Right angles at vertex1: every face shows its texture's lower-left
    // half undistorted, and the two halves of a rectangle meet at the
    // texture's diagonal.
    addTriangle(mesh, topLeft, bottomLeft, bottomRight, Wall, note);
    addTriangle(mesh, bottomRight, topRight, topLeft, Wall, note);
  }
}

void addSurface(CourseMesh &mesh, const CourseDescription &d, const CourseSection &s, int start) {
  const int end = start + s.length;
  const bool sloped = s.z0 != s.z1;
  std::set<int> yExtra;
  for (const TrapBand &t : s.traps) {
    yExtra.insert(std::clamp(t.y0, d.y0, d.y1));
    yExtra.insert(std::clamp(t.y1, d.y0, d.y1));
  }
  for (const HoleBand &h : s.holes) {
    yExtra.insert(std::clamp(h.y0, d.y0, d.y1));
    yExtra.insert(std::clamp(h.y1, d.y0, d.y1));
  }
  const std::vector<int> xs = cutsBetween(start, end, {});
  const std::vector<int> ys = cutsBetween(d.y0, d.y1, yExtra);
  for (size_t i = 0; i + 1 < xs.size(); ++i) {
    const int xa = xs[i], xb = xs[i + 1];
    const int za = heightAt(s, start, xa), zb = heightAt(s, start, xb);
    for (size_t j = 0; j + 1 < ys.size(); ++j) {
      const int ya = ys[j], yb = ys[j + 1];
      if (inBand(s.holes, ya, yb)) continue;
      int type = sloped ? FloorSloped : FloorFlat;
      const char *what = sloped ? "slope" : "floor";
      if (s.kind == SectionKind::Goal) {
        type = Goal;
        what = "goal";
      } else if (inBand(s.traps, ya, yb)) {
        type = sloped ? TrapSloped : TrapFlat;
        what = "trap";
      }
      const std::string note = noteFor(what, xa, xb);
      const int nearLeft = addPoint(mesh, xa, yb, za);
      const int nearRight = addPoint(mesh, xa, ya, za);
      const int farRight = addPoint(mesh, xb, ya, zb);
      const int farLeft = addPoint(mesh, xb, yb, zb);
      addTriangle(mesh, nearLeft, nearRight, farRight, type, note);
      addTriangle(mesh, farRight, farLeft, nearLeft, type, note);
    }
  }
  for (const WallBand &w : s.walls) {
    const int c = start + s.length / 2;
    const int base = heightAt(s, start, c);
    addWall(mesh, c, std::max(w.y0, d.y0), std::min(w.y1, d.y1), base, base + w.height,
            noteFor("wall", c, c));
  }
}

void addPulsingPlatform(CourseMesh &mesh, const CourseDescription &d, int start, int end) {
  // The game moves these four corners up and down, each a quarter period
  // after the one before, so the platform rolls like a wave.
  const int a = addPinnedPoint(mesh, PulsingPoints[0], start, d.y0, PulseRestHeight);
  const int b = addPinnedPoint(mesh, PulsingPoints[1], end, d.y0, PulseRestHeight);
  const int c = addPinnedPoint(mesh, PulsingPoints[2], end, d.y1, PulseRestHeight);
  const int e = addPinnedPoint(mesh, PulsingPoints[3], start, d.y1, PulseRestHeight);
  const std::string note = noteFor("pulsing platform", start, end);
  addTriangle(mesh, e, a, b, FloorFlat, note);
  addTriangle(mesh, b, c, e, FloorFlat, note);
}

// The height the ball bounces at near x: the surface there, or the last one
// before it (over a gap), or the first one (before the course).
int groundAt(const CourseDescription &d, int x) {
  int start = 0;
  int ground = -1;
  for (const CourseSection &s : d.sections) {
    const bool surface =
        s.kind == SectionKind::Floor || s.kind == SectionKind::Slope || s.kind == SectionKind::Goal;
    const bool pulse = s.kind == SectionKind::Pulse;
    if ((surface || pulse) && ground < 0) ground = surface ? s.z0 : PulseRestHeight;
    if (x >= start && (surface || pulse)) {
      ground = pulse ? PulseRestHeight : heightAt(s, start, std::min(x, start + s.length));
    }
    start += s.length;
    if (start > x) break;
  }
  return ground < 0 ? 0 : ground;
}

bool hasFloorAt(const CourseDescription &d, int x, int y) {
  if (x % CellSize == 0) return false;  // on an edge between two faces
  int start = 0;
  for (const CourseSection &s : d.sections) {
    const bool floor = s.kind == SectionKind::Floor || s.kind == SectionKind::Slope;
    if (floor && x > start && x < start + s.length) return !inBand(s.holes, y, y) && !inBand(s.traps, y, y);
    start += s.length;
  }
  return false;
}

}  // namespace

bool layCourse(const CourseDescription &d, CourseLayout &layout, std::string &error) {
  int x = 0;
  for (const CourseSection &s : d.sections) {
    const int end = x + s.length;
    if (end > CourseEnd || (s.kind == SectionKind::Riser && x >= CourseEnd)) {
      error = "line " + std::to_string(s.sourceLine) + ": the course must end before x = 1100";
      return false;
    }
    if (s.kind == SectionKind::Pulse && (x / IntervalLength) != ((end - 1) / IntervalLength)) {
      error = "line " + std::to_string(s.sourceLine) + ": the pulsing platform must lie in one interval";
      return false;
    }
    const int wallX = s.kind == SectionKind::Riser ? x : x + s.length / 2;
    if ((s.kind == SectionKind::Riser || !s.walls.empty()) && !clearOfIntervalEdges(wallX)) {
      error = "line " + std::to_string(s.sourceLine) + ": a wall at x = " + std::to_string(wallX) +
              " is too close to an interval boundary";
      return false;
    }
    switch (s.kind) {
      case SectionKind::Floor:
      case SectionKind::Slope:
      case SectionKind::Goal:
        addSurface(layout.mesh, d, s, x);
        break;
      case SectionKind::Riser:
        addWall(layout.mesh, x, d.y0, d.y1, s.z0, s.z1, noteFor("riser", x, x));
        break;
      case SectionKind::Pulse:
        addPulsingPlatform(layout.mesh, d, x, end);
        break;
      case SectionKind::Gap:
        break;
    }
    x = end;
  }
  layout.length = x;
  const bool hasPulse = std::any_of(d.sections.begin(), d.sections.end(),
                                    [](const CourseSection &s) { return s.kind == SectionKind::Pulse; });
  if (!hasPulse) {
    // The game moves these four points whatever the course; without a
    // platform they are kept out of every face, or a floor would tilt.
    for (int index : PulsingPoints) addPinnedPoint(layout.mesh, index, 0, d.startY, 0);
  }
  if (!hasFloorAt(d, d.startX, d.startY)) {
    error = "the ball start x = " + std::to_string(d.startX) + " has no floor under it";
    return false;
  }
  if (d.startY <= d.y0 || d.startY >= d.y1 || d.startY % CellSize == 0) {
    error = "the ball start y = " + std::to_string(d.startY) + " is off the course or on a face edge";
    return false;
  }
  layout.ball = {d.startX, d.startY, groundAt(d, d.startX) + d.startLift};
  for (int k = 0; k < 11; ++k) {
    const int keyX = IntervalLength * k;
    // Above the highest floor around the key, so that a step up just ahead
    // of it does not rise into the view.
    int ground = groundAt(d, keyX);
    for (int x = keyX - IntervalLength / 2; x <= keyX + IntervalLength / 2; x += 10) {
      ground = std::max(ground, groundAt(d, x));
    }
    layout.cameras[k] = {keyX - d.cameraBack, d.cameraY, ground + d.cameraUp};
  }
  return true;
}
