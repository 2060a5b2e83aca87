#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "graphics/rasterkit.h"
#include "graphics/rk_drivers.h"
#include "graphics/rk_platform.h"

namespace {

// A back end that shows exactly the modes a test lists.
struct Served {
  int family, width, height, bits, pages;
};
std::vector<Served> served;
bool displayPresent = true;

RK_Platform makeFake() {
  RK_Platform p{};
  p.name = "fake";
  p.hasDisplay = [] { return displayPresent; };
  p.servesMode = [](int family, int width, int height, int bits, int *pages) {
    for (const Served &s : served) {
      if (s.family == family && s.width == width && s.height == height && s.bits == bits) {
        *pages = s.pages;
        return true;
      }
    }
    return false;
  };
  p.leaveFullScreen = [](void *) {};
  p.messageBox = [](const char *, const char *, int) { return RK_AnswerOk; };
  return p;
}
const RK_Platform fakePlatform = makeFake();

void registerDriver(const char *name) {
  ASSERT_EQ(RK_addDriver(name, RK_builtinDriver(name)), 0) << name;
}

std::vector<int> availableModes() {
  std::vector<int> list;
  for (const uint8_t *m = RK_modeList(); *m != RK_ModeListEnd; ++m) list.push_back(*m);
  return list;
}

std::string firstLine(const char *text) {
  return std::string(text).substr(0, std::strcspn(text, "\n"));
}

class DetectionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    served.clear();
    displayPresent = true;
    RK_setPlatform(&fakePlatform);
    RK_clearDriverRegistry();
    for (const char *name :
         {"PACK1.DRV", "PACK4.DRV", "PACK8.DRV", "PACK16.DRV", "PACK24.DRV", "PACK32.DRV"}) {
      registerDriver(name);
    }
    RK_lastError();
  }
  void TearDown() override { RK_clearDriverRegistry(); }

  int detect(int requestedDriver = -1, int *mode = nullptr) {
    int driver = requestedDriver, m = -1;
    RK_detectHardware(&driver, mode ? mode : &m);
    return driver;
  }
};

TEST_F(DetectionTest, FillsTheServedModesOfEachDepth) {
  served = {{RK_FamilyDIB, 320, 240, 8, 1},        {RK_FamilyDIB, 640, 480, 8, 2},
            {RK_FamilyDIB, 320, 200, 8, 2},        {RK_FamilyDIB, 640, 480, 16, 2},
            {RK_FamilyDIB, 640, 480, 15, 1},       {RK_FamilyDIB, 800, 600, 32, 3},
            {RK_FamilyDirectDraw, 1024, 768, 8, 2}};
  for (const char *name : {"FDIB8.DRV", "FDIB16.DRV", "FDIB24.DRV", "FDIB32.DRV"}) registerDriver(name);
  int mode = -1;
  EXPECT_EQ(detect(-1, &mode), RK_DriverDIB);
  EXPECT_EQ(mode, 19);
  EXPECT_EQ(availableModes(), (std::vector<int>{10, 11, 12, 19, 34, 49, 80}));
  EXPECT_EQ(RK_modePages(19), 2);
  EXPECT_EQ(RK_modePages(12), 1);
  EXPECT_EQ(RK_modePages(80), 3);
  EXPECT_EQ(RK_modeAttributes(19), 0);
  EXPECT_EQ(firstLine(RK_modeDriver(19)), "FDIB8.DRV");
  EXPECT_EQ(firstLine(RK_modeDriver(34)), "FDIB16.DRV");
  EXPECT_EQ(firstLine(RK_modeDriver(49)), "FDIB16.DRV");
  EXPECT_EQ(firstLine(RK_modeDriver(80)), "FDIB32.DRV");
  EXPECT_STREQ(RK_modeDriver(21), "Invalid graphics mode");

  // A given mode is kept; each run starts from an empty table.
  served = {{RK_FamilyDIB, 320, 240, 8, 2}};
  mode = 12;
  EXPECT_EQ(detect(-1, &mode), RK_DriverDIB);
  EXPECT_EQ(mode, 12);
  EXPECT_EQ(availableModes(), (std::vector<int>{12}));
  EXPECT_EQ(RK_modePages(19), 0);
  // Without 640x480 the first mode found is suggested.
  mode = -1;
  detect(-1, &mode);
  EXPECT_EQ(mode, 12);
}

TEST_F(DetectionTest, FamiliesAndRequestedDrivers) {
  served = {{RK_FamilyDIB, 640, 480, 8, 2},
            {RK_FamilyDirectDraw, 640, 480, 8, 2},
            {RK_FamilyDirectDraw, 320, 240, 8, 2}};
  registerDriver("FDIB8.DRV");
  EXPECT_EQ(detect(RK_DriverDirectDraw), 0);  // not registered
  registerDriver("DDRAW8.DRV");
  registerDriver("VGA8.DRV");
  registerDriver("LINEAR8.DRV");
  registerDriver("OPENGL.DRV");
  EXPECT_EQ(detect(), RK_DriverDirectDraw);
  EXPECT_EQ(availableModes(), (std::vector<int>{12, 19}));
  EXPECT_EQ(detect(RK_DriverDIB), RK_DriverDIB);
  EXPECT_EQ(availableModes(), (std::vector<int>{19}));
  EXPECT_EQ(firstLine(RK_modeDriver(19)), "FDIB8.DRV");
  EXPECT_EQ(detect(RK_DriverVGA), 0);
  EXPECT_EQ(availableModes(), std::vector<int>{});
}

TEST_F(DetectionTest, NoDisplayOrNoPlatformDetectsNothing) {
  served = {{RK_FamilyDIB, 640, 480, 8, 2}};
  registerDriver("FDIB8.DRV");
  displayPresent = false;
  int mode = -1;
  EXPECT_EQ(detect(-1, &mode), 0);
  EXPECT_EQ(mode, -1);
  EXPECT_EQ(availableModes(), std::vector<int>{});

  displayPresent = true;
  RK_setPlatform(nullptr);
  EXPECT_EQ(detect(), 0);
  RK_setPlatform(&fakePlatform);
  EXPECT_EQ(detect(), RK_DriverDIB);
}

TEST_F(DetectionTest, ModeDriverTextIsAlwaysTerminated) {
  served = {{RK_FamilyDIB, 640, 480, 8, 2}};
  DriverHeader full = *RK_builtinDriver("FDIB8.DRV");
  std::memset(full.description, 'x', sizeof full.description);
  ASSERT_EQ(RK_addDriver("FDIB8.DRV", &full), 0);
  detect();
  EXPECT_EQ(std::strlen(RK_modeDriver(19)), sizeof full.description);
}

TEST_F(DetectionTest, ChoosingModes) {
  served = {{RK_FamilyDIB, 640, 480, 8, 2}};
  registerDriver("FDIB8.DRV");
  detect();
  DeviceContext *dc = RK_openMemoryContext(16, 16, 8, nullptr);
  ASSERT_NE(dc, nullptr);
  RK_selectContext(dc);

  // Unavailable or out of range: refused, and nothing is torn down.
  for (int mode : {12, 87, 255, -1}) {
    EXPECT_EQ(RK_chooseMode(mode), 0) << mode;
    EXPECT_EQ(RK_lastError(), -6);
    EXPECT_EQ(RK_currentContext(), dc);
  }
  EXPECT_NE(RK_chosenMode(), 12);

  EXPECT_EQ(RK_chooseMode(86), 1);
  EXPECT_EQ(RK_lastError(), 0);

  EXPECT_EQ(RK_chooseMode(19), 1);
  EXPECT_EQ(RK_lastError(), 0);
  EXPECT_EQ(RK_chosenMode(), 19);
  EXPECT_EQ(RK_currentContext(), nullptr);
  EXPECT_EQ(RK_closeContext(dc), 1);  // memory contexts survive a mode choice

  // Returning to the desktop works with no mode available at all.
  RK_clearDriverRegistry();
  detect();
  EXPECT_EQ(RK_chooseMode(86), 1);
  EXPECT_EQ(RK_chooseMode(19), 0);
}

}  // namespace
