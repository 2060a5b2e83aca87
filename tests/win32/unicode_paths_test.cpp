// The programs name their files in UTF-8 and must find and write them in
// folders whose names no Western ANSI code page can spell (a Cyrillic user
// name): their manifest makes UTF-8 the code page of the narrow file calls.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "common/portable.h"
#include "tools/bmpwrite/bmp_write.h"

namespace {

std::string narrow(const std::u8string &utf8) {
  return std::string(utf8.begin(), utf8.end());
}

std::string contents(const std::filesystem::path &path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

TEST(UnicodePaths, FilesAreReadAndPicturesReplacedInACyrillicFolder) {
  const std::filesystem::path dir = portable::makeTempFolder("kelvaro-unicode-");
  const std::u8string name = u8"Пользователь";
  const std::filesystem::path folder = dir / name;
  ASSERT_TRUE(std::filesystem::create_directory(folder));
  const std::string folderUtf8 = dir.string() + "/" + narrow(name);

  // A course file put there by someone else is read by its UTF-8 name.
  std::ofstream(folder / u8"inp1.txt", std::ios::binary) << "b:1,2,3;";
  std::FILE *in = std::fopen((folderUtf8 + "/inp1.txt").c_str(), "rb");
  ASSERT_NE(in, nullptr);
  char text[16] = {};
  EXPECT_EQ(std::fread(text, 1, sizeof text, in), 8u);
  std::fclose(in);
  EXPECT_STREQ(text, "b:1,2,3;");

  // A picture written twice under a UTF-8 name lies under that name on disk,
  // holding the second picture, with nothing left beside it.
  const std::string shot = folderUtf8 + "/" + narrow(u8"Снимок.bmp");
  PaletteEntry palette[256] = {};
  const uint8_t first[4] = {1, 1, 1, 1}, second[4] = {2, 2, 2, 2};
  ASSERT_TRUE(writeBmp8(shot, first, 2, 2, 2, palette));
  ASSERT_TRUE(writeBmp8(shot, second, 2, 2, 2, palette));
  const std::string bytes = contents(folder / u8"Снимок.bmp");
  ASSERT_GT(bytes.size(), 4u);
  EXPECT_EQ(bytes[bytes.size() - 4], '\2');
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()),
            2);
  std::filesystem::remove_all(dir);
}
