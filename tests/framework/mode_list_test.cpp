#include <cstring>
#include <string>
#include <vector>

#include "framework_fixture.h"
#include "graphics/rk_drivers.h"
#include "graphics/rk_platform.h"

namespace {

using ModeListTest = FrameworkTest;

// Each entry as "width x height x bits = mode / stretch".
std::vector<std::string> listedModes() {
  std::vector<std::string> out;
  for (int i = 0; i < frameworkState().modeCount; ++i) {
    const VideoMode &v = frameworkState().modes[i];
    out.push_back(std::to_string(v.width) + "x" + std::to_string(v.height) + "x" +
                  std::to_string(v.bitsPerPixel) + "=" + std::to_string(v.mode) + "/" +
                  std::to_string(v.stretch));
  }
  return out;
}
using Modes = std::vector<std::string>;

TEST_F(ModeListTest, ListsServedModesWithPagesDriverAndWindowStretch) {
  start(DriverOptions{1, 0, 1, 1, 1, 1, 1, 1, 0, 0x0F});
  // 320x200 appears once, as mode 11; sizes nothing can stand in for are left out.
  EXPECT_EQ(listedModes(), (Modes{"320x200x8=11/0", "320x240x8=12/0", "640x400x8=18/0", "640x480x8=19/0"}));
  EXPECT_EQ(fw().fullScreenCount, 4);

  const VideoMode small = mode(320, 200);
  EXPECT_EQ(small.pages, 2);
  EXPECT_EQ(small.stretch, 0);
  EXPECT_EQ(small.windowStretch, 2);
  // Only the driver's file name, not the rest of its description.
  EXPECT_STREQ(small.driverName, "FDIB8.DRV");
  EXPECT_EQ(mode(640, 400).windowStretch, 0);
  EXPECT_EQ(windowStretchFor(320, 480), 2);
  EXPECT_EQ(windowStretchFor(511, 383), 2);
  EXPECT_EQ(windowStretchFor(512, 383), 0);
  EXPECT_EQ(windowStretchFor(400, 384), 0);
}

TEST_F(ModeListTest, SmallModesBorrowALargerModeByStretching) {
  // Only 320x480: 320x240 shows every row twice.
  headlessSetModes({{RK_FamilyDIB, 320, 480, 8, 2}});
  start(allDrivers());
  VideoMode m = mode(320, 240);
  EXPECT_EQ(m.mode, 14);
  EXPECT_EQ(m.stretch, 1);
  EXPECT_EQ(m.width, 320);
  EXPECT_EQ(m.height, 240);
  EXPECT_EQ(m.pages, 2);
  EXPECT_EQ(mode(320, 480).stretch, 0);

  // Only 640x480: 320x240 shows every pixel as 2x2; 320x200 finds nothing.
  headlessSetModes({{RK_FamilyDIB, 640, 480, 8, 2}});
  start(allDrivers());
  m = mode(320, 240);
  EXPECT_EQ(m.mode, 19);
  EXPECT_EQ(m.stretch, 2);
  EXPECT_FALSE(findMode(&m, 320, 200, 8));
  EXPECT_EQ(listedModes(), (Modes{"320x240x8=19/2", "640x480x8=19/0"}));
}

TEST_F(ModeListTest, DepthFilterFallsBackToAllDepthsOnlyWhenItLeavesNothing) {
  headlessSetModes({{RK_FamilyDIB, 640, 480, 8, 2}, {RK_FamilyDIB, 640, 480, 16, 2}});
  start(allDrivers(0x02));
  EXPECT_EQ(listedModes(), (Modes{"320x240x16=49/2", "640x480x16=49/0"}));

  headlessSetModes({{RK_FamilyDIB, 640, 480, 16, 2}, {RK_FamilyDIB, 800, 600, 32, 2}});
  start(allDrivers(0x01));
  VideoMode m{};
  EXPECT_TRUE(findMode(&m, 640, 480, 16));
  EXPECT_TRUE(findMode(&m, 800, 600, -1));
  EXPECT_EQ(m.bitsPerPixel, 32);
  m.mode = 1234;
  EXPECT_FALSE(findMode(&m, 640, 480, 8));
  EXPECT_EQ(m.mode, 1234);  // untouched when nothing matches
  // The fallback does not stick: the filter asked for is still in force.
  EXPECT_EQ(fw().options.modeFilter, 0x01);
}

TEST_F(ModeListTest, SameOptionsRebuildNothingOtherOptionsDetectAgain) {
  const DriverOptions options = allDrivers();
  headlessRemoveMode(640, 480, 8);
  setDriverOptions(options);
  VideoMode m{};
  EXPECT_TRUE(findMode(&m, 640, 480, 8));

  DriverOptions changed = options;
  changed.useVGA = 0;
  setDriverOptions(changed);
  EXPECT_FALSE(findMode(&m, 640, 480, 8));
}

TEST_F(ModeListTest, RegistersOnlyThePermittedFamilies) {
  auto registered = [](int slot) { return RK_driverSlot(slot) && RK_driverSlot(slot)->registered != 0; };
  // Slots: 0-5 PACK, 6 VGA4, 7 VGAX, 8 VGA8, 14-17 FDIB, 18-21 DDRAW,
  // 22-25 LINEAR, 26-29 ACCEL, 30-34 OpenGL.
  start(DriverOptions{0, 0, 1, 1, 1, 1, 1, 1, 1, 0x0F});
  for (int slot = 0; slot < RK_DriverSlotCount; ++slot) {
    const bool expected = slot <= 5 || (slot >= 14 && slot <= 17) || slot >= 30;
    EXPECT_EQ(registered(slot), expected) << "slot " << slot;
  }
  // Unchained VGA needs VGA, the accelerator needs the linear buffer.
  start(DriverOptions{1, 1, 0, 1, 1, 0, 1, 0, 0, 0x0F});
  for (int slot = 6; slot <= 8; ++slot) EXPECT_FALSE(registered(slot)) << "slot " << slot;
  for (int slot = 22; slot <= 29; ++slot) EXPECT_FALSE(registered(slot)) << "slot " << slot;
  for (int slot = 18; slot <= 21; ++slot) EXPECT_TRUE(registered(slot)) << "slot " << slot;
  EXPECT_FALSE(registered(14));
  EXPECT_FALSE(registered(30));

  start(DriverOptions{1, 0, 1, 0, 1, 1, 0, 0, 0, 0x0F});
  EXPECT_TRUE(registered(6) && registered(8) && registered(22) && registered(25));
  EXPECT_FALSE(registered(7) || registered(26));
}

// A registry of our own making, for cases the display back ends never show.
struct FakeRegistry {
  static inline std::vector<uint8_t> list;
  static inline int refusing = -1;
  static int modeSize(int m, int *x, int *y, int *bits) { return RK_modeSize(m, x, y, bits); }
  static const uint8_t *modeList() { return list.data(); }
  static int attributes(int m) { return m == refusing ? 0x800 : 0; }
  static int pages(int) { return 1; }
  static const char *driver(int) { return "VGA8.DRV"; }
  static constexpr ModeQueries queries{modeSize, modeList, attributes, pages, driver};
};

TEST_F(ModeListTest, PlanarVgaStandsIn320x200AndRefusingModesEndTheRowSearch) {
  setModeQueries(&FakeRegistry::queries);
  FakeRegistry::list = {6, 14, 19, 255};
  FakeRegistry::refusing = 14;
  buildModeList();
  VideoMode m{};
  ASSERT_TRUE(findMode(&m, 320, 200, 8));
  EXPECT_EQ(m.mode, 6);
  EXPECT_EQ(m.stretch, 0);
  // 320x480 refuses to show rows twice; 640x480 takes 320x240 with 2x2 pixels.
  ASSERT_TRUE(findMode(&m, 320, 240, 8));
  EXPECT_EQ(m.mode, 19);
  EXPECT_EQ(m.stretch, 2);
  EXPECT_STREQ(m.driverName, "VGA8.DRV");

  // Once 11 itself is there, 6 is not needed.
  FakeRegistry::list = {6, 11, 255};
  buildModeList();
  ASSERT_TRUE(findMode(&m, 320, 200, 8));
  EXPECT_EQ(m.mode, 11);
}

}  // namespace
