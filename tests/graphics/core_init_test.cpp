#include <gtest/gtest.h>

#include <string>

#include "graphics/rasterkit.h"
#include "graphics/rk_platform.h"
#include "platform/headless/headless.h"
#include "platform/headless/headless_control.h"

namespace {

struct LibraryStart : testing::Test {
  void SetUp() override {
    headlessReset();
    useHeadlessPlatform();
    RK_clearDriverRegistry();
  }
  void TearDown() override {
    RK_shutdown();
    RK_setPlatform(nullptr);
  }
  static void registerDib8() { ASSERT_EQ(RK_addDriver("FDIB8.DRV", RK_builtinDriver("FDIB8.DRV")), 0); }
};

int suspendAlways(DeviceContext *, int) {
  return 1;
}

}  // namespace

TEST_F(LibraryStart, NothingDetectedFailsWithoutStarting) {
  int driver = -1, mode = -1;
  EXPECT_EQ(RK_init(&driver, &mode, "res"), 0);
  EXPECT_EQ(driver, 0);
  EXPECT_EQ(RK_lastError(), -2);
  // Not started, so a second attempt is no nested call.
  registerDib8();
  driver = -1;
  mode = -1;
  EXPECT_EQ(RK_init(&driver, &mode, "res"), 1);
}

TEST_F(LibraryStart, AStartAfterAFailedOneKeepsWhatWasOpenedAndTheFirstPath) {
  int driver = -1, mode = -1;
  ASSERT_EQ(RK_init(&driver, &mode, "first"), 0);
  ASSERT_NE(RK_openMemoryContext(16, 16, 8, nullptr), nullptr);
  registerDib8();
  driver = mode = -1;
  ASSERT_EQ(RK_init(&driver, &mode, "second"), 1);
  EXPECT_EQ(RK_liveContextCount(), 1);  // the context opened in between lives on
  EXPECT_STREQ(RK_libraryPath(), "first");
  // A shut-down ends the start-up: the next start takes its own path.
  RK_shutdown();
  EXPECT_EQ(RK_liveContextCount(), 0);
  driver = mode = -1;
  ASSERT_EQ(RK_init(&driver, &mode, "third"), 1);
  EXPECT_STREQ(RK_libraryPath(), "third");
}

TEST_F(LibraryStart, StartChoosesTheSuggestedModeAndKeepsThePath) {
  registerDib8();
  int driver = -1, mode = -1;
  ASSERT_EQ(RK_init(&driver, &mode, "C:\\KELVARO\\"), 1);
  EXPECT_EQ(driver, RK_FamilyDIB);
  EXPECT_EQ(mode, 19);
  EXPECT_EQ(RK_chosenMode(), 19);
  EXPECT_STREQ(RK_libraryPath(), "C:\\KELVARO\\");
  RK_shutdown();
  // A path longer than the buffer is cut, never written past it.
  const std::string longPath(1000, 'p');
  driver = mode = -1;
  ASSERT_EQ(RK_init(&driver, &mode, longPath.c_str()), 1);
  EXPECT_EQ(std::string(RK_libraryPath()), longPath.substr(0, RK_PathMax - 1));
}

TEST_F(LibraryStart, AnUnavailableRequestedModeFailsTheStart) {
  registerDib8();
  int driver = -1, mode = 49;  // 640x480x16 is not served
  EXPECT_EQ(RK_init(&driver, &mode, ""), 0);
  EXPECT_EQ(RK_lastError(), -6);
}

TEST_F(LibraryStart, ShutDownClosesEverythingAndForgetsTheHandler) {
  registerDib8();
  int driver = -1, mode = -1;
  ASSERT_EQ(RK_init(&driver, &mode, nullptr), 1);
  RK_setSuspendHandler(suspendAlways);
  RK_recordMainWindow(RK_platform()->createWindow("w", false));
  ASSERT_NE(RK_openDisplay(2), nullptr);
  RK_selectContext(RK_openMemoryContext(16, 16, 8, nullptr));
  RK_openMemoryContext(16, 16, 32, nullptr);
  EXPECT_EQ(RK_liveContextCount(), 3);
  RK_shutdown();
  EXPECT_EQ(RK_liveContextCount(), 0);
  EXPECT_EQ(RK_currentContext(), nullptr);
  EXPECT_EQ(RK_suspendHandler(), nullptr);
  EXPECT_EQ(RK_mainWindow(), nullptr);
  EXPECT_FALSE(headlessRecord().fullScreen);
  // Restartable after a shut-down, and a shut-down twice is harmless.
  RK_shutdown();
  driver = mode = -1;
  EXPECT_EQ(RK_init(&driver, &mode, ""), 1);
}

TEST_F(LibraryStart, NestedStartIsFatal) {
  registerDib8();
  int driver = -1, mode = -1;
  ASSERT_EQ(RK_init(&driver, &mode, ""), 1);
  EXPECT_EXIT(RK_init(&driver, &mode, ""), testing::ExitedWithCode(1),
              "^RK Fatal Error!: Nested call to RK_init!\n$");
}
