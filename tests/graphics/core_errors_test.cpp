#include <gtest/gtest.h>

#include <string>

#include "graphics/rasterkit.h"

TEST(CoreErrors, TextsCoverTheTableAndRejectOtherNumbers) {
  EXPECT_STREQ(RK_errorText(0), "No error");
  EXPECT_STREQ(RK_errorText(-1), "Graphics driver has not been installed");
  EXPECT_STREQ(RK_errorText(-10), "Not enough memory to perform operation");
  EXPECT_STREQ(RK_errorText(-17), "Invalid device context");
  EXPECT_STREQ(RK_errorText(-25), "Only Windows 2.x font files supported");
  EXPECT_STREQ(RK_errorText(-26), "RK_endRegion() was not called");
  EXPECT_STREQ(RK_errorText(-28), "OffscreenDC's require hardware bitBlt support");
  EXPECT_STREQ(RK_errorText(-30), "Invalid pixel format for memory DC");
  for (int code : {1, 2, -31, -1000, 1000}) EXPECT_STREQ(RK_errorText(code), "Invalid error number") << code;
  // Every code of the table has its own text.
  for (int code = -30; code <= 0; ++code) {
    EXPECT_STRNE(RK_errorText(code), "Invalid error number") << code;
    if (code < 0) {
      EXPECT_STRNE(RK_errorText(code), RK_errorText(code + 1)) << code;
    }
  }
}

TEST(CoreErrors, ReadingTheLastErrorResetsIt) {
  RK_setLastError(-17);
  EXPECT_EQ(RK_lastError(), -17);
  EXPECT_EQ(RK_lastError(), 0);
}

TEST(CoreErrorsDeathTest, FatalReportEchoesOneLineAndExitsWithOne) {
  EXPECT_EXIT(RK_reportFatal("Scratch buffer too small for rendering operation!\n"),
              testing::ExitedWithCode(1),
              "RK Fatal Error!: Scratch buffer too small for rendering operation!\n$");
  EXPECT_EXIT(RK_reportFatal("Nested call to RK_init!"), testing::ExitedWithCode(1),
              "^RK Fatal Error!: Nested call to RK_init!\n$");
}

TEST(CoreErrorsDeathTest, FatalReportClosesEveryContextFirst) {
  // The shut-down runs before the box, so an open context cannot survive
  // into a second library start in the same process image.
  EXPECT_EXIT(
      {
        RK_openMemoryContext(8, 8, 8, nullptr);
        RK_reportFatal(RK_liveContextCount() == 1 ? "one" : "wrong");
      },
      testing::ExitedWithCode(1), "RK Fatal Error!: one");
}
