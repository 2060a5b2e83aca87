// The controller mapping every back end shares: the stick's dead zone,
// several controls and pads on one key, and a pulled pad letting go. Which
// control presses which key is checked on each back end's own reading.
#include <gtest/gtest.h>

#include <string>

#include "platform/common/gamepad_keys.h"

namespace {

// "+72 -77" style: presses and releases in the order reported.
std::string text(const PadKeyChanges &changes) {
  std::string s;
  for (int i = 0; i < changes.count; ++i) {
    const PadKey &k = changes.keys[i];
    if (!s.empty()) s += ' ';
    s += (k.down ? '+' : '-') + std::to_string(k.scanCode);
    if (k.character) s += '/' + std::to_string(k.character);
  }
  return s;
}

PadState holding(PadButton b) {
  PadState s;
  s.set(b, true);
  return s;
}

TEST(GamepadKeys, TheStickHasADeadZoneWithoutChatter) {
  EXPECT_EQ(stickDirection(0, 0), 0);
  EXPECT_EQ(stickDirection(kStickPress - 1, 0), 0);
  EXPECT_EQ(stickDirection(kStickPress, 0), 1);
  EXPECT_EQ(stickDirection(-32768, 0), -1);
  EXPECT_EQ(stickDirection(kStickRelease, 1), 1);
  EXPECT_EQ(stickDirection(kStickRelease - 1, 1), 0);
  EXPECT_EQ(stickDirection(-kStickRelease, 1), 0);
  EXPECT_EQ(stickDirection(-kStickRelease, -1), -1);

  GamepadKeys keys;
  keys.report(3, PadState{});
  EXPECT_EQ(text(keys.moveStickX(3, 8000)), "");
  EXPECT_EQ(text(keys.moveStickX(3, 30000)), "+77");
  EXPECT_EQ(text(keys.moveStickX(3, 12000)), "") << "still held near the zone's edge";
  EXPECT_EQ(text(keys.moveStickX(3, 2000)), "-77");
  EXPECT_EQ(text(keys.moveStickX(3, -30000)), "+75");
  EXPECT_EQ(text(keys.moveStickX(3, 30000)), "-75 +77") << "straight across: let go first";
  EXPECT_EQ(text(keys.moveStickY(3, -30000)), "+72") << "up is negative";
}

TEST(GamepadKeys, AKeyHeldByManyControlsGoesUpWithTheLast) {
  GamepadKeys keys;
  EXPECT_EQ(text(keys.report(0, holding(PadButton::Start))), "+77");
  EXPECT_EQ(text(keys.setButton(0, PadButton::DpadRight, true)), "");
  EXPECT_EQ(text(keys.setButton(0, PadButton::Start, false)), "");
  // A second pad on the same key.
  EXPECT_EQ(text(keys.report(1, holding(PadButton::DpadRight))), "");
  EXPECT_EQ(text(keys.setButton(0, PadButton::DpadRight, false)), "");
  EXPECT_EQ(text(keys.moveStickX(1, 20000)), "");
  EXPECT_EQ(text(keys.report(1, PadState{})), "-77");
  // Within one report, a control let go while another takes the key over.
  PadState stick;
  stick.stickX = 30000;
  keys.report(1, holding(PadButton::Start));
  EXPECT_EQ(text(keys.report(1, stick)), "");
}

TEST(GamepadKeys, APulledPadLetsGoAndComesBackAsNew) {
  GamepadKeys keys;
  PadState s = holding(PadButton::South);
  s.set(PadButton::DpadUp, true);
  s.stickX = -30000;
  EXPECT_EQ(text(keys.report(7, s)), "+72 +75 +28/13");
  keys.report(8, holding(PadButton::DpadUp));
  EXPECT_EQ(text(keys.remove(7)), "-75 -28/13");
  EXPECT_EQ(text(keys.remove(8)), "-72");
  // Controls of a pad the mapping does not know change nothing.
  EXPECT_EQ(text(keys.setButton(7, PadButton::South, true)), "");

  // Pads past the most it keeps are ignored, until one leaves.
  GamepadKeys many;
  for (int id = 0; id < GamepadKeys::kMostPads; ++id) many.report(id, PadState{});
  EXPECT_EQ(text(many.report(100, holding(PadButton::Back))), "");
  many.remove(0);
  EXPECT_EQ(text(many.report(100, holding(PadButton::Back))), "+1/27");
}

}  // namespace
