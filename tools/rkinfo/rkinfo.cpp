// rkinfo: what Rasterkit makes of a bitmap or font file.
//
//   rkinfo FILE.bmp [--ppm OUT.ppm]
//   rkinfo FILE.fnt [--text STRING --pgm OUT.pgm]
//
// The kind of file is decided by its content ("BM" starts a bitmap); a file
// that cannot be read is taken by its extension (".bmp" for bitmaps), and
// everything else is read as a font.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "graphics/image_pixels.h"
#include "graphics/rasterkit.h"
#include "graphics/rk_font.h"

namespace {

struct Options {
  const char *file = nullptr;
  const char *ppm = nullptr;
  const char *text = nullptr;
  const char *pgm = nullptr;
};

int usage() {
  std::fputs("usage: rkinfo FILE.bmp [--ppm OUT.ppm]\n       rkinfo FILE.fnt [--text STRING --pgm OUT.pgm]\n",
             stderr);
  return 1;
}

int libraryError() {
  std::fprintf(stderr, "%s\n", RK_errorText(RK_lastError()));
  return 1;
}

bool parse(int argc, char **argv, Options &o) {
  for (int i = 1; i < argc; ++i) {
    const char *a = argv[i];
    auto value = [&](const char *&slot) {
      if (i + 1 >= argc) return false;
      slot = argv[++i];
      return true;
    };
    if (std::strcmp(a, "--ppm") == 0) {
      if (!value(o.ppm)) return false;
    } else if (std::strcmp(a, "--text") == 0) {
      if (!value(o.text)) return false;
    } else if (std::strcmp(a, "--pgm") == 0) {
      if (!value(o.pgm)) return false;
    } else if (!o.file && a[0] != '-') {
      o.file = a;
    } else {
      return false;
    }
  }
  return o.file && (o.text == nullptr) == (o.pgm == nullptr);
}

bool looksLikeBitmap(const char *path) {
  if (FILE *f = std::fopen(path, "rb")) {
    char sig[2] = {};
    size_t got = std::fread(sig, 1, 2, f);
    std::fclose(f);
    if (got == 2) return sig[0] == 'B' && sig[1] == 'M';
  }
  std::string name(path);
  if (name.size() < 4) return false;
  std::string ext = name.substr(name.size() - 4);
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::tolower(c)); });
  return ext == ".bmp";
}

bool writeFile(const char *path, const std::string &header, const std::vector<uint8_t> &body) {
  FILE *f = std::fopen(path, "wb");
  if (!f) return false;
  bool ok = std::fwrite(header.data(), 1, header.size(), f) == header.size() &&
            std::fwrite(body.data(), 1, body.size(), f) == body.size();
  return std::fclose(f) == 0 && ok;
}

// A channel of `mask` bits at `pos`, widened to 0..255 as picture viewers
// do: the bits are repeated below themselves, so the largest value becomes
// 255 (a 5-bit 31 is 255, not 248) and 0 stays 0.
int fullRangeChannel(uint32_t pixel, int32_t mask, int32_t pos) {
  if (mask <= 0 || pos < 0 || pos > 31) return 0;
  const uint32_t m = uint32_t(mask);
  int width = 0;
  while (width < 32 && (m >> width) & 1u) ++width;
  const uint32_t value = (pixel >> pos) & m;
  if (width >= 8) return int(value >> (width - 8));
  uint32_t wide = 0;
  for (int filled = 0; filled < 8; filled += width) wide = (wide << width) | value;
  // `wide` now holds at least 8 bits; keep the top 8.
  int total = ((8 + width - 1) / width) * width;
  return int(wide >> (total - 8));
}

bool writePpm(const char *path, const Bitmap *b) {
  std::vector<uint8_t> rgb;
  rgb.reserve(size_t(b->width) * size_t(b->height) * 3);
  for (int y = 0; y < b->height; ++y)
    for (int x = 0; x < b->width; ++x) {
      const uint32_t p = rkimg::readPixel(b->surface + int64_t(y) * b->bytesPerLine, x, b->bitsPerPixel);
      int r = 0, g = 0, bl = 0;
      if (b->bitsPerPixel <= 8) {
        if (b->palette) {
          r = b->palette[p].red;
          g = b->palette[p].green;
          bl = b->palette[p].blue;
        }
      } else if (b->pixelFormat) {
        const PixelFormat &pf = *b->pixelFormat;
        r = fullRangeChannel(p, pf.redMask, pf.redPos);
        g = fullRangeChannel(p, pf.greenMask, pf.greenPos);
        bl = fullRangeChannel(p, pf.blueMask, pf.bluePos);
      }
      rgb.push_back(uint8_t(r));
      rgb.push_back(uint8_t(g));
      rgb.push_back(uint8_t(bl));
    }
  return writeFile(path, "P6\n" + std::to_string(b->width) + " " + std::to_string(b->height) + "\n255\n",
                   rgb);
}

int bitmapInfo(const Options &o) {
  Bitmap *b = RK_readBitmapFile(o.file, 1);
  if (!b) return libraryError();
  std::printf("bitmap %d %d %d %d\n", b->width, b->height, b->bitsPerPixel, b->bytesPerLine);
  int status = 0;
  if (o.ppm && !writePpm(o.ppm, b)) {
    std::fprintf(stderr, "rkinfo: cannot write %s\n", o.ppm);
    status = 1;
  }
  RK_freeBitmap(b);
  return status;
}

// Draws the text at (0, 0), top-left, ink 255 on paper 0, into an 8-bit
// context just large enough, and writes it as a PGM.
int drawText(const Options &o, const Font *font) {
  DeviceContext *probe = RK_openMemoryContext(1, 1, 8, nullptr);
  if (!probe) return libraryError();
  RK_selectContext(probe);
  if (!RK_selectFont(font)) {
    RK_selectContext(nullptr);
    RK_closeContext(probe);
    return libraryError();
  }
  const int width = std::max(RK_measureText(o.text), 1);
  RK_selectContext(nullptr);
  RK_closeContext(probe);
  const int height = std::max(font->fontHeight + 1, 1);
  DeviceContext *dc = RK_openMemoryContext(width, height, 8, nullptr);
  if (!dc) return libraryError();
  std::memset(dc->surface, 0, size_t(dc->bytesPerLine) * size_t(height));
  RK_selectContext(dc);
  RK_selectFont(font);
  RK_setDrawColor(255);
  RK_drawTextAt(0, 0, o.text);
  RK_selectContext(nullptr);
  std::vector<uint8_t> grey(size_t(width) * size_t(height));
  for (int y = 0; y < height; ++y)
    std::memcpy(grey.data() + size_t(y) * size_t(width), dc->surface + int64_t(y) * dc->bytesPerLine,
                size_t(width));
  RK_closeContext(dc);
  if (!writeFile(o.pgm, "P5\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n", grey)) {
    std::fprintf(stderr, "rkinfo: cannot write %s\n", o.pgm);
    return 1;
  }
  return 0;
}

int fontInfo(const Options &o) {
  Font *font = RK_readFontFile(o.file);
  if (!font) return libraryError();
  std::printf("font %d %d %d %d %s\n", font->fontType, font->fontHeight, font->ascent, font->maxWidth,
              font->name);
  std::fflush(stdout);
  int status = o.text ? drawText(o, font) : 0;
  RK_freeFont(font);
  return status;
}

}  // namespace

int main(int argc, char **argv) {
  Options o;
  if (!parse(argc, argv, o)) return usage();
  if (looksLikeBitmap(o.file)) {
    if (o.text) return usage();
    return bitmapInfo(o);
  }
  if (o.ppm) return usage();
  return fontInfo(o);
}
