// The fixed meaning of the library's mode numbers 0 to 85: resolution and
// colour depth.
#include <array>

#include "graphics/rasterkit.h"

namespace {

struct ModeSize {
  int16_t width, height;
  int8_t bits;
};

constexpr int kSizedModes = 86;

// The fifteen resolutions every depth from 8 bits up offers.
constexpr ModeSize kCommon[15] = {{320, 200, 0},  {320, 240, 0},   {320, 400, 0},  {320, 480, 0},
                                  {400, 300, 0},  {512, 384, 0},   {640, 350, 0},  {640, 400, 0},
                                  {640, 480, 0},  {800, 600, 0},   {1024, 768, 0}, {1152, 864, 0},
                                  {1280, 960, 0}, {1280, 1024, 0}, {1600, 1200, 0}};

constexpr std::array<ModeSize, kSizedModes> buildTable() {
  std::array<ModeSize, kSizedModes> t{};
  int m = 0;
  constexpr ModeSize fourBit[6] = {{320, 200, 4}, {640, 200, 4}, {640, 350, 4},
                                   {640, 400, 4}, {640, 480, 4}, {800, 600, 4}};
  for (const ModeSize &s : fourBit) t[m++] = s;
  constexpr ModeSize vga8[4] = {{320, 200, 8}, {320, 240, 8}, {320, 400, 8}, {320, 480, 8}};
  for (const ModeSize &s : vga8) t[m++] = s;
  t[m++] = {320, 200, 8};  // modes 10 and 11 are both 320x200
  constexpr int8_t depths[5] = {8, 15, 16, 24, 32};
  for (int8_t bits : depths) {
    for (const ModeSize &s : kCommon) t[m++] = {s.width, s.height, bits};
  }
  return t;
}

constexpr std::array<ModeSize, kSizedModes> kModeSizes = buildTable();

static_assert(kModeSizes[19].width == 640 && kModeSizes[19].height == 480 && kModeSizes[19].bits == 8);
static_assert(kModeSizes[26].width == 320 && kModeSizes[26].bits == 15);
static_assert(kModeSizes[85].width == 1600 && kModeSizes[85].bits == 32);

}  // namespace

int RK_modeSize(int mode, int *x, int *y, int *bits) {
  if (mode < 0 || mode >= kSizedModes) return 0;
  const ModeSize &s = kModeSizes[mode];
  if (x) *x = s.width;
  if (y) *y = s.height;
  if (bits) *bits = s.bits;
  return 1;
}
