#include "course_mesh.h"

#include <algorithm>

int addPoint(CourseMesh &mesh, int x, int y, int z) {
  const auto key = std::make_tuple(x, y, z);
  const auto found = mesh.pointAt.find(key);
  if (found != mesh.pointAt.end()) return found->second;
  mesh.points.push_back({x, y, z, -1});
  const int id = static_cast<int>(mesh.points.size()) - 1;
  mesh.pointAt.emplace(key, id);
  return id;
}

int addPinnedPoint(CourseMesh &mesh, int index, int x, int y, int z) {
  // Not entered in pointAt: a static face must never share a point that the
  // game moves.
  mesh.points.push_back({x, y, z, index});
  return static_cast<int>(mesh.points.size()) - 1;
}

namespace {

int addLine(CourseMesh &mesh, int from, int to, bool directed) {
  auto found = mesh.lineBetween.find({from, to});
  if (found != mesh.lineBetween.end()) return found->second;
  if (!directed) {
    found = mesh.lineBetween.find({to, from});
    if (found != mesh.lineBetween.end()) return found->second;
  }
  mesh.lines.push_back({from, to});
  const int id = static_cast<int>(mesh.lines.size()) - 1;
  mesh.lineBetween.emplace(std::make_pair(from, to), id);
  return id;
}

}  // namespace

void addTriangle(CourseMesh &mesh, int v0, int v1, int v2, int type, const std::string &note) {
  const int line0 = addLine(mesh, v0, v1, true);
  const int line1 = addLine(mesh, v1, v2, false);
  const int line2 = addLine(mesh, v2, v0, false);
  mesh.faces.push_back({line0, line1, line2, type, note});
}

std::vector<int> numberPoints(const CourseMesh &mesh, int &fileCount) {
  int highestPin = -1;
  int free = 0;
  for (const MeshPoint &p : mesh.points) {
    if (p.pinnedIndex >= 0) {
      highestPin = std::max(highestPin, p.pinnedIndex);
    } else {
      ++free;
    }
  }
  const int pinned = static_cast<int>(mesh.points.size()) - free;
  fileCount = std::max(free + pinned, highestPin + 1);

  std::vector<bool> taken(fileCount, false);
  for (const MeshPoint &p : mesh.points) {
    if (p.pinnedIndex >= 0) taken[p.pinnedIndex] = true;
  }
  std::vector<int> index(mesh.points.size(), -1);
  int next = 0;
  for (size_t id = 0; id < mesh.points.size(); ++id) {
    if (mesh.points[id].pinnedIndex >= 0) {
      index[id] = mesh.points[id].pinnedIndex;
      continue;
    }
    while (taken[next]) ++next;
    index[id] = next;
    taken[next] = true;
  }
  return index;
}
