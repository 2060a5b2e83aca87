#include <array>

#include "graphics/rasterkit.h"

namespace {

int lastError = 0;

constexpr std::array<const char *, 31> kErrorTexts{
    "No error",
    "Graphics driver has not been installed",
    "Graphics hardware not detected",
    "Couldn't find graphics driver",
    "Graphics driver file corrupted",
    "Not enough memory to load graphics driver",
    "Invalid mode for selected driver",
    "Invalid driver number",
    "General graphics error",
    "Invalid graphics driver name",
    "Not enough memory to perform operation",
    "Selected graphics mode not supported",
    "Invalid font data",
    "Font file corrupted",
    "Couldn't find font file",
    "Incorrect version for driver file",
    "Invalid device type for operation",
    "Invalid device context",
    "Invalid cursor file",
    "Cursor file was not found",
    "Invalid icon file",
    "Icon file was not found",
    "Invalid bitmap file",
    "Bitmap file was not found",
    "Zbuffer allocation is too large",
    "Only Windows 2.x font files supported",
    "RK_endRegion() was not called",
    "Double buffering is not available",
    "OffscreenDC's require hardware bitBlt support",
    "No available Offscreen display memory",
    "Invalid pixel format for memory DC",
};

}  // namespace

int RK_lastError() {
  const int code = lastError;
  lastError = 0;
  return code;
}

void RK_setLastError(int code) {
  lastError = code;
}

const char *RK_errorText(int code) {
  if (code > 0 || code < -30) return "Invalid error number";
  return kErrorTexts[static_cast<size_t>(-code)];
}
