// Pictures for the converter tests, and PNG files written from them with
// libpng's own writer.
#pragma once

#include <png.h>

#include <cstring>
#include <string>
#include <vector>

#include "graphics/rk_types.h"
#include "tools/pngread/png_read.h"

namespace convertfiles {

inline RgbaPicture blankPicture(int width, int height) {
  RgbaPicture p;
  p.width = width;
  p.height = height;
  p.rgba.assign(size_t(width) * size_t(height) * 4, 255);
  return p;
}

inline void setPixel(RgbaPicture &p, int x, int y, uint8_t r, uint8_t g, uint8_t b, uint8_t a = 255) {
  uint8_t *px = p.rgba.data() + (size_t(y) * size_t(p.width) + size_t(x)) * 4;
  px[0] = r;
  px[1] = g;
  px[2] = b;
  px[3] = a;
}

// Every usable entry's colour once, in a scrambled order, `width` a row.
inline RgbaPicture paletteColours(const PaletteEntry *entries, int count, int width) {
  const int height = (count + width - 1) / width;
  RgbaPicture p = blankPicture(width, height);
  for (int i = 0; i < width * height; ++i) {
    const PaletteEntry &e = entries[(i * 37 + 11) % count];
    setPixel(p, i % width, i / width, e.red, e.green, e.blue);
  }
  return p;
}

// The index a palette colour must come back as: its first occurrence.
inline int firstWithColour(const PaletteEntry *entries, const uint8_t *rgb) {
  for (int i = 0;; ++i)
    if (entries[i].red == rgb[0] && entries[i].green == rgb[1] && entries[i].blue == rgb[2]) return i;
}

inline bool writePng(const std::string &path, const RgbaPicture &p) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = png_uint_32(p.width);
  image.height = png_uint_32(p.height);
  image.format = PNG_FORMAT_RGBA;
  return png_image_write_to_file(&image, path.c_str(), 0, p.rgba.data(), 0, nullptr) != 0;
}

}  // namespace convertfiles
