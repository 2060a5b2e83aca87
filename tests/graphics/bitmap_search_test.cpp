// The resource search: the name as given, then under the library path, then
// under RK_ROOT; paths that would not fit are skipped.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "bitmap_writers.h"
#include "common/portable.h"
#include "graphics/rasterkit.h"
#include "graphics/rk_core_internal.h"

namespace fs = std::filesystem;
using namespace testfiles;

namespace {

class FileSearch : public testing::Test {
 protected:
  void SetUp() override {
    root = portable::makeTempFolder("rk-search-");
    previous = fs::current_path();
    fs::create_directories(root / "cwd");
    fs::create_directories(root / "lib" / "BITMAPS");
    fs::create_directories(root / "env" / "BITMAPS");
    fs::create_directories(root / "env" / "FONTS");
    fs::current_path(root / "cwd");
    portable::unsetEnv("RK_ROOT");
  }
  void TearDown() override {
    fs::current_path(previous);
    RK_storeLibraryPath("");
    portable::unsetEnv("RK_ROOT");
    fs::remove_all(root);
  }
  // A 1 x 1 picture whose only pixel is `value`.
  void picture(const fs::path &path, uint8_t value) {
    BmpFile f;
    f.colorTable = rampPalette(256);
    f.pixels = {value, 0, 0, 0};
    ASSERT_TRUE(writeFile(path.string(), bmpBytes(f)));
  }
  int loadedValue(const char *name) {
    Bitmap *b = RK_readBitmapFile(name, 0);
    int v = b ? b->surface[0] : -1;
    RK_freeBitmap(b);
    return v;
  }
  fs::path root, previous;
};

}  // namespace

TEST_F(FileSearch, CurrentDirectoryThenLibraryPathThenRoot) {
  picture(root / "cwd" / "pic.bmp", 1);
  picture(root / "lib" / "BITMAPS" / "pic.bmp", 2);
  picture(root / "env" / "BITMAPS" / "pic.bmp", 3);
  RK_storeLibraryPath((root / "lib").string().c_str());  // no trailing slash: one is added
  portable::setEnv("RK_ROOT", (root / "env").string());
  EXPECT_EQ(loadedValue("pic.bmp"), 1);
  fs::remove(root / "cwd" / "pic.bmp");
  EXPECT_EQ(loadedValue("pic.bmp"), 2);
  fs::remove(root / "lib" / "BITMAPS" / "pic.bmp");
  EXPECT_EQ(loadedValue("pic.bmp"), 3);
  char found[RK_PathMax];
  ASSERT_EQ(RK_findFileOnPath(found, "BITMAPS/", "pic.bmp", "rb"), 1);
  EXPECT_EQ(std::string(found), (root / "env").string() + "/BITMAPS/pic.bmp");
  portable::setEnv("RK_ROOT", (root / "env").string() + "/");
  ASSERT_EQ(RK_findFileOnPath(found, "BITMAPS/", "pic.bmp", "rb"), 1);
  EXPECT_EQ(std::string(found), (root / "env").string() + "/BITMAPS/pic.bmp");  // no second slash
  portable::unsetEnv("RK_ROOT");
  EXPECT_EQ(loadedValue("pic.bmp"), -1);
  EXPECT_EQ(RK_lastError(), -23);
}

TEST_F(FileSearch, AnEmptyLibraryPathSearchesTheSubdirectoryHere) {
  fs::create_directories(root / "cwd" / "FONTS");
  ASSERT_TRUE(writeFile((root / "cwd" / "FONTS" / "f.fnt").string(), {1, 2, 3}));
  char found[RK_PathMax];
  ASSERT_EQ(RK_findFileOnPath(found, "FONTS/", "f.fnt", "rb"), 1);
  EXPECT_STREQ(found, "FONTS/f.fnt");
}

// The resource folders are named with a backslash on Windows and a slash
// elsewhere; either finds the same files on every system.
TEST_F(FileSearch, ResourceFoldersMayBeNamedWithEitherSeparator) {
  picture(root / "lib" / "BITMAPS" / "pic.bmp", 2);
  picture(root / "env" / "FONTS" / "f.fnt", 4);
  RK_storeLibraryPath((root / "lib").string().c_str());
  portable::setEnv("RK_ROOT", (root / "env").string());
  char found[RK_PathMax];
  ASSERT_EQ(RK_findFileOnPath(found, "BITMAPS\\", "pic.bmp", "rb"), 1);
  EXPECT_EQ(fs::path(found), root / "lib" / "BITMAPS" / "pic.bmp");
  ASSERT_EQ(RK_findFileOnPath(found, "BITMAPS/", "pic.bmp", "rb"), 1);
  EXPECT_EQ(fs::path(found), root / "lib" / "BITMAPS" / "pic.bmp");
  ASSERT_EQ(RK_findFileOnPath(found, "FONTS\\", "f.fnt", "rb"), 1);
  EXPECT_EQ(fs::path(found), root / "env" / "FONTS" / "f.fnt");
  EXPECT_EQ(RK_findFileOnPath(found, "FONTS\\", "pic.bmp", "rb"), 0);
}

TEST_F(FileSearch, CandidatesLongerThanThePathBufferAreSkipped) {
  picture(root / "env" / "BITMAPS" / "pic.bmp", 3);
  // A library path that fills the buffer on its own: its candidate is
  // skipped and the search goes on to RK_ROOT.
  std::string longPath = "/" + std::string(RK_PathMax + 40, 'x');
  RK_storeLibraryPath(longPath.c_str());
  portable::setEnv("RK_ROOT", (root / "env").string());
  EXPECT_EQ(loadedValue("pic.bmp"), 3);
  std::string longName(RK_PathMax + 10, 'n');
  char found[RK_PathMax + 1];
  found[RK_PathMax] = 'G';
  EXPECT_EQ(RK_findFileOnPath(found, "BITMAPS/", longName.c_str(), "rb"), 0);
  EXPECT_EQ(found[RK_PathMax], 'G');
}
