#include "bmp_file.h"

#include <cstdio>
#include <vector>

namespace {

void put16(std::vector<uint8_t> &out, uint32_t v) {
  out.push_back(uint8_t(v));
  out.push_back(uint8_t(v >> 8));
}

void put32(std::vector<uint8_t> &out, uint32_t v) {
  put16(out, v & 0xFFFF);
  put16(out, v >> 16);
}

}  // namespace

bool writeBitmapFile(const std::string &path, const IndexedImage &image, const Palette &palette,
                     int colourCount) {
  const uint32_t bytesPerLine = (uint32_t(image.width) + 3) & ~3u;
  const uint32_t pixelBytes = bytesPerLine * uint32_t(image.height);
  const uint32_t pixelOffset = 14 + 40 + 256 * 4;
  std::vector<uint8_t> out;
  out.reserve(pixelOffset + pixelBytes);
  out.push_back('B');
  out.push_back('M');
  put32(out, pixelOffset + pixelBytes);
  put32(out, 0);
  put32(out, pixelOffset);
  put32(out, 40);
  put32(out, uint32_t(image.width));
  put32(out, uint32_t(image.height));  // positive: bottom row first
  put16(out, 1);                       // planes
  put16(out, 8);                       // bits per pixel
  put32(out, 0);                       // no compression
  put32(out, pixelBytes);
  put32(out, 2835);  // 72 dots per inch
  put32(out, 2835);
  put32(out, 256);  // colours in the table
  put32(out, 0);
  for (int i = 0; i < 256; ++i) {
    const bool used = i < colourCount;
    out.push_back(used ? palette[i].b : 0);
    out.push_back(used ? palette[i].g : 0);
    out.push_back(used ? palette[i].r : 0);
    out.push_back(0);
  }
  for (int y = image.height - 1; y >= 0; --y) {
    for (int x = 0; x < image.width; ++x) out.push_back(image.at(x, y));
    for (uint32_t pad = uint32_t(image.width); pad < bytesPerLine; ++pad) out.push_back(0);
  }
  FILE *f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return false;
  const bool written = std::fwrite(out.data(), 1, out.size(), f) == out.size();
  return std::fclose(f) == 0 && written;
}
