#include "bmp_file.h"

#include "tools/bmpwrite/bmp_write.h"

bool writeBitmapFile(const std::string &path, const IndexedImage &image, const Palette &palette,
                     int colourCount) {
  PaletteEntry entries[256] = {};
  for (int i = 0; i < 256 && i < colourCount; ++i) {
    entries[i] = PaletteEntry{palette[i].b, palette[i].g, palette[i].r, 0};
  }
  return writeBmp8(path, image.pixels.data(), image.width, image.height, image.width, entries);
}
