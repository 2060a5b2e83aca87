// Which sounds a pass calls for, read from the state before and after it,
// and the M key.
#include <gtest/gtest.h>

#include "framework/framework.h"
#include "game/shell/game_state.h"
#include "game/shell/input.h"
#include "game/shell/sound_cues.h"
#include "game/sound/sound_control.h"

namespace {

PassState playing(int jumpIndex) {
  PassState s{};
  s.menuMode = 0;
  s.menuSelection = 1;
  s.lives = 3;
  s.jumpIndex = jumpIndex;
  s.velocityX = 0.001;
  return s;
}

PassCues between(const PassState &a, const PassState &b, int charging = 1) {
  return cuesBetween(a, b, charging);
}

TEST(SoundCues, ContactsSoundByTheirKindAndStrength) {
  // The index moving on, or resting at 38: no contact.
  EXPECT_EQ(between(playing(12), playing(13)).count, 0);
  EXPECT_EQ(between(playing(38), playing(38)).count, 0);

  // A plain floor contact, a flat one (Enter held) and a charged one.
  PassCues plain = between(playing(37), playing(10));
  ASSERT_EQ(plain.count, 1);
  EXPECT_EQ(plain.cues[0].kind, SoundKind::Bounce);
  EXPECT_LT(between(playing(38), playing(17)).cues[0].gain, plain.cues[0].gain);
  PassCues charged = between(playing(38), playing(0));
  ASSERT_EQ(charged.count, 1);
  EXPECT_EQ(charged.cues[0].kind, SoundKind::ChargedBounce);
  EXPECT_LT(between(playing(38), playing(5)).cues[0].gain, charged.cues[0].gain);

  // A wall turns the velocity round; a contact with the index it would
  // have reached anyway is a contact only by the velocity.
  PassState after = playing(10);
  after.velocityX = -0.001;
  PassCues wall = between(playing(30), after);
  ASSERT_EQ(wall.count, 1);
  EXPECT_EQ(wall.cues[0].kind, SoundKind::Wall);
  wall = between(playing(9), after);
  ASSERT_EQ(wall.count, 1);
  EXPECT_EQ(wall.cues[0].kind, SoundKind::Wall);

  // Enter held: a tick on every sixth pass, higher as the charge grows.
  PassState holding = playing(13);
  holding.jumpHeld = 1;
  holding.jumpCharge = 0.5;
  PassCues tick = between(playing(12), holding, 0);
  ASSERT_EQ(tick.count, 1);
  EXPECT_EQ(tick.cues[0].kind, SoundKind::ChargeTick);
  EXPECT_DOUBLE_EQ(tick.cues[0].pitch, 1.5);
  EXPECT_EQ(between(playing(12), holding, 1).count, 0);
}

TEST(SoundCues, LivesAndTheMenu) {
  PassState lost = playing(30);
  lost.lives = 2;
  lost.jumpIndex = 10;  // a floor touched in the same pass is not heard over the loss
  PassCues c = between(playing(29), lost);
  ASSERT_EQ(c.count, 1);
  EXPECT_EQ(c.cues[0].kind, SoundKind::LifeLost);

  // The fourth loss: back in the menu with the lives refilled.
  PassState lastLife = playing(29);
  lastLife.lives = 0;
  PassState menu = playing(30);
  menu.menuMode = 1;
  c = between(lastLife, menu);
  ASSERT_EQ(c.count, 1);
  EXPECT_EQ(c.cues[0].kind, SoundKind::GameOver);

  // The menu: a move, nothing while it stays, and the play item taken. The
  // playing frame of the taking pass didn't move the index on.
  PassState onQuit = menu;
  onQuit.menuSelection = 0;
  c = between(onQuit, menu);
  ASSERT_EQ(c.count, 1);
  EXPECT_EQ(c.cues[0].kind, SoundKind::MenuMove);
  EXPECT_EQ(between(menu, menu).count, 0);
  PassState taken = menu;
  taken.menuMode = 0;
  c = between(menu, taken);
  ASSERT_EQ(c.count, 1);
  EXPECT_EQ(c.cues[0].kind, SoundKind::MenuTake);
}

bool heardMuted = false;
int toggles = 0;
void noteToggle(bool muted) {
  heardMuted = muted;
  ++toggles;
}

Event key(uint32_t what, int character, int scan) {
  Event e{};
  e.what = what;
  e.message = static_cast<uint32_t>(character) | static_cast<uint32_t>(scan) << 8;
  return e;
}

TEST(SoundCues, MMutesAndUnmutesAndTellsTheHook) {
  setSoundMuted(false);
  setSoundToggleHook(noteToggle);
  onKeyDown(key(KeyDown, 'm', 50));
  EXPECT_TRUE(soundMuted());
  EXPECT_TRUE(heardMuted);
  onKeyDown(key(KeyRepeat, 'm', 50));  // held: no flip back and forth
  EXPECT_TRUE(soundMuted());
  onKeyDown(key(KeyDown, 'M', 50));
  EXPECT_FALSE(soundMuted());
  EXPECT_FALSE(heardMuted);
  // Right's scan code is the character code of 'M': the character decides.
  onKeyDown(key(KeyDown, 0, 77));
  onKeyUp(key(KeyUp, 'm', 50));
  EXPECT_EQ(toggles, 2);
  EXPECT_FALSE(soundMuted());
  setSoundToggleHook(nullptr);
}

}  // namespace
