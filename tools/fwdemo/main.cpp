// fwdemo: runs the application framework on the SDL back end with a
// 640x480x8 mode and a palette of colour ramps, drawing bars that move
// every frame. Alt+Enter switches between full screen and a window,
// Escape ends it.
//
//   fwdemo [--windowed] [--frames N]
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "framework/framework.h"
#include "graphics/rasterkit.h"
#include "platform/sdl/sdl_platform.h"

namespace {

DeviceContext **drawSlot = nullptr;
int frame = 0;
int frameLimit = -1;

void buildPalette(PaletteEntry *entries) {
  // Four ramps of 64: red, green, blue and grey.
  for (int i = 0; i < 256; ++i) {
    const uint8_t level = static_cast<uint8_t>((i % 64) * 4 + 3);
    PaletteEntry &e = entries[i];
    e = PaletteEntry{0, 0, 0, 0};
    switch (i / 64) {
      case 0:
        e.red = level;
        break;
      case 1:
        e.green = level;
        break;
      case 2:
        e.blue = level;
        break;
      default:
        e.red = e.green = e.blue = level;
        break;
    }
  }
}

void loadPalette() {
  static PaletteEntry entries[256];
  buildPalette(entries);
  setFrameworkPalette(entries, 256, 0);
  realizeFrameworkPalette(256, 0, 1);
}

void drawFrame() {
  DeviceContext *dc = *drawSlot;
  if (!dc) return;
  RK_selectContext(dc);
  RK_beginSurfaceAccess();
  DeviceContext *m = RK_currentMirror();
  const int width = m->maxX + 1;
  const int height = m->maxY + 1;
  for (int y = 0; y < height; ++y) {
    uint8_t *row = m->surface + static_cast<int64_t>(y) * m->bytesPerLine;
    const int ramp = (y * 4 / height) * 64;  // one band per ramp, top to bottom
    for (int x = 0; x < width; ++x) {
      const int bar = ((x + frame * 4) / 40) % 2;
      const int level = ((x + frame * 2) % 256) / 4;
      row[x] = static_cast<uint8_t>(ramp + (bar ? level : 63 - level));
    }
  }
  // A white frame marks the edges of the drawing surface.
  for (int x = 0; x < width; ++x) m->surface[x] = m->surface[(height - 1) * m->bytesPerLine + x] = 255;
  for (int y = 0; y < height; ++y)
    m->surface[y * m->bytesPerLine] = m->surface[y * m->bytesPerLine + width - 1] = 255;
  RK_endSurfaceAccess();
  swapBuffers(1);
  if (++frame == frameLimit) quitMainLoop();
}

void onKeyDown(const Event &event) {
  if ((event.message & 0xFF) == 27) quitMainLoop();
}

int onModeSwitch(const VideoMode &mode, int windowed) {
  std::fprintf(stderr, "fwdemo: now %s, %dx%d\n", windowed ? "windowed" : "full screen", mode.width,
               mode.height);
  loadPalette();
  return 0;
}

}  // namespace

int main(int argc, char **argv) {
  int windowed = 0;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--windowed") == 0) windowed = 1;
    if (std::strcmp(argv[i], "--frames") == 0 && i + 1 < argc) frameLimit = std::atoi(argv[++i]);
  }
  useSdlPlatform();
  setDriverOptions(DriverOptions{1, 1, 1, 1, 1, 1, 1, 1, 0, 0x0F});
  drawSlot = initFramework("Kelvaro");
  setDrawFunc(drawFrame);
  setKeyDownFunc(onKeyDown);
  setModeSwitchFunc(onModeSwitch);
  VideoMode mode{};
  if (!findMode(&mode, 640, 480, 8)) RK_reportFatal("No 640x480 mode with 256 colours: is there a display?");
  if (!setMode(mode, windowed, 2, 1)) RK_reportFatal(RK_errorText(RK_lastError()));
  loadPalette();
  return runMainLoop();
}
