// Frames per second of the playing frame's drawing (background picture, the
// course faces near the ball, the ball) on a generated course, against the
// frame's unavoidable memory work: the far value written into every depth
// entry and the copy of the back buffer to the screen page.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "game/render/renderer.h"
#include "game/scene/scene_loader.h"
#include "game/sim/ball.h"
#include "game/sim/camera.h"
#include "graphics/rasterkit.h"

namespace {

// Floors of 0.025 x 0.05 cells from x = 0 to 1.05 and y = -0.1 to 0.1, with a
// wall along each side; every triangle's longest side comes first.
void writeCourse(const std::filesystem::path &path) {
  std::ofstream out(path);
  const int columns = 43, rows = 5;  // points along x and across
  auto index = [&](int i, int j) { return i * rows + j; };
  out << "b:20,0,40;\nk:\n";
  for (int k = 0; k <= 10; ++k) out << k << ":" << 100 * k - 120 << ",0,70;\n";
  out << "p:\n";
  int n = 0;
  for (int i = 0; i < columns; ++i)
    for (int j = 0; j < rows; ++j) out << n++ << ":" << 25 * i << "," << -100 + 50 * j << ",0;\n";
  const int wallBase = n;
  for (int i = 0; i < columns; ++i)
    for (int side = 0; side < 2; ++side)
      out << n++ << ":" << 25 * i << "," << (side ? 100 : -100) << ",30;\n";
  out << "l:\n";
  int lines = 0, faces = 0;
  std::vector<std::string> faceRecords;
  auto line = [&](int a, int b) {
    out << lines << ":" << a << "," << b << ";\n";
    return lines++;
  };
  auto face = [&](int hyp, int l1, int l2, int type) {
    faceRecords.push_back(std::to_string(faces++) + ":" + std::to_string(hyp) + "," + std::to_string(l1) +
                          "," + std::to_string(l2) + "," + std::to_string(type) + ";\n");
  };
  for (int i = 0; i + 1 < columns; ++i) {
    for (int j = 0; j + 1 < rows; ++j) {
      int a = index(i, j), b = index(i + 1, j), c = index(i + 1, j + 1), d = index(i, j + 1);
      int bd = line(b, d), da = line(d, a), ab = line(a, b), bc = line(b, c), cd = line(c, d);
      int type = (i == 40 && j == 2) ? 4 : 0;
      face(bd, da, ab, type);
      face(bd, bc, cd, 0);
    }
    for (int side = 0; side < 2; ++side) {
      int a = index(i, side ? rows - 1 : 0), b = index(i + 1, side ? rows - 1 : 0);
      int c = wallBase + 2 * (i + 1) + side, d = wallBase + 2 * i + side;
      int bd = line(b, d), da = line(d, a), ab = line(a, b), bc = line(b, c), cd = line(c, d);
      face(bd, da, ab, 2);
      face(bd, bc, cd, 2);
    }
  }
  out << "f:\n";
  for (auto &r : faceRecords) out << r;
}

struct Picture {
  std::vector<uint8_t> pixels;
  Bitmap bitmap{};
  Picture(int w, int h, int seed) : pixels(size_t((w + 3) & ~3) * h) {
    for (size_t k = 0; k < pixels.size(); ++k) pixels[k] = uint8_t((k * 7 + seed) % 120 + 1);
    bitmap.width = w;
    bitmap.height = h;
    bitmap.bitsPerPixel = 8;
    bitmap.bytesPerLine = (w + 3) & ~3;
    bitmap.surface = pixels.data();
  }
};

// The time this thread has spent on a core: the machine is shared, and time
// spent waiting for it is no part of a frame's cost.
double cpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

void run(int w, int h, int frames) {
  DeviceContext *back = RK_openMemoryContext(w, h, 8, nullptr);
  if (!back) {
    std::printf("no memory context for %dx%d\n", w, h);
    return;
  }
  std::vector<uint8_t> page(size_t(w) * h);
  DeviceContext *slot = back;
  setRenderTarget(&slot, w, h);
  Picture background(1200, h, 3), floor(255, 255, 11), wall(127, 127, 29), trap(127, 127, 57),
      goal(63, 63, 71);
  setFaceTextures(&floor.bitmap, &wall.bitmap, &trap.bitmap, &goal.bitmap);

  resetSimulation();
  prepareBallModel();
  auto placeBall = [](int frame) {
    ball.position.x = 0.02 + 0.0015 * (frame % 600);
    ball.position.y = 0.03 * ((frame / 600) % 3 - 1);
    ball.position.z = 0.02;
    ball.velocityX = ball.velocityY = 0;
    ball.jumpIndex = 19;
    ball.heading = 0.01 * frame;
    ball.roll = 0.02 * frame;
  };

  for (int f = 0; f < 200; ++f) {  // warm up
    placeBall(f);
    placeCamera();
    resetDepthBuffer();
    updateWorld();
  }
  // Timed in rounds of the same frames; the quickest round counts, as the
  // one least disturbed by whatever else the machine runs.
  constexpr int RoundFrames = 120, PositionStep = 15;  // 120 x 15 covers every ball position once
  const int rounds = frames / RoundFrames > 0 ? frames / RoundFrames : 1;
  double frameTime = 1e9, floorTime = 1e9;
  for (int round = 0; round < rounds; ++round) {
    const double start = cpuSeconds();
    for (int f = 0; f < RoundFrames; ++f) {
      placeBall(f * PositionStep);
      RK_drawBitmapAt(back, int(ball.position.x * -400.0), 0, &background.bitmap, 0);
      placeCamera();
      resetDepthBuffer();
      updateWorld();
      std::memcpy(page.data(), back->surface, page.size());
    }
    const double drawn = cpuSeconds();
    // The floor writes the far value into every used depth entry, as a reset
    // that touched them all would, whatever the renderer's reset does.
    for (int f = 0; f < RoundFrames; ++f) {
      for (int y = 0; y < h; ++y) std::fill_n(depthBuffer.entries[y], w, FarDepth);
      std::memcpy(page.data(), back->surface, page.size());
    }
    const double floorDone = cpuSeconds();
    frameTime = std::min(frameTime, (drawn - start) / RoundFrames);
    floorTime = std::min(floorTime, (floorDone - drawn) / RoundFrames);
  }

  std::printf(
      "%dx%d: %.0f frames/s (%.1f us a frame); floor %.1f us (far fill of every depth entry and back buffer "
      "copy); %.2f x "
      "floor (thread CPU time, best of %d rounds of %d frames)\n",
      w, h, 1.0 / frameTime, frameTime * 1e6, floorTime * 1e6, frameTime / floorTime, rounds, RoundFrames);
  setRenderTarget(nullptr, 0, 0);
  RK_closeContext(back);
}

}  // namespace

int main(int argc, char **argv) {
  const int frames = argc > 1 ? std::atoi(argv[1]) : 5000;
  const auto dir = std::filesystem::temp_directory_path() / "kelvaro_render_bench";
  std::filesystem::create_directories(dir);
  const auto course = dir / "inp1.txt";
  writeCourse(course);
  LoadScene(course.string().c_str());
  std::filesystem::remove_all(dir);
  std::printf("course: %d faces\n", scene.faceCount);
  run(640, 480, frames);
  run(320, 240, frames);
  return 0;
}
