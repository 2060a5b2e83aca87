// mkassets FONT_SOURCE OUTPUT_DIR
// Writes the game's pictures (bkgr1.bmp, text1..4.bmp, leben.bmp, the four
// menu pictures) and its font (little.fnt, from the pixel-art FONT_SOURCE)
// into OUTPUT_DIR. The output depends on the font source alone.
// mkassets --icons OUTPUT_DIR
// Writes the program's icon for desktops, kelvaro-SIZE.png in every size of
// AppIconSizes, and the window icon the program carries as
// kelvaro_window_icon.h.
//
// mkassets --look COURSE OUTPUT_DIR
// Writes the pictures of the course pack's COURSE that differ from the
// game's own (a background, a floor) into OUTPUT_DIR.
#include <cstdio>
#include <cstring>
#include <fstream>

#include "bmp_file.h"
#include "fnt_file.h"
#include "pictures.h"
#ifdef MKASSETS_ICONS
#include "app_icon.h"
#include "png_file.h"
#endif

namespace {

#ifdef MKASSETS_ICONS

bool writeWindowIconSource(const std::string &path) {
  const std::vector<uint8_t> rgba = makeAppIcon(WindowIconSize);
  std::ofstream out(path, std::ios::trunc);
  out << "// Written by mkassets: the window icon, " << WindowIconSize << " x " << WindowIconSize
      << " pixels of 0xAARRGGBB, rows top down.\n#pragma once\n\n#include <cstdint>\n\n"
      << "inline constexpr int kelvaroWindowIconSize = " << WindowIconSize << ";\n"
      << "inline constexpr uint32_t kelvaroWindowIcon[] = {";
  char word[16];
  for (std::size_t i = 0; i < rgba.size(); i += 4) {
    const uint32_t argb = uint32_t(rgba[i + 3]) << 24 | uint32_t(rgba[i]) << 16 | uint32_t(rgba[i + 1]) << 8 |
                          rgba[i + 2];
    std::snprintf(word, sizeof word, "0x%08Xu,", argb);
    out << (i % 32 == 0 ? "\n   " : "") << ' ' << word;
  }
  out << "\n};\n";
  out.close();
  return bool(out);
}

int writeIcons(const std::string &dir) {
  for (int size : AppIconSizes) {
    const std::string path = dir + "/kelvaro-" + std::to_string(size) + ".png";
    if (!writePngFile(path, size, size, makeAppIcon(size))) {
      std::fprintf(stderr, "mkassets: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  if (!writeWindowIconSource(dir + "/kelvaro_window_icon.h")) {
    std::fprintf(stderr, "mkassets: cannot write %s/kelvaro_window_icon.h\n", dir.c_str());
    return 1;
  }
  return 0;
}
#else
int writeIcons(const std::string &) {
  std::fprintf(stderr, "mkassets: this build draws no icons (it has no PNG library)\n");
  return 1;
}
#endif

bool writePicture(const std::string &dir, const char *name, const IndexedImage &image, const Palette &palette,
                  int colourCount) {
  if (writeBitmapFile(dir + "/" + name, image, palette, colourCount)) return true;
  std::fprintf(stderr, "mkassets: cannot write %s/%s\n", dir.c_str(), name);
  return false;
}

bool writeFont(const std::string &dir, const PixelFont &font) {
  const std::vector<uint8_t> bytes = windowsFontBytes(font, "Little");
  std::ofstream out(dir + "/little.fnt", std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char *>(bytes.data()), std::streamsize(bytes.size()));
  out.close();
  if (out) return true;
  std::fprintf(stderr, "mkassets: cannot write %s/little.fnt\n", dir.c_str());
  return false;
}

int writeCourseLook(const std::string &course, const std::string &dir) {
  std::vector<CoursePicture> pictures;
  if (!makeCourseLook(course, pictures)) {
    std::fprintf(stderr, "mkassets: no look for the course %s\n", course.c_str());
    return 1;
  }
  for (const CoursePicture &picture : pictures) {
    if (!writePicture(dir, picture.file, picture.image, playingPalette(), 256)) return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char **argv) {
  if (argc == 4 && std::string(argv[1]) == "--look") return writeCourseLook(argv[2], argv[3]);
  if (argc != 3) {
    std::fprintf(stderr,
                 "usage: mkassets FONT_SOURCE OUTPUT_DIR\n       mkassets --icons OUTPUT_DIR\n"
                 "       mkassets --look COURSE OUTPUT_DIR\n");
    return 2;
  }
  if (std::strcmp(argv[1], "--icons") == 0) return writeIcons(argv[2]);
  std::ifstream fontSource(argv[1]);
  PixelFont font;
  std::string error;
  if (!fontSource || !readPixelFont(fontSource, font, error)) {
    std::fprintf(stderr, "mkassets: %s: %s\n", argv[1], fontSource ? error.c_str() : "cannot open");
    return 1;
  }
  const std::string dir = argv[2];
  const Palette &play = playingPalette();
  const Palette &menu = menuPalette();
  const bool ok = writeFont(dir, font) && writePicture(dir, "bkgr1.bmp", makeBackground(), play, 256) &&
                  writePicture(dir, "text1.bmp", makeFloorTexture(), play, 256) &&
                  writePicture(dir, "text2.bmp", makeWallTexture(), play, 256) &&
                  writePicture(dir, "text3.bmp", makeTrapTexture(), play, 256) &&
                  writePicture(dir, "text4.bmp", makeGoalTexture(), play, 256) &&
                  writePicture(dir, "leben.bmp", makeLifeIcon(), play, 256) &&
                  writePicture(dir, "x640ok.bmp", makeMenuPicture(font, 640, true), menu, 254) &&
                  writePicture(dir, "x640quit.bmp", makeMenuPicture(font, 640, false), menu, 254) &&
                  writePicture(dir, "x320ok.bmp", makeMenuPicture(font, 320, true), menu, 254) &&
                  writePicture(dir, "x320quit.bmp", makeMenuPicture(font, 320, false), menu, 254);
  return ok ? 0 : 1;
}
