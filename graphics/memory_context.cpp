#include "graphics/rk_core_internal.h"
#include "graphics/rk_drivers.h"

namespace {

// A channel the packing code can use without reaching outside the pixel:
// a run of 1..8 low bits, its matching adjust, and room at its position.
bool usableChannel(int32_t mask, int32_t adjust, int32_t position, int storageBits, bool optional) {
  if (mask == 0) return optional;
  int size = 1;
  for (; size <= 8; ++size) {
    if (mask == (255 >> (8 - size))) break;
  }
  if (size > 8) return false;
  return adjust == 8 - size && position >= 0 && position + size <= storageBits;
}

bool usablePixelFormat(const PixelFormat &pf, int bits) {
  const int storage = RK_bytesPerPixel(bits) * 8;
  return usableChannel(pf.redMask, pf.redAdjust, pf.redPos, storage, false) &&
         usableChannel(pf.greenMask, pf.greenAdjust, pf.greenPos, storage, false) &&
         usableChannel(pf.blueMask, pf.blueAdjust, pf.bluePos, storage, false) &&
         usableChannel(pf.alphaMask, pf.alphaAdjust, pf.alphaPos, storage, true);
}

}  // namespace

DeviceContext *RK_openMemoryContext(int width, int height, int bitsPerPixel, const PixelFormat *pf,
                                    int bytesPerLine, uint8_t *surface, void * /*bitmapHandle*/) {
  RK_setLastError(0);
  switch (bitsPerPixel) {
    case 1:
    case 4:
    case 8:
    case 15:
    case 16:
    case 24:
    case 32:
      break;
    default:
      RK_setLastError(-6);
      return nullptr;
  }
  if (width < 1 || height < 1 || bytesPerLine < 0 ||
      (bytesPerLine != 0 && bytesPerLine < RK_packedRowBytes(width, bitsPerPixel))) {
    RK_setLastError(-6);
    return nullptr;
  }
  const bool directColour = bitsPerPixel > 8;
  if (directColour && pf && !usablePixelFormat(*pf, bitsPerPixel)) {
    RK_setLastError(-30);
    return nullptr;
  }

  DeviceContext *dc = RK_allocateContext();
  if (!dc) {
    RK_setLastError(-10);
    return nullptr;
  }
  dc->kind = RK_KindMemory;
  dc->maxX = width - 1;
  dc->maxY = height - 1;
  dc->bitsPerPixel = bitsPerPixel;
  dc->bytesPerLine = bytesPerLine;
  dc->surface = surface;
  if (directColour) dc->pixelFormat = pf ? *pf : RK_defaultPixelFormat(bitsPerPixel);
  // A platform bitmap handle needs no drawing handle of its own here: the
  // pixels are reached through `surface` alone.
  if (!RK_setUpContext(dc, RK_setupMemoryContext, RK_DriverMemory, -1, nullptr, 1, RK_KindMemory)) {
    RK_discardContext(dc);
    return nullptr;
  }
  if (!RK_listContext(dc)) {
    if (dc->driver.release) dc->driver.release(dc);
    RK_discardContext(dc);
    RK_setLastError(-10);
    return nullptr;
  }
  return dc;
}
