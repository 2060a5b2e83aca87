// The looks of the courses in the pack that have one: each a background and
// perhaps a floor of its own, in the playing palette's warm colours.
#include "pictures.h"

namespace {

constexpr int CalmRows = 40;  // the frame-rate line's rows stay black
constexpr int Horizon = 300;

// Noon haze over pale hills: the easy first course.
BackgroundLook noonLook() {
  return {{{CalmRows, 0x000000}, {CalmRows + 1, 0x927E61}, {150, 0xC2A198}, {240, 0xDABE9D}, {Horizon, 0xF4E1C6}},
          300, 160, 34, 0xF6E7E4, 0xEED5B3,
          0xB38B82, 0x9C8B89, 0x6E554F, 0x393737, 10.0, 0.8, 0};
}

// A moonlit night, many stars and a pale moon high up.
BackgroundLook nightLook() {
  return {{{CalmRows, 0x000000}, {200, 0x0F0F12}, {270, 0x201F25}, {Horizon, 0x2E3034}},
          900, 200, 22, 0xDCDAC3, 0x6F6164,
          0x292D25, 0x181414, 0x101008, 0x000000, 0.0, 1.3, 700};
}

// Embers: a sky glowing red from below, over black crags.
BackgroundLook emberLook() {
  return {{{CalmRows, 0x000000}, {150, 0x180000}, {220, 0x520000}, {265, 0xA40000}, {Horizon, 0xFF3939}},
          500, -10, 60, 0xFF2525, 0xEF0000,
          0x2D0800, 0x100004, 0x080000, 0x000000, 20.0, 1.6, 40};
}

// Dunes under a low, wide sun: the wave course.
BackgroundLook dunesLook() {
  return {{{CalmRows, 0x000000}, {120, 0x311800}, {200, 0x7F4429}, {260, 0xC09575}, {Horizon, 0xF1DCB7}},
          600, 20, 70, 0xFCE2B9, 0xE7D6BD,
          0xBB906F, 0x87693F, 0x9A6B48, 0x402A0F, -5.0, 0.6, 0};
}

}  // namespace

bool makeCourseLook(const std::string &course, std::vector<CoursePicture> &pictures) {
  if (course == "auftakt") {
    pictures.push_back({"bkgr1.bmp", makeBackground(noonLook())});
  } else if (course == "sprung") {
    pictures.push_back({"bkgr1.bmp", makeBackground(emberLook())});
    pictures.push_back({"text1.bmp", makeFloorTexture({0x6F6164, 0x4F1E1C, 0x181414})});
  } else if (course == "welle") {
    pictures.push_back({"bkgr1.bmp", makeBackground(dunesLook())});
    pictures.push_back({"text1.bmp", makeFloorTexture({0xDABE9D, 0xC09575, 0x87693F})});
  } else if (course == "marathon") {
    pictures.push_back({"bkgr1.bmp", makeBackground(nightLook())});
    pictures.push_back({"text1.bmp", makeFloorTexture({0x9C8B89, 0x6E554F, 0x201F25})});
  } else {
    return false;
  }
  return true;
}
