#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "graphics/rasterkit.h"
#include "graphics/rk_drivers.h"

namespace {

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RK_clearDriverRegistry();
    RK_lastError();
  }
  void TearDown() override { RK_clearDriverRegistry(); }
};

TEST_F(RegistryTest, BuiltinHeadersRegisterUnderTheirSlots) {
  // Driver identifier by slot.
  const int ids[RK_DriverSlotCount] = {0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1,  2,  2,  2, 2,
                                       6, 6, 6, 6, 3, 3, 3, 3, 4, 4, 4, 4, 9, 11, 11, 11, 11};
  for (int slot = 0; slot < RK_DriverSlotCount; ++slot) {
    const char *name = RK_driverSlot(slot)->name;
    SCOPED_TRACE(name);
    const DriverHeader *h = RK_builtinDriver(name);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(std::memcmp(h->signature, "Rasterkit Driver:", 18), 0);
    const std::string start = std::string(name) + "\n\nVersion 2.0 - Dec 24 1997\n";
    EXPECT_EQ(std::string(h->description).rfind(start, 0), 0u);
    EXPECT_EQ(h->driverId, ids[slot]);
    // The header is packed: copy its operations out before comparing.
    const RK_DetectFunc detect = h->detect;
    const RK_SetupFunc setup = h->setup;
    EXPECT_EQ(detect == nullptr, slot < 6);
    EXPECT_EQ(setup, slot < 6 ? RK_setupMemoryContext : RK_setupDisplayContext);
    if (slot >= 14 && slot < 22) {
      EXPECT_EQ(detect, RK_detectDisplayFamily);
    }
    EXPECT_EQ(RK_addDriver(name, h), 0);
    EXPECT_EQ(RK_driverSlot(slot)->header, h);
  }
  EXPECT_STREQ(RK_driverSlot(7)->name, "VGAX.DRV");
  EXPECT_STREQ(RK_driverSlot(34)->name, "FSOGL32.DRV");
  EXPECT_EQ(RK_driverSlot(35), nullptr);
  EXPECT_EQ(RK_builtinDriver("pack8.drv"), nullptr);
}

TEST_F(RegistryTest, AddDriverRejectsWrongNamesHeadersAndVersions) {
  const DriverHeader *pack8 = RK_builtinDriver("PACK8.DRV");
  EXPECT_EQ(RK_addDriver("pack8.drv", pack8), -9);
  EXPECT_EQ(RK_lastError(), -9);
  EXPECT_EQ(RK_addDriver(nullptr, pack8), -9);

  EXPECT_EQ(RK_addDriver("PACK8.DRV", RK_builtinDriver("PACK4.DRV")), -4);
  EXPECT_EQ(RK_lastError(), -4);
  EXPECT_EQ(RK_addDriver("PACK8.DRV", nullptr), -4);
  DriverHeader h = *pack8;
  h.signature[3] = 'X';
  EXPECT_EQ(RK_addDriver("PACK8.DRV", &h), -4);
  h = *pack8;
  std::memcpy(h.name, "PACK8.DRVxxxx", 13);  // no terminator in the field
  EXPECT_EQ(RK_addDriver("PACK8.DRV", &h), -4);

  h = *pack8;
  h.versionMinor = 1;
  EXPECT_EQ(RK_addDriver("PACK8.DRV", &h), -15);
  EXPECT_EQ(RK_lastError(), -15);
  EXPECT_EQ(RK_driverSlot(2)->registered, 0);

  EXPECT_EQ(RK_addDriver("PACK8.DRV", pack8), 0);
  EXPECT_EQ(RK_lastError(), 0);
  EXPECT_EQ(RK_driverSlot(2)->registered, 1);
  RK_clearDriverRegistry();
  EXPECT_EQ(RK_driverSlot(2)->registered, 0);
}

TEST(ModeTable, SizesOfTheFixedModeNumbers) {
  const int rows[][4] = {{0, 320, 200, 4},   {5, 800, 600, 4},   {9, 320, 480, 8},    {10, 320, 200, 8},
                         {11, 320, 200, 8},  {12, 320, 240, 8},  {19, 640, 480, 8},   {26, 320, 200, 15},
                         {49, 640, 480, 16}, {64, 640, 480, 24}, {85, 1600, 1200, 32}};
  for (const auto &r : rows) {
    int x = 0, y = 0, bits = 0;
    ASSERT_EQ(RK_modeSize(r[0], &x, &y, &bits), 1) << r[0];
    EXPECT_EQ(x * 100000 + y * 100 + bits, r[1] * 100000 + r[2] * 100 + r[3]) << r[0];
  }
  for (int mode : {86, 87, -1}) EXPECT_EQ(RK_modeSize(mode, nullptr, nullptr, nullptr), 0);
}

TEST_F(RegistryTest, NothingRegisteredDetectsNothing) {
  int driver = -1, mode = -1;
  RK_detectHardware(&driver, &mode);
  EXPECT_EQ(driver, 0);
  EXPECT_EQ(mode, -1);
  EXPECT_EQ(RK_modeList()[0], RK_ModeListEnd);

  // Memory drivers have no detection: alone they find nothing either.
  ASSERT_EQ(RK_addDriver("PACK8.DRV", RK_builtinDriver("PACK8.DRV")), 0);
  driver = -1;
  RK_detectHardware(&driver, &mode);
  EXPECT_EQ(driver, 0);
  EXPECT_EQ(RK_modeList()[0], RK_ModeListEnd);

  for (int m : {87, 19, -5}) EXPECT_STREQ(RK_modeDriver(m), "Invalid graphics mode");
  EXPECT_EQ(RK_modePages(19), 0);
  EXPECT_EQ(RK_modeAttributes(19), 0);
  EXPECT_EQ(RK_modePages(87), 0);
  EXPECT_EQ(RK_modeAttributes(87), -1);
  EXPECT_EQ(RK_modeAttributes(-1), -1);
}

}  // namespace
