// PNG files of every colour type and bit depth, interlaced or not, with and
// without a transparency chunk and a gamma chunk, read as another decoder
// (ImageMagick) shows them: the pixels must agree within one step.
#include <gtest/gtest.h>
#include <png.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <csetjmp>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "common/portable.h"
#include "tools/pngread/png_read.h"

namespace fs = std::filesystem;

namespace {

struct PngKind {
  int colourType;
  int bitDepth;
  bool interlaced;
  bool transparency;  // a tRNS chunk
  double gamma;       // a gAMA chunk's value, 0 for none
};

std::string describe(const PngKind &k) {
  return "colour type " + std::to_string(k.colourType) + ", " + std::to_string(k.bitDepth) + " bits" +
         (k.interlaced ? ", interlaced" : "") + (k.transparency ? ", tRNS" : "") +
         (k.gamma > 0 ? ", gAMA " + std::to_string(k.gamma) : "");
}

int channelsOf(int colourType) {
  switch (colourType) {
    case PNG_COLOR_TYPE_GRAY_ALPHA:
      return 2;
    case PNG_COLOR_TYPE_RGB:
      return 3;
    case PNG_COLOR_TYPE_RGB_ALPHA:
      return 4;
    default:
      return 1;
  }
}

bool writeRows(png_structp png, png_infop info, std::FILE *file, png_bytep *rows) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_init_io(png, file);
  png_write_info(png, info);
  png_write_image(png, rows);
  png_write_end(png, info);
  return true;
}

// Random samples of the kind's depth; transparency picks a colour the
// picture holds (or, for a palette, gives entries varied alphas).
bool writeKind(const std::string &path, const PngKind &k, int width, int height, unsigned seed) {
  std::mt19937 random(seed);
  const unsigned top = (1u << k.bitDepth) - 1;
  const int channels = channelsOf(k.colourType);
  std::vector<unsigned> samples(size_t(width) * size_t(height) * size_t(channels));
  for (unsigned &s : samples) s = random() % (top + 1);

  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), k.bitDepth, k.colourType,
               k.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  std::vector<png_color> palette(top + 1);
  std::vector<png_byte> paletteAlpha(top + 1);
  if (k.colourType == PNG_COLOR_TYPE_PALETTE) {
    for (png_color &c : palette) c = {png_byte(random()), png_byte(random()), png_byte(random())};
    png_set_PLTE(png, info, palette.data(), int(palette.size()));
  }
  if (k.transparency) {
    if (k.colourType == PNG_COLOR_TYPE_PALETTE) {
      for (png_byte &a : paletteAlpha) a = png_byte(random());
      png_set_tRNS(png, info, paletteAlpha.data(), int(paletteAlpha.size()), nullptr);
    } else {
      png_color_16 key{};
      key.gray = png_uint_16(samples[0]);
      if (k.colourType == PNG_COLOR_TYPE_RGB)
        key.red = png_uint_16(samples[0]), key.green = png_uint_16(samples[1]),
        key.blue = png_uint_16(samples[2]);
      png_set_tRNS(png, info, nullptr, 0, &key);
    }
  }
  if (k.gamma > 0) png_set_gAMA(png, info, k.gamma);

  // Samples packed as the file keeps them: high bits first, 16-bit big-endian.
  const size_t rowBytes = (size_t(width) * size_t(channels) * size_t(k.bitDepth) + 7) / 8;
  std::vector<png_byte> bytes(rowBytes * size_t(height), 0);
  std::vector<png_bytep> rows(static_cast<size_t>(height));
  for (int y = 0; y < height; ++y) {
    png_bytep row = rows[size_t(y)] = bytes.data() + size_t(y) * rowBytes;
    for (int i = 0; i < width * channels; ++i) {
      const unsigned v = samples[size_t(y) * size_t(width * channels) + size_t(i)];
      if (k.bitDepth == 16) {
        row[2 * i] = png_byte(v >> 8);
        row[2 * i + 1] = png_byte(v);
      } else {
        const int bit = i * k.bitDepth;
        row[bit / 8] = png_byte(row[bit / 8] | v << (8 - k.bitDepth - bit % 8));
      }
    }
  }
  std::FILE *file = std::fopen(path.c_str(), "wb");
  const bool written = file && writeRows(png, info, file, rows.data());
  if (file) std::fclose(file);
  png_destroy_write_struct(&png, &info);
  return written;
}

std::string imageMagick() {
  for (const char *name : {"magick", "convert"})
    if (std::system((std::string("command -v ") + name + " >/dev/null 2>&1").c_str()) == 0) return name;
  return "";
}

// ImageMagick's pixels, as browsers show them: a gamma chunk's samples are
// that power of the light, brought to sRGB.
std::vector<uint8_t> referencePixels(const std::string &magick, const std::string &png, const PngKind &k,
                                     const std::string &raw) {
  std::string command = magick + " " + png;
  if (k.gamma > 0)
    command += " -set colorspace sRGB -channel RGB -gamma " + std::to_string(k.gamma) +
               " +channel -set colorspace RGB -colorspace sRGB";
  command += " -depth 8 rgba:" + raw + " 2>/dev/null";
  if (std::system(command.c_str()) != 0) return {};
  std::ifstream in(raw, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

TEST(PngReading, EveryKindOfFileReadsAsAnotherDecoderShowsIt) {
  const std::string magick = imageMagick();
  if (magick.empty()) GTEST_SKIP() << "ImageMagick is missing (bash tools/setup.sh installs it)";
  const fs::path dir = portable::makeTempFolder("kelvaro-pngread-");
  const std::string png = (dir / "kind.png").string(), raw = (dir / "kind.rgba").string();

  struct Depths {
    int colourType;
    std::vector<int> depths;
  } const types[] = {
      {PNG_COLOR_TYPE_GRAY, {1, 2, 4, 8, 16}}, {PNG_COLOR_TYPE_RGB, {8, 16}},
      {PNG_COLOR_TYPE_PALETTE, {1, 2, 4, 8}},  {PNG_COLOR_TYPE_GRAY_ALPHA, {8, 16}},
      {PNG_COLOR_TYPE_RGB_ALPHA, {8, 16}},
  };
  // 13x11: every Adam7 pass is partly filled, and rows end mid-byte.
  const int width = 13, height = 11;
  unsigned seed = 1;
  int files = 0;
  for (const Depths &t : types)
    for (int depth : t.depths)
      for (bool interlaced : {false, true})
        for (bool transparency : {false, true})
          for (double gamma : {0.0, 1.0, 0.6}) {
            if (transparency && (t.colourType & PNG_COLOR_MASK_ALPHA)) continue;
            const PngKind kind{t.colourType, depth, interlaced, transparency, gamma};
            SCOPED_TRACE(describe(kind));
            ASSERT_TRUE(writeKind(png, kind, width, height, seed++));
            const std::vector<uint8_t> want = referencePixels(magick, png, kind, raw);
            ASSERT_EQ(want.size(), size_t(width * height * 4)) << "ImageMagick could not read it";
            RgbaPicture got;
            std::string error;
            ASSERT_EQ(readPngFile(png, got, error), PngReadResult::Read) << error;
            ASSERT_EQ(got.width, width);
            ASSERT_EQ(got.height, height);
            int worst = 0;
            size_t worstAt = 0;
            for (size_t i = 0; i < want.size(); ++i)
              if (std::abs(int(got.rgba[i]) - int(want[i])) > worst)
                worst = std::abs(int(got.rgba[i]) - int(want[i])), worstAt = i;
            EXPECT_LE(worst, 1) << "pixel " << worstAt / 4 << " channel " << worstAt % 4 << ": read "
                                << int(got.rgba[worstAt]) << ", shown " << int(want[worstAt]);
            ++files;
          }
  EXPECT_EQ(files, 156);
  fs::remove_all(dir);
}
