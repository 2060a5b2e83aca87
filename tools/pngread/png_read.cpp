#include "tools/pngread/png_read.h"

#include <png.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

struct OpenFile {
  std::FILE *file;
  explicit OpenFile(const std::string &path) : file(std::fopen(path.c_str(), "rb")) {}
  ~OpenFile() {
    if (file) std::fclose(file);
  }
  OpenFile(const OpenFile &) = delete;
  OpenFile &operator=(const OpenFile &) = delete;
};

PngReadResult failed(PngReadResult result, RgbaPicture &out, std::string &error, std::string text) {
  out = RgbaPicture{};
  error = std::move(text);
  return result;
}

}  // namespace

PngReadResult readPngFile(const std::string &path, RgbaPicture &out, std::string &error,
                          const PngLimits &limits) {
  OpenFile in(path);
  if (!in.file) return failed(PngReadResult::Unreadable, out, error, path + ": " + std::strerror(errno));

  // The signature first, so that a BMP or a JPEG is named as what it is not
  // rather than reported as a damaged PNG.
  png_byte signature[8] = {};
  const size_t got = std::fread(signature, 1, sizeof signature, in.file);
  if (std::ferror(in.file))
    return failed(PngReadResult::Unreadable, out, error, path + ": " + std::strerror(errno));
  if (got < sizeof signature || png_sig_cmp(signature, 0, sizeof signature) != 0)
    return failed(PngReadResult::NotPng, out, error, path + ": not a PNG picture");
  std::rewind(in.file);

  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_stdio(&image, in.file)) {
    std::string why = image.message;
    png_image_free(&image);
    return failed(PngReadResult::Damaged, out, error, path + ": damaged PNG picture (" + why + ")");
  }
  const int64_t width = image.width, height = image.height;
  if (width > limits.maxSide || height > limits.maxSide || width * height > limits.maxPixels) {
    png_image_free(&image);
    return failed(PngReadResult::TooLarge, out, error,
                  path + ": " + std::to_string(width) + "x" + std::to_string(height) +
                      " pixels is too large (at most " + std::to_string(limits.maxSide) + " a side and " +
                      std::to_string(limits.maxPixels) + " in all); scale it down first");
  }
  image.format = PNG_FORMAT_RGBA;
  out.width = int(width);
  out.height = int(height);
  out.rgba.assign(size_t(PNG_IMAGE_SIZE(image)), 0);
  if (!png_image_finish_read(&image, nullptr, out.rgba.data(), 0, nullptr)) {
    std::string why = image.message;
    png_image_free(&image);
    return failed(PngReadResult::Damaged, out, error, path + ": damaged PNG picture (" + why + ")");
  }
  return PngReadResult::Read;
}
