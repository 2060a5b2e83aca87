// libFuzzer target: the course loader on arbitrary text. Every fault in a
// course file must come back as a message; a course that loads must hold
// only references into its own tables.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "game/scene/scene.h"
#include "game/scene/scene_loader.h"

namespace {

// The loader opens files by name; an in-memory file keeps the disk out of
// the loop.
const char *courseFile(const uint8_t *data, size_t size) {
  static int fd = -1;
  static char name[64];
  if (fd < 0) {
    fd = memfd_create("course", 0);
    if (fd < 0) std::abort();
    std::snprintf(name, sizeof name, "/proc/self/fd/%d", fd);
  }
  if (ftruncate(fd, 0) != 0) std::abort();
  size_t done = 0;
  while (done < size) {
    ssize_t n = pwrite(fd, data + done, size - done, static_cast<off_t>(done));
    if (n <= 0) std::abort();
    done += static_cast<size_t>(n);
  }
  return name;
}

template <typename T>
bool inside(const T *p, const std::vector<T> &v, int count) {
  return p >= v.data() && p < v.data() + count;
}

void require(bool ok, const char *what) {
  if (!ok) {
    std::fprintf(stderr, "fuzz_course: loaded course breaks: %s\n", what);
    std::abort();
  }
}

void checkLoadedScene() {
  const Scene &s = scene;
  require(s.pointCount == static_cast<int>(s.points.size()), "point count");
  require(s.lineCount == static_cast<int>(s.lines.size()), "line count");
  require(s.faceCount == static_cast<int>(s.faces.size()), "face count");
  require(s.ballFaces.size() == BallFaceCount, "ball faces");
  for (const SceneLine &l : s.lines) {
    require(inside(l.p0, s.points, s.pointCount) && inside(l.p1, s.points, s.pointCount), "line ends");
  }
  int seen = 0;
  for (int k = 0; k < IntervalCount; ++k) {
    require(s.intervalStart[k] == seen, "interval start");
    if (s.intervalCount[k] > 0) require(s.intervalFirstFace[k] == &s.faces[seen], "first face of interval");
    seen += s.intervalCount[k];
  }
  require(seen == s.faceCount, "faces in intervals");
  for (const SceneFace &f : s.faces) {
    for (const SceneLine *l : {f.line0, f.line1, f.line2})
      require(inside(l, s.lines, s.lineCount), "face line");
    for (const ScenePoint *p : {f.vertex0, f.vertex1, f.vertex2})
      require(inside(p, s.points, s.pointCount) && p->defined, "face vertex");
    require(f.type >= FloorFlat && f.type <= Goal, "face type");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  SceneLoadFailure failure;
  if (LoadSceneOrReturn(courseFile(data, size), &failure)) {
    checkLoadedScene();
    ResetScene();
  } else {
    require(!failure.text.empty() && !failure.caption.empty(), "a failure without its message");
    require(scene.points.empty() && scene.faces.empty(), "tables kept after a failure");
  }
  return 0;
}
