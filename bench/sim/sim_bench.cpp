// Frames per second of the simulation alone (collisions, motion, camera) on a
// generated course of 20,000 faces: a flat grid of 100 × 100 cells along the
// whole course, two triangles each. The ball runs along x, bouncing, and
// starts again at the beginning when it nears the end.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "game/scene/scene_loader.h"
#include "game/sim/ball.h"
#include "game/sim/camera.h"

namespace {

constexpr int Cells = 100;
constexpr int CellSize = 10;  // file units

int pointIndex(int i, int j) {
  return i * (Cells + 1) + j;
}
// Lines: along x (i < Cells, j ≤ Cells), along y (i ≤ Cells, j < Cells), diagonals.
int alongX(int i, int j) {
  return i * (Cells + 1) + j;
}
int alongY(int i, int j) {
  return Cells * (Cells + 1) + i * Cells + j;
}
int diagonal(int i, int j) {
  return 2 * Cells * (Cells + 1) + i * Cells + j;
}

void writeCourse(const std::string &path) {
  std::ofstream out(path);
  out << "b:5,503,20;\nk:\n";
  for (int k = 0; k <= 10; ++k) out << k << ":" << 100 * k - 150 << ",500,200;\n";
  out << "p:\n";
  for (int i = 0; i <= Cells; ++i)
    for (int j = 0; j <= Cells; ++j)
      out << pointIndex(i, j) << ":" << i * CellSize << "," << 10 + j * CellSize << ",0;\n";
  out << "l:\n";
  for (int i = 0; i < Cells; ++i)
    for (int j = 0; j <= Cells; ++j)
      out << alongX(i, j) << ":" << pointIndex(i, j) << "," << pointIndex(i + 1, j) << ";\n";
  for (int i = 0; i <= Cells; ++i)
    for (int j = 0; j < Cells; ++j)
      out << alongY(i, j) << ":" << pointIndex(i, j) << "," << pointIndex(i, j + 1) << ";\n";
  for (int i = 0; i < Cells; ++i)
    for (int j = 0; j < Cells; ++j)
      out << diagonal(i, j) << ":" << pointIndex(i, j) << "," << pointIndex(i + 1, j + 1) << ";\n";
  // Written in ascending order along x, so that the loader's sort moves nothing:
  // per column the triangles above the diagonal, then those below it.
  out << "f:\n";
  int face = 0;
  for (int i = 0; i < Cells; ++i) {
    for (int j = 0; j < Cells; ++j)
      out << face++ << ":" << diagonal(i, j) << "," << alongX(i, j + 1) << "," << alongY(i, j) << ",0;\n";
    for (int j = 0; j < Cells; ++j)
      out << face++ << ":" << diagonal(i, j) << "," << alongY(i + 1, j) << "," << alongX(i, j) << ",0;\n";
  }
}

}  // namespace

int main(int argc, char **argv) {
  const long frames = argc > 1 ? std::atol(argv[1]) : 20000;
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "kelvaro_sim_bench";
  std::filesystem::create_directories(dir);
  const std::string path = (dir / "inp1.txt").string();
  writeCourse(path);

  const auto loadStart = std::chrono::steady_clock::now();
  LoadScene(path.c_str());
  const double loadSeconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - loadStart).count();
  std::filesystem::remove_all(dir);
  resetSimulation();

  long facesTested = 0;
  int runs = 0, falls = 0;
  const auto start = std::chrono::steady_clock::now();
  for (long frame = 0; frame < frames; ++frame) {
    ball.speed = 0.002;
    if (++ball.jumpIndex == 39) ball.jumpIndex = 38;
    const int k = static_cast<int>(10.0 * ball.position.x);
    if (k >= 0 && k <= 10) facesTested += scene.intervalCount[k] + (k < 9 ? 2 : 0);
    collideBall();
    const bool fell = !(ball.position.z >= 0.0);
    if (fell || ball.position.x > 0.99) {
      ball.position = scene.initialBall;
      ball.velocityX = ball.velocityY = 0.0;
      ++(fell ? falls : runs);
    }
    placeCamera();
    moveWorld();
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

  std::printf("course: %d faces, loaded in %.2f s\n", scene.faceCount, loadSeconds);
  std::printf("frames: %ld in %.3f s, %.0f frames/s (%.2f us/frame)\n", frames, seconds, frames / seconds,
              1e6 * seconds / frames);
  std::printf("faces tested per frame: %.0f on average; runs along the course: %d, falls: %d\n",
              static_cast<double>(facesTested) / frames, runs, falls);
  return 0;
}
