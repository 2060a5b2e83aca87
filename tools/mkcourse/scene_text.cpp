#include "scene_text.h"

namespace {

// Comment lines start with '#': after the loader drops the spaces, a line
// that starts with neither a digit nor 'b' nor a section marker is skipped.
void writeRecordComment(std::ostream &out, const std::string &note, std::string &last) {
  if (note == last) return;
  out << "# " << note << "\n";
  last = note;
}

}  // namespace

void writeSceneText(std::ostream &out, const CourseLayout &layout, const char *sourceName) {
  const CourseMesh &mesh = layout.mesh;
  int pointCount = 0;
  const std::vector<int> index = numberPoints(mesh, pointCount);

  out << "# Kelvaro course, written by mkcourse from " << sourceName << ".\n"
      << "# Change the course there and build the data again; this file is generated.\n"
      << "# Units: 1000 per scene unit. x runs along the course, y across it, z up.\n"
      << "#\n# Ball start\n"
      << "b:" << layout.ball.x << "," << layout.ball.y << "," << layout.ball.z << ";\n"
      << "# Camera keys: key k belongs to ball x = 100 k\nk:\n";
  for (int k = 0; k < 11; ++k) {
    const Position &c = layout.cameras[k];
    out << k << ":" << c.x << "," << c.y << "," << c.z << ";\n";
  }

  std::vector<const MeshPoint *> byIndex(pointCount, nullptr);
  for (size_t id = 0; id < mesh.points.size(); ++id) byIndex[index[id]] = &mesh.points[id];
  out << "# Points (62, 66, 70 and 74 are the pulsing platform's corners)\np:\n";
  for (int i = 0; i < pointCount; ++i) {
    // A slot no course point took still needs a record; nothing uses it.
    const MeshPoint spare = {0, layout.ball.y, 0, -1};
    const MeshPoint &p = byIndex[i] != nullptr ? *byIndex[i] : spare;
    out << i << ":" << p.x << "," << p.y << "," << p.z << ";\n";
  }

  out << "# Lines: point, point\nl:\n";
  for (size_t i = 0; i < mesh.lines.size(); ++i) {
    out << i << ":" << index[mesh.lines[i].p0] << "," << index[mesh.lines[i].p1] << ";\n";
  }

  out << "# Faces: line0, line1, line2, type (0 floor, 1 slope, 2 wall, 3/4 trap, 5 goal)\nf:\n";
  std::string last;
  for (size_t i = 0; i < mesh.faces.size(); ++i) {
    const MeshFace &f = mesh.faces[i];
    writeRecordComment(out, f.note, last);
    out << i << ":" << f.line0 << "," << f.line1 << "," << f.line2 << "," << f.type << ";\n";
  }
}
