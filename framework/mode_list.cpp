// Driver registration and the list of usable video modes.
#include <cstring>

#include "framework/framework_internal.h"

namespace {

const ModeQueries libraryQueries{RK_modeSize, RK_modeList, RK_modeAttributes, RK_modePages, RK_modeDriver};
const ModeQueries *queries = &libraryQueries;

// Driver attribute: the mode cannot stand in for a smaller one by showing
// rows or pixels twice.
constexpr int kNoStretchSource = 0x800;
constexpr int kMode320x200Planar = 6;
constexpr int kMode320x200 = 11;

void registerNames(const char *const *names, int count) {
  for (int i = 0; i < count; ++i) {
    const DriverHeader *header = RK_builtinDriver(names[i]);
    if (header) RK_addDriver(names[i], header);
  }
}

bool depthAllowed(int bits, int filter) {
  switch (bits) {
    case 8:
      return filter & 0x01;
    case 15:
    case 16:
      return filter & 0x02;
    case 24:
      return filter & 0x04;
    case 32:
      return filter & 0x08;
    default:
      return false;
  }
}

bool isAvailable(int mode) {
  const uint8_t *list = queries->modeList();
  for (int i = 0; list && i < RK_ModeCount && list[i] != RK_ModeListEnd; ++i)
    if (list[i] == mode) return true;
  return false;
}

// The first available mode of width x height at the depth that a picture
// can be stretched onto; -1 when there is none or the first one refuses.
int stretchSource(int width, int height, int bits) {
  const uint8_t *list = queries->modeList();
  for (int i = 0; list && i < RK_ModeCount && list[i] != RK_ModeListEnd; ++i) {
    const int n = list[i];
    int x = 0, y = 0, b = 0;
    if (!queries->modeSize(n, &x, &y, &b)) continue;
    if (x > 800 || y > 600 || b != bits || x != width || y != height) continue;
    if (queries->modeAttributes(n) & kNoStretchSource) return -1;
    return n;
  }
  return -1;
}

// The driver text starts with the driver's file name; only that fits the
// entry and means anything there.
void copyDriverName(char (&out)[16], const char *text) {
  std::memset(out, 0, sizeof out);
  if (!text) return;
  for (size_t i = 0; i + 1 < sizeof out && text[i] != '\0' && text[i] != '\n' && text[i] != '\r'; ++i)
    out[i] = text[i];
}

void addEntry(int mode, int examined, int width, int height, int bits, int stretch) {
  FrameworkState &s = frameworkState();
  if (s.modeCount >= kMaxVideoModes) return;
  VideoMode &v = s.modes[s.modeCount];
  v.mode = mode;
  v.width = width;
  v.height = height;
  v.bitsPerPixel = bits;
  v.pages = queries->modePages(mode);
  v.flags = queries->modeAttributes(examined);
  copyDriverName(v.driverName, queries->modeDriver(mode));
  v.stretch = stretch;
  v.windowStretch = windowStretchFor(width, height);
  ++s.modeCount;
  ++s.fullScreenCount;
}

void listModes(int filter) {
  for (int m = 11; m <= 85; ++m) {
    int x = 0, y = 0, bits = 0;
    if (!queries->modeSize(m, &x, &y, &bits) || bits < 8) continue;
    if (!depthAllowed(bits, filter)) continue;
    if (isAvailable(m)) {
      addEntry(m, m, x, y, bits, 0);
    } else if (m == kMode320x200 && isAvailable(kMode320x200Planar)) {
      addEntry(kMode320x200Planar, m, x, y, bits, 0);
    } else if (const int rows = stretchSource(x, 2 * y, bits); rows >= 0) {
      addEntry(rows, m, x, y, bits, 1);
    } else if (const int both = stretchSource(2 * x, 2 * y, bits); both >= 0) {
      addEntry(both, m, x, y, bits, 2);
    }
  }
}

}  // namespace

void setModeQueries(const ModeQueries *replacement) {
  queries = replacement ? replacement : &libraryQueries;
}

int windowStretchFor(int width, int height) {
  if (width < 512 && height < 384) return 2;
  if (width == 320 && (height == 400 || height == 480)) return 2;
  return 0;
}

void registerDrivers() {
  FrameworkState &s = frameworkState();
  if (s.driversRegistered) return;
  s.detectedDriver = -1;
  RK_clearDriverRegistry();

  const DriverOptions &o = s.options;
  static const char *const vga[] = {"VGA4.DRV", "VGA8.DRV"};
  static const char *const vgax[] = {"VGAX.DRV"};
  static const char *const linear[] = {"LINEAR8.DRV", "LINEAR16.DRV", "LINEAR24.DRV", "LINEAR32.DRV"};
  static const char *const accel[] = {"ACCEL8.DRV", "ACCEL16.DRV", "ACCEL24.DRV", "ACCEL32.DRV"};
  static const char *const fdib[] = {"FDIB8.DRV", "FDIB16.DRV", "FDIB24.DRV", "FDIB32.DRV"};
  static const char *const ddraw[] = {"DDRAW8.DRV", "DDRAW16.DRV", "DDRAW24.DRV", "DDRAW32.DRV"};
  static const char *const opengl[] = {"OPENGL.DRV", "FSOGL8.DRV", "FSOGL16.DRV", "FSOGL24.DRV",
                                       "FSOGL32.DRV"};
  static const char *const pack[] = {"PACK1.DRV",  "PACK4.DRV",  "PACK8.DRV",
                                     "PACK16.DRV", "PACK24.DRV", "PACK32.DRV"};
  if (o.useDirectAccess) {
    if (o.useVGA) {
      registerNames(vga, 2);
      if (o.useVGAX) registerNames(vgax, 1);
    }
    if (o.useVBE && o.useLinear) {
      registerNames(linear, 4);
      if (o.useVBEAF) registerNames(accel, 4);
    }
  }
  if (o.useFullScreenDIB) registerNames(fdib, 4);
  if (o.useDirectDraw) registerNames(ddraw, 4);
  if (o.useOpenGL) registerNames(opengl, 5);
  registerNames(pack, 6);

  int mode = -1;
  RK_detectHardware(&s.detectedDriver, &mode);
  s.driversRegistered = true;
}

void buildModeList() {
  FrameworkState &s = frameworkState();
  registerDrivers();
  s.modeCount = 0;
  s.fullScreenCount = 0;
  listModes(s.options.modeFilter);
  // A filter that leaves nothing is no use to anyone: offer every depth.
  if (s.modeCount == 0) listModes(0x0F);
}

void setDriverOptions(const DriverOptions &options) {
  FrameworkState &s = frameworkState();
  if (std::memcmp(&options, &s.options, sizeof options) == 0) return;
  s.options = options;
  s.driversRegistered = false;
  buildModeList();
}

bool findMode(VideoMode *out, int width, int height, int bitsPerPixel) {
  const FrameworkState &s = frameworkState();
  for (int i = 0; i < s.modeCount; ++i) {
    const VideoMode &v = s.modes[i];
    if (v.width == width && v.height == height && (bitsPerPixel == -1 || v.bitsPerPixel == bitsPerPixel)) {
      if (out) *out = v;
      return true;
    }
  }
  return false;
}
