#include "game/shell/choice/run_keys.h"

#include <utility>

#include "framework/events/events.h"
#include "game/shell/input.h"

namespace {

constexpr int playingKeys[5] = {ScanUp, ScanDown, ScanLeft, ScanRight, ScanEnter};

bool playedHeld[256] = {};

bool readPlayedKey(int scanCode) {
  return playedHeld[scanCode & 0xFF];
}

}  // namespace

void KeyRecorder::start() {
  for (bool &h : held_) h = false;
  keys_.clear();
}

void KeyRecorder::notePass(long pass) {
  for (int i = 0; i < 5; ++i) {
    const bool now = isKeyDown(playingKeys[i]);
    if (now != held_[i]) keys_.push_back(ReplayKey{pass, playingKeys[i], now});
    held_[i] = now;
  }
}

void KeyPlayer::start(std::vector<ReplayKey> keys) {
  keys_ = std::move(keys);
  next_ = 0;
  for (bool &h : playedHeld) h = false;
}

void KeyPlayer::advanceTo(long pass) {
  while (next_ < keys_.size() && keys_[next_].pass <= pass) {
    playedHeld[keys_[next_].scanCode & 0xFF] = keys_[next_].down;
    ++next_;
  }
}

void KeyPlayer::install() {
  setKeyHeldFunc(readPlayedKey);
}

void KeyPlayer::uninstall() {
  setKeyHeldFunc(nullptr);
}
