#include "tools/bmpwrite/bmp_write.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>

namespace {

constexpr uint32_t FileHeaderSize = 14;
constexpr uint32_t InfoHeaderSize = 40;
constexpr uint32_t PaletteSize = 256 * 4;

void put16(std::vector<uint8_t> &out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

void put32(std::vector<uint8_t> &out, uint32_t v) {
  put16(out, v & 0xFFFF);
  put16(out, v >> 16);
}

}  // namespace

std::vector<uint8_t> encodeBmp8(const uint8_t *pixels, int width, int height, int bytesPerLine,
                                const PaletteEntry palette[256]) {
  const uint32_t w = width > 0 ? static_cast<uint32_t>(width) : 0;
  const uint32_t h = height > 0 ? static_cast<uint32_t>(height) : 0;
  const uint32_t rowSize = (w + 3) & ~3u;  // rows padded to 4 bytes
  const uint32_t dataOffset = FileHeaderSize + InfoHeaderSize + PaletteSize;
  const uint32_t imageSize = rowSize * h;

  std::vector<uint8_t> out;
  out.reserve(dataOffset + imageSize);
  out.push_back('B');
  out.push_back('M');
  put32(out, dataOffset + imageSize);
  put32(out, 0);  // reserved
  put32(out, dataOffset);

  put32(out, InfoHeaderSize);
  put32(out, w);
  put32(out, h);  // positive height: bottom-up
  put16(out, 1);  // planes
  put16(out, 8);  // bits per pixel
  put32(out, 0);  // no compression
  put32(out, imageSize);
  put32(out, 2835);  // 72 dots per inch
  put32(out, 2835);
  put32(out, 256);  // colours used
  put32(out, 0);    // all colours important

  for (int i = 0; i < 256; ++i) {
    out.push_back(palette[i].blue);
    out.push_back(palette[i].green);
    out.push_back(palette[i].red);
    out.push_back(0);
  }

  for (uint32_t row = h; row-- > 0;) {
    const uint8_t *line = pixels + static_cast<size_t>(row) * static_cast<size_t>(bytesPerLine);
    out.insert(out.end(), line, line + w);
    out.insert(out.end(), rowSize - w, 0);
  }
  return out;
}

bool writeBmp8(const std::string &path, const uint8_t *pixels, int width, int height, int bytesPerLine,
               const PaletteEntry palette[256]) {
  const std::vector<uint8_t> image = encodeBmp8(pixels, width, height, bytesPerLine, palette);
  // Written beside the target and renamed over it once complete, so that a
  // failed write or an end in the middle never leaves a truncated picture
  // under the name asked for.
  const std::string temporary = path + ".part";
  std::FILE *f = std::fopen(temporary.c_str(), "wb");
  if (!f) return false;
  const bool written = std::fwrite(image.data(), 1, image.size(), f) == image.size();
  const bool closed = std::fclose(f) == 0;
  if (written && closed) {
    // std::rename does not replace an existing file on Windows; this does,
    // on every system. The names are UTF-8 (the programs' code page on
    // Windows too): a path made from char8_t is read as UTF-8 everywhere,
    // one made from char is not on Windows.
    std::error_code renamed;
    std::filesystem::rename(std::u8string(temporary.begin(), temporary.end()),
                            std::u8string(path.begin(), path.end()), renamed);
    if (!renamed) return true;
    if (renamed.category() == std::generic_category()) errno = renamed.value();
  }
  const int reason = errno;
  std::remove(temporary.c_str());
  errno = reason;
  return false;
}
