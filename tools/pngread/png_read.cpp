#include "tools/pngread/png_read.h"

#include <png.h>

#include <cerrno>
#include <cmath>
#include <csetjmp>
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

// libpng reports errors by jumping back to the setjmp of the call that
// failed; the functions that call setjmp hold nothing that needs a destructor.
struct Decoder {
  png_structp png = nullptr;
  png_infop info = nullptr;
  std::string message;

  Decoder() {
    png = png_create_read_struct(PNG_LIBPNG_VER_STRING, this, onError, onWarning);
    if (png) info = png_create_info_struct(png);
  }
  ~Decoder() { png_destroy_read_struct(&png, &info, nullptr); }
  Decoder(const Decoder &) = delete;
  Decoder &operator=(const Decoder &) = delete;

  static void onError(png_structp png, png_const_charp text) {
    static_cast<Decoder *>(png_get_error_ptr(png))->message = text;
    png_longjmp(png, 1);
  }
  // Ancillary oddities (a bad text chunk, say) don't change the pixels.
  static void onWarning(png_structp, png_const_charp) {}
};

bool readHeader(Decoder &d, std::FILE *file) {
  if (setjmp(png_jmpbuf(d.png))) return false;
  png_init_io(d.png, file);
  png_read_info(d.png, d.info);
  return true;
}

// libpng's own transformations bring every colour type and bit depth (and
// palette, transparency chunk and interlacing) to one layout: red, green,
// blue, alpha, 16 bits each, big-endian.
bool askForRgba16(Decoder &d) {
  if (setjmp(png_jmpbuf(d.png))) return false;
  png_set_expand(d.png);
  png_set_expand_16(d.png);
  png_set_gray_to_rgb(d.png);
  png_set_add_alpha(d.png, 0xffff, PNG_FILLER_AFTER);
  png_set_interlace_handling(d.png);
  png_read_update_info(d.png, d.info);
  return true;
}

bool readRows(Decoder &d, png_bytep *rows) {
  if (setjmp(png_jmpbuf(d.png))) return false;
  png_read_image(d.png, rows);
  png_read_end(d.png, nullptr);
  return true;
}

// The file's gamma as browsers take it: an sRGB or ICC profile chunk rules
// over gAMA; a gAMA alone means the samples are that power of the light.
// Zero when the samples are taken as sRGB-encoded, as they are without any
// of these chunks whatever the bit depth.
double fileGamma(const Decoder &d) {
  if (png_get_valid(d.png, d.info, PNG_INFO_sRGB | PNG_INFO_iCCP)) return 0;
  double gamma = 0;
  if (!png_get_gAMA(d.png, d.info, &gamma) || !(gamma > 0) || !std::isfinite(gamma)) return 0;
  return gamma;
}

double srgbFromLinear(double light) {
  return light <= 0.0031308 ? light * 12.92 : 1.055 * std::pow(light, 1 / 2.4) - 0.055;
}

uint8_t eightBits(unsigned sample16) {
  return uint8_t((sample16 * 255 + 32767) / 65535);
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

  Decoder d;
  if (!d.info) return failed(PngReadResult::Damaged, out, error, path + ": out of memory");
  auto damaged = [&] {
    return failed(PngReadResult::Damaged, out, error, path + ": damaged PNG picture (" + d.message + ")");
  };
  if (!readHeader(d, in.file)) return damaged();
  const png_uint_32 width = png_get_image_width(d.png, d.info), height = png_get_image_height(d.png, d.info);
  if (width > png_uint_32(limits.maxSide) || height > png_uint_32(limits.maxSide) ||
      int64_t(width) * height > limits.maxPixels)
    return failed(PngReadResult::TooLarge, out, error,
                  path + ": " + std::to_string(width) + "x" + std::to_string(height) +
                      " pixels is too large (at most " + std::to_string(limits.maxSide) + " a side and " +
                      std::to_string(limits.maxPixels) + " in all); scale it down first");
  if (!askForRgba16(d)) return damaged();
  const size_t rowBytes = size_t(width) * 8;
  if (png_get_rowbytes(d.png, d.info) != rowBytes) return damaged();
  std::vector<png_byte> samples(rowBytes * height);
  std::vector<png_bytep> rows(height);
  for (png_uint_32 y = 0; y < height; ++y) rows[y] = samples.data() + y * rowBytes;
  if (!readRows(d, rows.data())) return damaged();

  // Each colour sample to 8-bit sRGB once; alpha is coverage, not light, and
  // is only narrowed.
  std::vector<uint8_t> colour(65536);
  const double gamma = fileGamma(d);
  for (unsigned v = 0; v < 65536; ++v)
    colour[v] = gamma > 0 ? uint8_t(std::lround(255 * srgbFromLinear(std::pow(v / 65535.0, 1 / gamma))))
                          : eightBits(v);
  out.width = int(width);
  out.height = int(height);
  out.rgba.resize(size_t(width) * height * 4);
  for (size_t i = 0; i < out.rgba.size(); ++i) {
    const unsigned v = unsigned(samples[2 * i]) << 8 | samples[2 * i + 1];
    out.rgba[i] = i % 4 == 3 ? eightBits(v) : colour[v];
  }
  return PngReadResult::Read;
}
