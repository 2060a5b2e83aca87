// Points, lines and faces of the course as the scene file lists them.
// Points at the same position are shared, except pinned ones: those keep a
// fixed index in the file and move on their own in the game.
#pragma once

#include <map>
#include <string>
#include <tuple>
#include <vector>

struct MeshPoint {
  int x, y, z;
  int pinnedIndex;  // -1: numbered in order of creation
};

struct MeshLine {
  int p0, p1;  // point ids
};

struct MeshFace {
  int line0, line1, line2;  // line ids
  int type;
  std::string note;  // which part of the course the face belongs to
};

struct CourseMesh {
  std::vector<MeshPoint> points;
  std::vector<MeshLine> lines;
  std::vector<MeshFace> faces;
  std::map<std::tuple<int, int, int>, int> pointAt;
  std::map<std::pair<int, int>, int> lineBetween;
};

int addPoint(CourseMesh &mesh, int x, int y, int z);
int addPinnedPoint(CourseMesh &mesh, int index, int x, int y, int z);

// A triangle with vertex0 = v0, vertex1 = v1 and vertex2 = v2: line0 runs
// from v0 to v1 (its direction fixes the vertex order in the game), line1
// joins v1 and v2, line2 joins v2 and v0.
void addTriangle(CourseMesh &mesh, int v0, int v1, int v2, int type, const std::string &note);

// The file index of every point id: pinned points at their index, the others
// in order of creation in the slots around them. `fileCount` receives the
// number of point records the file needs; slots that no point took (a course
// smaller than its highest pinned index) are filled with points no line uses.
std::vector<int> numberPoints(const CourseMesh &mesh, int &fileCount);
