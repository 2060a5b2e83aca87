// The program's icon as mkassets draws it: PNG files a desktop can read, in
// every size, the ball on a transparent ground, and the window icon the
// programs carry made of the same pixels.
#include <png.h>

#include <fstream>
#include <regex>
#include <sstream>

#include "content_support.h"

namespace {

using content::binaryDir;

struct Picture {
  int width = 0, height = 0;
  std::vector<uint8_t> rgba;
};

// Reads any PNG as 8-bit RGBA through libpng's simplified reader.
bool readPng(const std::string &path, Picture &out) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
  image.format = PNG_FORMAT_RGBA;
  out.width = int(image.width);
  out.height = int(image.height);
  out.rgba.assign(PNG_IMAGE_SIZE(image), 0);
  return png_image_finish_read(&image, nullptr, out.rgba.data(), 0, nullptr) != 0;
}

const uint8_t *pixel(const Picture &p, int x, int y) {
  return &p.rgba[(size_t(y) * p.width + x) * 4];
}

std::string iconPath(int size) {
  return binaryDir() + "/icons/kelvaro-" + std::to_string(size) + ".png";
}

TEST(ProgramIcon, EverySizeIsTheBallOnATransparentGround) {
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    SCOPED_TRACE(size);
    Picture p;
    ASSERT_TRUE(readPng(iconPath(size), p));
    ASSERT_EQ(p.width, size);
    ASSERT_EQ(p.height, size);
    for (auto [x, y] : {std::pair{0, 0}, std::pair{size - 1, 0}, std::pair{0, size - 1}, std::pair{size - 1, size - 1}})
      EXPECT_EQ(pixel(p, x, y)[3], 0) << "corner " << x << "," << y;
    int opaque = 0, soft = 0, greenish = 0, bluish = 0;
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) {
        const uint8_t *c = pixel(p, x, y);
        if (c[3] == 255) ++opaque;
        if (c[3] > 0 && c[3] < 255) ++soft;
        if (c[3] == 255 && c[1] > c[0] && c[1] > c[2]) ++greenish;
        if (c[3] == 255 && c[2] > c[0] && c[2] > c[1]) ++bluish;
      }
    }
    // A disc filling most of the square, with a blended rim, in the ball's
    // two colours.
    EXPECT_GT(opaque, size * size / 2);
    EXPECT_LT(opaque, size * size * 3 / 4);
    EXPECT_GT(soft, size);
    EXPECT_GT(greenish, size * size / 10);
    EXPECT_GT(bluish, size * size / 10);
  }
}

TEST(ProgramIcon, TheWindowIconHoldsTheSamePixelsAsItsPng) {
  std::ifstream in(binaryDir() + "/icons/kelvaro_window_icon.h");
  std::stringstream text;
  text << in.rdbuf();
  const std::string source = text.str();
  std::smatch size;
  ASSERT_TRUE(std::regex_search(source, size, std::regex("kelvaroWindowIconSize = ([0-9]+);")));
  const int n = std::stoi(size[1]);
  std::vector<uint32_t> words;
  const std::regex word("0x([0-9A-F]{8})u");
  for (auto it = std::sregex_iterator(source.begin(), source.end(), word); it != std::sregex_iterator(); ++it)
    words.push_back(uint32_t(std::stoul((*it)[1], nullptr, 16)));
  Picture p;
  ASSERT_TRUE(readPng(iconPath(n), p));
  ASSERT_EQ(words.size(), size_t(n) * n);
  for (int i = 0; i < n * n; ++i) {
    const uint8_t *c = &p.rgba[size_t(i) * 4];
    const uint32_t argb = uint32_t(c[3]) << 24 | uint32_t(c[0]) << 16 | uint32_t(c[1]) << 8 | c[2];
    ASSERT_EQ(words[i], argb) << "pixel " << i;
  }
}

TEST(ProgramIcon, GeneratorWritesTheSameBytesOnEveryRun) {
  const auto dir = content::scratchDir("icons");
  ASSERT_EQ(content::run(binaryDir() + "/tools/mkassets/mkassets --icons " + dir.string()), 0);
  for (int size : {16, 64, 256})
    EXPECT_TRUE(content::readBytes((dir / ("kelvaro-" + std::to_string(size) + ".png")).string()) ==
                content::readBytes(iconPath(size)))
        << size;
  EXPECT_TRUE(content::readBytes((dir / "kelvaro_window_icon.h").string()) ==
              content::readBytes(binaryDir() + "/icons/kelvaro_window_icon.h"));
}

}  // namespace
