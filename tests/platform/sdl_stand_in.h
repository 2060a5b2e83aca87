// The framework on SDL's stand-in display ("dummy"), asked for by name. With
// no window system at all no message box can open. Fixtures set their
// callbacks before calling SetUp.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>

#include "framework/framework.h"
#include "framework/framework_internal.h"
#include "platform/sdl/sdl_internal.h"
#include "platform/sdl/sdl_platform.h"

class SdlStandInTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    useSdlPlatform();
    frameworkState().options = DriverOptions{1, 1, 1, 1, 1, 1, 1, 1, 0, 0x0F};
    frameworkState().driversRegistered = false;
    drawSlot = initFramework("Kelvaro");
  }
  void TearDown() override {
    shutdownFramework();
    setModeSwitchFunc(nullptr);
    setSuspendAppFunc(nullptr);
  }

  SdlWindow *window() { return liveWindow(frameworkState().window); }

  void push(SDL_Event e) {
    e.window.windowID = SDL_GetWindowID(window()->window);  // same place in every event kind used
    ASSERT_EQ(SDL_PushEvent(&e), 1);
  }
  void pushKey(Uint32 type, SDL_Scancode scancode, SDL_Keycode sym, Uint16 mod, bool repeat = false) {
    SDL_Event e{};
    e.type = type;
    e.key.repeat = repeat;
    e.key.keysym = SDL_Keysym{scancode, sym, mod, 0};
    push(e);
  }

  DeviceContext **drawSlot = nullptr;
};
