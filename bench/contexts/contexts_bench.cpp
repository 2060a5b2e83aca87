// Prints what making a context current, creating a frame-sized memory
// context and showing a 640x480 page cost, and the memory a mode switch
// leaves behind (live contexts after many switches).
#include <chrono>
#include <cstdio>

#include "graphics/rasterkit.h"
#include "graphics/rk_platform.h"
#include "platform/headless/headless.h"
#include "platform/headless/headless_control.h"

namespace {

template <typename F>
double nanosecondsPer(int count, F &&body) {
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < count; ++i) body(i);
  const std::chrono::duration<double, std::nano> elapsed = std::chrono::steady_clock::now() - start;
  return elapsed.count() / count;
}

}  // namespace

int main() {
  useHeadlessPlatform();
  headlessSetClockStep(1);
  RK_clearDriverRegistry();
  RK_addDriver("FDIB8.DRV", RK_builtinDriver("FDIB8.DRV"));
  int driver = -1, mode = -1;
  if (!RK_init(&driver, &mode, "")) return 1;
  RK_recordMainWindow(RK_platform()->createWindow("bench", false));

  DeviceContext *a = RK_openMemoryContext(640, 480, 8, nullptr);
  DeviceContext *b = RK_openMemoryContext(640, 480, 8, nullptr);
  const double select = nanosecondsPer(1000000, [&](int i) { RK_selectContext(i % 2 ? a : b); });
  std::printf("select context (mirror copy):        %8.1f ns\n", select);

  const double memory =
      nanosecondsPer(20000, [&](int) { RK_closeContext(RK_openMemoryContext(640, 480, 8, nullptr)); });
  std::printf("open+close 640x480x8 memory context: %8.1f ns\n", memory);

  RK_chooseMode(19);
  DeviceContext *display = RK_openDisplay(2);
  const double flip = nanosecondsPer(2000, [&](int) { RK_flipPages(display, 0); });
  std::printf("flip 640x480x8 pages (headless):     %8.1f ns\n", flip);

  const int before = RK_liveContextCount();
  const double switches = nanosecondsPer(1000, [&](int i) {
    RK_chooseMode(i % 2 ? 19 : 12);
    RK_openDisplay(2);
  });
  std::printf("mode switch (choose + open display): %8.1f ns\n", switches);
  std::printf("live contexts before/after 1000 switches: %d/%d\n", before, RK_liveContextCount());
  RK_shutdown();
  return 0;
}
