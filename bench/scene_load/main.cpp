// Loads a generated course whose faces stand in descending x order, the worst
// case of the face sort, and prints how long loading took.
//
//   scene_load_bench [faceCount]   (default 20000)
#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "game/scene/scene.h"
#include "game/scene/scene_loader.h"

namespace {

// Every face is a floor triangle of its own three points and three lines; face
// i lies further back along x than face i - 1 (ties where the file units run
// out), so the exchange sort does the most work.
void writeCourse(const std::string &path, int faceCount) {
  FILE *f = std::fopen(path.c_str(), "w");
  if (f == nullptr) {
    std::perror(path.c_str());
    std::exit(1);
  }
  std::fprintf(f, "b:20,0,30;\nk:\n");
  for (int k = 0; k <= 10; ++k) std::fprintf(f, "%d:%d,-300,200;\n", k, 100 * k);
  std::fprintf(f, "p:\n");
  for (int i = 0; i < faceCount; ++i) {
    long x = 1070 - static_cast<long>(i) * 1070 / faceCount;
    int y = (i % 50) * 20;
    std::fprintf(f, "%d:%ld,%d,0;\n%d:%ld,%d,0;\n%d:%ld,%d,0;\n", 3 * i, x, y, 3 * i + 1, x + 20, y,
                 3 * i + 2, x + 10, y + 10);
  }
  std::fprintf(f, "l:\n");
  for (int i = 0; i < faceCount; ++i) {
    int p = 3 * i;
    std::fprintf(f, "%d:%d,%d;\n%d:%d,%d;\n%d:%d,%d;\n", p, p, p + 1, p + 1, p + 1, p + 2, p + 2, p + 2, p);
  }
  std::fprintf(f, "f:\n");
  for (int i = 0; i < faceCount; ++i) std::fprintf(f, "%d:%d,%d,%d,0;\n", i, 3 * i, 3 * i + 1, 3 * i + 2);
  std::fclose(f);
}

}  // namespace

int main(int argc, char **argv) {
  int faceCount = argc > 1 ? std::atoi(argv[1]) : 20000;
  if (faceCount < 1) faceCount = 1;
  std::string dir = (std::filesystem::temp_directory_path() / "kelvaro-scene-load-XXXXXX").string();
  if (mkdtemp(dir.data()) == nullptr) {
    std::perror("mkdtemp");
    return 1;
  }
  std::string path = dir + "/inp1.txt";
  writeCourse(path, faceCount);

  auto start = std::chrono::steady_clock::now();
  LoadScene(path.c_str());
  auto end = std::chrono::steady_clock::now();
  double seconds = std::chrono::duration<double>(end - start).count();

  for (int i = 1; i < scene.faceCount; ++i) {
    const SceneFace &a = scene.faces[i - 1], &b = scene.faces[i];
    if (a.line0->p0->x + a.line0->p1->x + a.line1->p0->x + a.line1->p1->x >
        b.line0->p0->x + b.line0->p1->x + b.line1->p0->x + b.line1->p1->x) {
      std::fprintf(stderr, "scene_load: faces %d and %d are out of order\n", i - 1, i);
      return 1;
    }
  }
  std::printf(
      "scene_load: %d faces in descending order (%d points, %d lines with the ball) loaded in %.3f s\n",
      scene.faceCount, scene.pointCount, scene.lineCount, seconds);
  std::filesystem::remove_all(dir);
  return 0;
}
