#include <cstring>

#include "graphics/rk_core_internal.h"

namespace {

// A channel whose layout would shift past the pixel word contributes
// nothing instead of invoking an undefined shift.
bool usableShift(int32_t amount) {
  return amount >= 0 && amount < 32;
}

uint32_t packChannel(int value, int32_t mask, int32_t adjust, int32_t position) {
  if (!usableShift(adjust) || !usableShift(position)) return 0;
  return ((static_cast<uint32_t>(value) >> adjust) & static_cast<uint32_t>(mask)) << position;
}

int unpackChannel(uint32_t pixel, int32_t mask, int32_t adjust, int32_t position) {
  if (!usableShift(adjust) || !usableShift(position)) return 0;
  return static_cast<int>(((pixel >> position) & static_cast<uint32_t>(mask)) << adjust);
}

void channel(int size, int position, int32_t *mask, int32_t *pos, int32_t *adjust) {
  if (size <= 0) {
    *mask = *pos = *adjust = 0;
    return;
  }
  if (size > 8) size = 8;
  *mask = 255 >> (8 - size);
  *pos = position;
  *adjust = 8 - size;
}

}  // namespace

uint32_t RK_packPixel(const PixelFormat &pf, int red, int green, int blue) {
  return packChannel(red, pf.redMask, pf.redAdjust, pf.redPos) |
         packChannel(green, pf.greenMask, pf.greenAdjust, pf.greenPos) |
         packChannel(blue, pf.blueMask, pf.blueAdjust, pf.bluePos);
}

void RK_unpackPixel(const PixelFormat &pf, uint32_t pixel, int *red, int *green, int *blue) {
  if (red) *red = unpackChannel(pixel, pf.redMask, pf.redAdjust, pf.redPos);
  if (green) *green = unpackChannel(pixel, pf.greenMask, pf.greenAdjust, pf.greenPos);
  if (blue) *blue = unpackChannel(pixel, pf.blueMask, pf.blueAdjust, pf.bluePos);
}

PixelFormat RK_pixelFormatFromChannels(int redSize, int redPos, int greenSize, int greenPos, int blueSize,
                                       int bluePos, int alphaSize, int alphaPos) {
  PixelFormat pf{};
  channel(redSize, redPos, &pf.redMask, &pf.redPos, &pf.redAdjust);
  channel(greenSize, greenPos, &pf.greenMask, &pf.greenPos, &pf.greenAdjust);
  channel(blueSize, bluePos, &pf.blueMask, &pf.bluePos, &pf.blueAdjust);
  channel(alphaSize, alphaPos, &pf.alphaMask, &pf.alphaPos, &pf.alphaAdjust);
  return pf;
}

PixelFormat RK_defaultPixelFormat(int bits) {
  switch (bits) {
    case 15:
      return RK_pixelFormatFromChannels(5, 10, 5, 5, 5, 0, 0, 0);
    case 16:
      return RK_pixelFormatFromChannels(5, 11, 6, 5, 5, 0, 0, 0);
    case 24:
    case 32:
      return RK_pixelFormatFromChannels(8, 16, 8, 8, 8, 0, 0, 0);
    default:
      return PixelFormat{};
  }
}

namespace {
int channelSize(int32_t mask) {
  int size = 0;
  for (uint32_t m = static_cast<uint32_t>(mask); m; m >>= 1) size += static_cast<int>(m & 1);
  return size;
}
}  // namespace

void RK_describeChannels(DeviceContext *dc) {
  const PixelFormat &pf = dc->pixelFormat;
  dc->redSize = channelSize(pf.redMask);
  dc->redPos = pf.redPos;
  dc->greenSize = channelSize(pf.greenMask);
  dc->greenPos = pf.greenPos;
  dc->blueSize = channelSize(pf.blueMask);
  dc->bluePos = pf.bluePos;
  dc->alphaSize = channelSize(pf.alphaMask);
  dc->alphaPos = pf.alphaPos;
}

uint32_t RK_maxColorOfDepth(int bits) {
  if (bits >= 32) return 0xFFFFFFFFu;
  return (1u << bits) - 1u;
}

uint32_t RK_mapColorIndex(const DeviceContext *dc, int index) {
  if (!dc) return 0;
  dc = RK_resolveContext(const_cast<DeviceContext *>(dc));
  if (dc->maxColor >= 256 || dc->attributes.paletteMapped == 1) {
    // Only the 256 entries exist; anything else maps to pixel 0.
    if (!dc->palette || index < 0 || index > 255) return 0;
    uint32_t word;
    std::memcpy(&word, &dc->palette[index], sizeof word);
    return word;
  }
  return static_cast<uint32_t>(index);
}

void RK_setDrawColor(int index) {
  if (!RK_currentContext()) return;
  DeviceContext *m = RK_currentMirror();
  const uint32_t pixel = RK_mapColorIndex(m, index);
  m->attributes.color = pixel;
  if (m->driver.setColor) m->driver.setColor(m, pixel);
}
