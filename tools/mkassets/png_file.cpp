#include "png_file.h"

#include <png.h>

#include <cstdio>

namespace {

// libpng reports errors by a long jump; everything that needs freeing is
// freed after it, in the caller.
bool writeRows(png_structp png, png_infop info, std::FILE *file, int width, int height,
               const std::vector<png_bytep> &rows) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_init_io(png, file);
  png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_compression_level(png, 9);
  png_write_info(png, info);
  png_write_image(png, const_cast<png_bytepp>(rows.data()));
  png_write_end(png, nullptr);
  return true;
}

}  // namespace

bool writePngFile(const std::string &path, int width, int height, const std::vector<uint8_t> &rgba) {
  if (width <= 0 || height <= 0 || rgba.size() != std::size_t(width) * height * 4) return false;
  std::FILE *file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  std::vector<png_bytep> rows(static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y) rows[y] = const_cast<png_bytep>(&rgba[std::size_t(y) * width * 4]);
  const bool written = info && writeRows(png, info, file, width, height, rows);
  png_destroy_write_struct(&png, info ? &info : nullptr);
  return std::fclose(file) == 0 && written;
}
