// The headers of the library's built-in drivers. Each is laid out like a
// driver file's header, so RK_addDriver checks them exactly as it would a
// loaded file.
#include <array>
#include <cstring>

#include "graphics/rasterkit.h"
#include "graphics/registry_internal.h"
#include "graphics/rk_drivers.h"

namespace {

constexpr char kSignature[] = "Rasterkit Driver:";
constexpr char kVersionLine[] = "Version 2.0 - Dec 24 1997";

// Detection for the families this system cannot offer on Linux (direct VGA
// and VESA access, accelerator files, OpenGL): they never find a mode.
int detectNothing(int, int, int *, int *, ModeEntry *) {
  return 0;
}

template <std::size_t N>
constexpr void copyText(char (&field)[N], std::size_t &at, const char *text) {
  for (; *text != '\0' && at + 1 < N; ++text) field[at++] = *text;
}

constexpr DriverHeader makeHeader(const char *name, const char *line, int driverId, RK_DetectFunc detect,
                                  RK_SetupFunc setup) {
  DriverHeader h{};
  std::size_t at = 0;
  copyText(h.signature, at, kSignature);
  at = 0;
  copyText(h.name, at, name);
  at = 0;
  copyText(h.description, at, name);
  copyText(h.description, at, "\n\n");
  copyText(h.description, at, kVersionLine);
  copyText(h.description, at, "\n");
  copyText(h.description, at, line);
  h.versionMajor = 2;
  h.versionMinor = 0;
  h.driverId = static_cast<uint8_t>(driverId);
  h.detect = detect;
  h.setup = setup;
  return h;
}

constexpr DriverHeader memory(int slot, const char *line) {
  return makeHeader(kDriverSlotNames[slot], line, RK_DriverMemory, nullptr, RK_setupMemoryContext);
}
constexpr DriverHeader absent(int slot, const char *line, int driverId) {
  return makeHeader(kDriverSlotNames[slot], line, driverId, detectNothing, RK_setupDisplayContext);
}
constexpr DriverHeader display(int slot, const char *line, int driverId) {
  return makeHeader(kDriverSlotNames[slot], line, driverId, RK_detectDisplayFamily, RK_setupDisplayContext);
}

// Indexed by slot number.
constexpr std::array<DriverHeader, RK_DriverSlotCount> kBuiltin{
    memory(0, "Memory contexts, 1 bit per pixel"),
    memory(1, "Memory contexts, 4 bits per pixel"),
    memory(2, "Memory contexts, 8 bits per pixel"),
    memory(3, "Memory contexts, 15 and 16 bits per pixel"),
    memory(4, "Memory contexts, 24 bits per pixel"),
    memory(5, "Memory contexts, 32 bits per pixel"),
    absent(6, "Standard VGA, 16 colours", RK_DriverVGA),
    absent(7, "Unchained VGA, 256 colours", RK_DriverVGA),
    absent(8, "Standard VGA, 256 colours", RK_DriverVGA),
    absent(9, "SuperVGA, 16 colours", RK_DriverVGA),
    absent(10, "SuperVGA, 256 colours", RK_DriverVGA),
    absent(11, "SuperVGA, 15 and 16 bits per pixel", RK_DriverVGA),
    absent(12, "SuperVGA, 24 bits per pixel", RK_DriverVGA),
    absent(13, "SuperVGA, 32 bits per pixel", RK_DriverVGA),
    display(14, "Full-screen DIB sections, 256 colours", RK_DriverDIB),
    display(15, "Full-screen DIB sections, 15 and 16 bits per pixel", RK_DriverDIB),
    display(16, "Full-screen DIB sections, 24 bits per pixel", RK_DriverDIB),
    display(17, "Full-screen DIB sections, 32 bits per pixel", RK_DriverDIB),
    display(18, "DirectDraw, 256 colours", RK_DriverDirectDraw),
    display(19, "DirectDraw, 15 and 16 bits per pixel", RK_DriverDirectDraw),
    display(20, "DirectDraw, 24 bits per pixel", RK_DriverDirectDraw),
    display(21, "DirectDraw, 32 bits per pixel", RK_DriverDirectDraw),
    absent(22, "VESA linear frame buffer, 256 colours", RK_DriverLinear),
    absent(23, "VESA linear frame buffer, 15 and 16 bits per pixel", RK_DriverLinear),
    absent(24, "VESA linear frame buffer, 24 bits per pixel", RK_DriverLinear),
    absent(25, "VESA linear frame buffer, 32 bits per pixel", RK_DriverLinear),
    absent(26, "VBE/AF accelerator, 256 colours", RK_DriverAccelerated),
    absent(27, "VBE/AF accelerator, 15 and 16 bits per pixel", RK_DriverAccelerated),
    absent(28, "VBE/AF accelerator, 24 bits per pixel", RK_DriverAccelerated),
    absent(29, "VBE/AF accelerator, 32 bits per pixel", RK_DriverAccelerated),
    absent(30, "OpenGL in a window", RK_DriverOpenGLWindowed),
    absent(31, "Full-screen OpenGL, 256 colours", RK_DriverOpenGLFullScreen),
    absent(32, "Full-screen OpenGL, 15 and 16 bits per pixel", RK_DriverOpenGLFullScreen),
    absent(33, "Full-screen OpenGL, 24 bits per pixel", RK_DriverOpenGLFullScreen),
    absent(34, "Full-screen OpenGL, 32 bits per pixel", RK_DriverOpenGLFullScreen),
};

}  // namespace

const DriverHeader *builtinDriverOfSlot(int slot) {
  if (slot < 0 || slot >= RK_DriverSlotCount) return nullptr;
  return &kBuiltin[slot];
}

const DriverHeader *RK_builtinDriver(const char *name) {
  if (!name) return nullptr;
  for (const DriverHeader &h : kBuiltin) {
    if (std::strcmp(h.name, name) == 0) return &h;
  }
  return nullptr;
}
