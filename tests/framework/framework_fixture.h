// A framework started on the headless back end, with every callback slot
// empty and the default headless display (1024 x 768; 320x200, 320x240,
// 640x400 and 640x480 at 8 bits, two pages each).
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "framework/framework.h"
#include "framework/framework_internal.h"
#include "graphics/rasterkit.h"
#include "graphics/rk_platform.h"
#include "platform/headless/headless.h"
#include "platform/headless/headless_control.h"

inline DriverOptions allDrivers(int filter = 0x0F) {
  return DriverOptions{1, 1, 1, 1, 1, 1, 1, 1, 0, filter};
}

inline void clearCallbacks() {
  setDrawFunc(nullptr);
  setGameFunc(nullptr);
  setKeyDownFunc(nullptr);
  setKeyUpFunc(nullptr);
  setMouseDownFunc(nullptr);
  setActivateFunc(nullptr);
  setModeSwitchFunc(nullptr);
  setSuspendAppFunc(nullptr);
}

// Lets every queued message reach the queue and the window procedure.
inline void pumpEvents() {
  flushEvents(AllEvents);
}

class FrameworkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    headlessReset();
    useHeadlessPlatform();
    clearCallbacks();
    setModeQueries(nullptr);
    start(allDrivers());
  }
  void TearDown() override {
    shutdownFramework();
    setModeQueries(nullptr);
    clearCallbacks();
  }
  // Registers and detects afresh with these options.
  void start(const DriverOptions &options) {
    FrameworkState &s = frameworkState();
    s.options = options;
    s.driversRegistered = false;
    drawSlot = initFramework("Kelvaro");
  }
  VideoMode mode(int width, int height, int bits = 8) {
    VideoMode m{};
    EXPECT_TRUE(findMode(&m, width, height, bits)) << width << "x" << height << "x" << bits;
    return m;
  }
  FrameworkState &fw() { return frameworkState(); }

  DeviceContext **drawSlot = nullptr;
};
