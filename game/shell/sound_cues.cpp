#include "game/shell/sound_cues.h"

#include <cstring>

#include "game/shell/game_state.h"
#include "game/sim/ball.h"
#include "game/sound/sound_control.h"

namespace {

constexpr const char *WinMessage = "Sie haben gewonnen";
// Highest index a bounce may hold before the next contact resets it.
constexpr int RestingJumpIndex = 38;
// A floor contact at jumpFactor 1.0 sets this index; lower ones are charged
// jumps, higher ones the flat bounces of a held Enter.
constexpr int PlainBounceIndex = 10;
constexpr int FlattestBounceIndex = 17;
constexpr int ChargeTickEvery = 6;

PassState previous{};
bool havePrevious = false;  // a test's game may draw before any start-up
int chargePasses = 0;

void add(PassCues &out, SoundKind kind, double gain = 1.0, double pitch = 1.0) {
  if (out.count < static_cast<int>(sizeof out.cues / sizeof out.cues[0])) out.cues[out.count++] = {kind, gain, pitch};
}

// Only a wall turns the velocity round, exactly.
bool turnedBack(const PassState &before, const PassState &after) {
  return (before.velocityX != 0.0 || before.velocityY != 0.0) && after.velocityX == -before.velocityX &&
         after.velocityY == -before.velocityY;
}

// A contact sets the bounce index anew.
void addContact(PassCues &out, const PassState &before, const PassState &after) {
  if (turnedBack(before, after)) {
    add(out, SoundKind::Wall, 0.9);
    return;
  }
  const int index = after.jumpIndex;
  if (index < PlainBounceIndex) {
    // Charged: the stronger the charge (lower index), the louder and higher.
    const double strength = static_cast<double>(PlainBounceIndex - index) / PlainBounceIndex;
    add(out, SoundKind::ChargedBounce, 0.7 + 0.3 * strength, 1.0 + 0.25 * strength);
  } else {
    // Flat bounces of a held Enter are quieter and lower.
    const int flatness = index > FlattestBounceIndex ? FlattestBounceIndex - PlainBounceIndex : index - PlainBounceIndex;
    const double weakness = static_cast<double>(flatness) / (FlattestBounceIndex - PlainBounceIndex);
    add(out, SoundKind::Bounce, 0.8 - 0.4 * weakness, 1.0 - 0.2 * weakness);
  }
}

}  // namespace

PassState currentPassState() {
  PassState s{};
  s.menuMode = game.menuMode;
  s.menuSelection = game.menuSelection;
  s.lives = game.lives;
  s.jumpIndex = ball.jumpIndex;
  s.jumpCharge = ball.jumpCharge;
  s.jumpHeld = ball.jumpHeld;
  s.velocityX = ball.velocityX;
  s.velocityY = ball.velocityY;
  return s;
}

PassCues cuesBetween(const PassState &before, const PassState &after, int charging) {
  PassCues out;
  if (before.menuMode == 1) {
    if (after.menuMode == 0) {
      add(out, SoundKind::MenuTake);
    } else if (after.menuSelection != before.menuSelection) {
      add(out, SoundKind::MenuMove);
      return out;
    } else {
      return out;
    }
  }
  // A playing frame ran in this pass (also in the one that left the menu).
  if (after.menuMode == 1) {
    add(out, SoundKind::GameOver);
    return out;
  }
  if (after.lives < before.lives) {
    add(out, SoundKind::LifeLost);
    return out;
  }
  // Without a contact the index moves on by one per playing pass (none in
  // the pass that leaves the menu) and rests at 38.
  int expected = before.jumpIndex;
  if (before.menuMode == 0 && expected < RestingJumpIndex) ++expected;
  if (after.jumpIndex != expected || turnedBack(before, after)) addContact(out, before, after);
  if (after.jumpHeld == 1 && charging % ChargeTickEvery == 0) add(out, SoundKind::ChargeTick, 0.5, 1.0 + after.jumpCharge);
  return out;
}

void listenAfterPass() {
  const PassState now = currentPassState();
  if (havePrevious) {
    chargePasses = now.menuMode == 0 && now.jumpHeld == 1 ? chargePasses + 1 : 0;
    const PassCues cues = cuesBetween(previous, now, chargePasses > 0 ? chargePasses - 1 : 1);
    for (int i = 0; i < cues.count; ++i) playSound(cues.cues[i].kind, cues.cues[i].gain, cues.cues[i].pitch);
  }
  previous = now;
  havePrevious = true;
  soundAfterPass();
}

void resetSoundCues() {
  previous = currentPassState();
  havePrevious = true;
  chargePasses = 0;
}

void cueEndMessage(const char *text) {
  if (text && std::strcmp(text, WinMessage) == 0) {
    playSound(SoundKind::Win);
    soundAfterPass();
  }
}

void cueListMove() {
  playSound(SoundKind::ListMove);
}

void cueListTake() {
  playSound(SoundKind::ListTake);
}
