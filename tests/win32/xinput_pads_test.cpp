// XInput controllers read through a stand-in for XInputGetState: the
// controls become the keyboard's keys, pulled pads let go, empty slots are
// asked seldom, and a system without XInput has no controllers.
#include <gtest/gtest.h>

#include <string>

#include "platform/win32/win32_gamepad.h"

namespace {

XINPUT_STATE slots[XUSER_MAX_COUNT];
bool plugged[XUSER_MAX_COUNT];
int asked[XUSER_MAX_COUNT];
std::string pressed;

DWORD WINAPI fakeGetState(DWORD slot, XINPUT_STATE *state) {
  ++asked[slot];
  if (!plugged[slot]) return ERROR_DEVICE_NOT_CONNECTED;
  *state = slots[slot];
  return ERROR_SUCCESS;
}

void record(int scanCode, int character, bool down) {
  if (!pressed.empty()) pressed += ' ';
  pressed += (down ? '+' : '-') + std::to_string(scanCode);
  if (down && character) pressed += '/' + std::to_string(character);
}

class XInputPads : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int i = 0; i < XUSER_MAX_COUNT; ++i) slots[i] = {}, plugged[i] = false, asked[i] = 0;
    readXInputThrough(fakeGetState);
  }
  void TearDown() override { readXInputThrough(nullptr); }

  // The keys one poll at `now` pressed.
  std::string poll(uint32_t now) {
    pressed.clear();
    pollXInputPads(now, record);
    return pressed;
  }
  void hold(int slot, WORD buttons, SHORT x = 0, SHORT y = 0) {
    plugged[slot] = true;
    slots[slot].Gamepad = {buttons, 0, 0, x, y, 0, 0};
  }
};

TEST_F(XInputPads, ControlsPressTheKeyboardsKeys) {
  hold(1, XINPUT_GAMEPAD_A | XINPUT_GAMEPAD_DPAD_UP);
  EXPECT_EQ(poll(0), "+72 +28/13");
  hold(1, XINPUT_GAMEPAD_START);
  EXPECT_EQ(poll(16), "-72 -28 +77");
  hold(1, XINPUT_GAMEPAD_BACK | XINPUT_GAMEPAD_DPAD_DOWN | XINPUT_GAMEPAD_DPAD_LEFT | XINPUT_GAMEPAD_B);
  EXPECT_EQ(poll(32), "-77 +80 +75 +1/27");
  // The stick: XInput's grows upwards; its most negative value reads as
  // fully down.
  hold(1, XINPUT_GAMEPAD_DPAD_RIGHT, 0, 30000);
  EXPECT_EQ(poll(48), "-80 -75 -1 +72 +77");
  hold(1, 0, -32768, -32768);
  EXPECT_EQ(poll(64), "-72 -77 +80 +75");
}

TEST_F(XInputPads, PluggingAndPullingWithEmptySlotsAskedOnceASecond) {
  EXPECT_EQ(poll(0), "");
  for (int slot = 0; slot < XUSER_MAX_COUNT; ++slot) EXPECT_EQ(asked[slot], 1);
  hold(2, XINPUT_GAMEPAD_DPAD_RIGHT);
  EXPECT_EQ(poll(500), "") << "an empty slot waits its second";
  EXPECT_EQ(asked[2], 1);
  EXPECT_EQ(poll(1000), "+77");
  poll(1016);
  EXPECT_EQ(asked[2], 3) << "a slot with a pad is read every frame";
  EXPECT_EQ(asked[0], 2);

  // Pulled while held: the key goes up; a second pad keeps its own key.
  hold(0, XINPUT_GAMEPAD_A);
  EXPECT_EQ(poll(2000), "+28/13");
  plugged[2] = false;
  EXPECT_EQ(poll(2016), "-77");
  hold(2, XINPUT_GAMEPAD_DPAD_RIGHT);
  EXPECT_EQ(poll(3016), "+77");

  // A program sent behind lets go of everything; in front again it reads
  // what is held.
  pressed.clear();
  releaseXInputPads(record);
  EXPECT_EQ(pressed, "-28 -77");
  EXPECT_EQ(poll(3032), "+28/13 +77");
}

TEST(XInputLoading, NoDllMeansNoControllers) {
  EXPECT_EQ(loadXInputGetState({"kelvaro-no-such-xinput.dll"}), nullptr);
  // Wine carries the DLL of Windows 7 and later under this name.
  EXPECT_NE(loadXInputGetState({"kelvaro-no-such-xinput.dll", "xinput9_1_0.dll"}), nullptr);
  readXInputThrough(nullptr);
  pressed.clear();
  pollXInputPads(0, record);
  EXPECT_EQ(pressed, "");
}

}  // namespace
