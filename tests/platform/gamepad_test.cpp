// A game controller on SDL's virtual joystick drives the game through the
// same key table as the keyboard.
#include <gtest/gtest.h>

#include "game/shell/game_state.h"
#include "game/shell/input.h"
#include "platform/sdl/gamepad.h"
#include "sdl_stand_in.h"

namespace {

class GamepadTest : public SdlStandInTest {
 protected:
  void SetUp() override {
    // The stand-in display never gives its window the focus, and SDL holds
    // a controller's events back from a program that is not in front.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    SdlStandInTest::SetUp();
    VideoMode mode{};
    ASSERT_TRUE(findMode(&mode, 640, 480, 8));
    ASSERT_TRUE(setMode(mode, 0, 2, 1));
    plugIn();
  }
  void TearDown() override {
    pullOut();
    SdlStandInTest::TearDown();
  }

  void plugIn() {
    SDL_VirtualJoystickDesc d{};
    d.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    d.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    d.naxes = SDL_CONTROLLER_AXIS_MAX;
    d.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    d.name = "Kelvaro test pad";
    device = SDL_JoystickAttachVirtualEx(&d);
    ASSERT_GE(device, 0) << SDL_GetError();
    joystick = SDL_JoystickOpen(device);
    ASSERT_NE(joystick, nullptr) << SDL_GetError();
    flushEvents(AllEvents);  // the back end opens it as a controller
  }
  void pullOut() {
    if (!joystick) return;
    SDL_JoystickClose(joystick);
    joystick = nullptr;
    SDL_JoystickDetachVirtual(device);
  }
  // Sets a control and returns the key events the pump makes of it.
  std::vector<Event> button(SDL_GameControllerButton b, bool down) {
    SDL_JoystickSetVirtualButton(joystick, b, down ? 1 : 0);
    return drain();
  }
  std::vector<Event> axis(SDL_GameControllerAxis a, int value) {
    SDL_JoystickSetVirtualAxis(joystick, a, static_cast<Sint16>(value));
    return drain();
  }
  std::vector<Event> drain() {
    std::vector<Event> events;
    Event e{};
    while (getEvent(&e, AllEvents)) events.push_back(e);
    return events;
  }

  int device = -1;
  SDL_Joystick *joystick = nullptr;
};

::testing::AssertionResult isKey(const std::vector<Event> &events, uint32_t what, uint32_t message) {
  if (events.size() != 1) return ::testing::AssertionFailure() << events.size() << " events";
  if (events[0].what != what || events[0].message != message)
    return ::testing::AssertionFailure() << "what " << events[0].what << " message " << events[0].message;
  return ::testing::AssertionSuccess();
}

TEST_F(GamepadTest, ButtonsPressTheKeyboardsKeys) {
  EXPECT_TRUE(isKey(button(SDL_CONTROLLER_BUTTON_DPAD_UP, true), KeyDown, 72u << 8));
  EXPECT_TRUE(isKeyDown(72));
  EXPECT_TRUE(isKey(button(SDL_CONTROLLER_BUTTON_DPAD_UP, false), KeyUp, 72u << 8));
  EXPECT_FALSE(isKeyDown(72));
  EXPECT_TRUE(isKey(button(SDL_CONTROLLER_BUTTON_A, true), KeyDown, 13u | 28u << 8));
  EXPECT_TRUE(isKey(button(SDL_CONTROLLER_BUTTON_A, false), KeyUp, 13u | 28u << 8));
  // Escape is seen by its character, as the key-down callback looks for it.
  EXPECT_TRUE(isKey(button(SDL_CONTROLLER_BUTTON_BACK, true), KeyDown, 27u | 1u << 8));
  button(SDL_CONTROLLER_BUTTON_BACK, false);
  EXPECT_TRUE(button(SDL_CONTROLLER_BUTTON_X, true).empty());

  // Start and the D-pad's right both hold Right: it is let go with the last.
  EXPECT_TRUE(isKey(button(SDL_CONTROLLER_BUTTON_START, true), KeyDown, 77u << 8));
  EXPECT_TRUE(button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true).empty());
  EXPECT_TRUE(button(SDL_CONTROLLER_BUTTON_START, false).empty());
  EXPECT_TRUE(isKeyDown(77));
  EXPECT_TRUE(isKey(button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, false), KeyUp, 77u << 8));
}

TEST_F(GamepadTest, TheStickHasADeadZoneAndPullingThePadOutLetsGo) {
  EXPECT_TRUE(axis(SDL_CONTROLLER_AXIS_LEFTX, 8000).empty());
  EXPECT_TRUE(isKey(axis(SDL_CONTROLLER_AXIS_LEFTX, 30000), KeyDown, 77u << 8));
  EXPECT_TRUE(axis(SDL_CONTROLLER_AXIS_LEFTX, 12000).empty()) << "still held near the zone's edge";
  EXPECT_TRUE(isKey(axis(SDL_CONTROLLER_AXIS_LEFTX, 2000), KeyUp, 77u << 8));
  // Straight from one side to the other.
  EXPECT_TRUE(isKey(axis(SDL_CONTROLLER_AXIS_LEFTX, -30000), KeyDown, 75u << 8));
  const std::vector<Event> across = axis(SDL_CONTROLLER_AXIS_LEFTX, 30000);
  ASSERT_EQ(across.size(), 2u);
  EXPECT_EQ(across[0].what, KeyUp);
  EXPECT_EQ(across[1].message, 77u << 8);
  EXPECT_TRUE(isKey(axis(SDL_CONTROLLER_AXIS_LEFTY, -30000), KeyDown, 72u << 8));  // up is negative
  EXPECT_TRUE(isKey(button(SDL_CONTROLLER_BUTTON_A, true), KeyDown, 13u | 28u << 8));

  pullOut();
  const std::vector<Event> released = drain();
  EXPECT_EQ(released.size(), 3u);
  for (const Event &e : released) EXPECT_EQ(e.what, KeyUp);
  EXPECT_FALSE(isKeyDown(77));
  EXPECT_FALSE(isKeyDown(72));
  EXPECT_FALSE(isKeyDown(28));

  // Plugged in again, it plays again.
  plugIn();
  EXPECT_TRUE(isKey(button(SDL_CONTROLLER_BUTTON_DPAD_DOWN, true), KeyDown, 80u << 8));
}

TEST_F(GamepadTest, UpThenStartLeavesTheMenuForPlay) {
  resetGameState();
  setGameDrawSlot(drawSlot);  // where the game loads its palette
  button(SDL_CONTROLLER_BUTTON_DPAD_UP, true);
  pollKeys();
  EXPECT_EQ(game.menuSelection, 1);
  EXPECT_EQ(game.menuMode, 1);
  button(SDL_CONTROLLER_BUTTON_DPAD_UP, false);
  button(SDL_CONTROLLER_BUTTON_START, true);
  pollKeys();
  EXPECT_EQ(game.menuMode, 0);
}

}  // namespace
