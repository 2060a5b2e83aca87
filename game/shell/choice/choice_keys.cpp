#include "game/shell/choice/choice_keys.h"

#include "framework/events/events.h"
#include "game/shell/input.h"

namespace {

constexpr int keys[5] = {ScanUp, ScanDown, ScanRight, ScanEnter, ScanLeft};
constexpr ChoiceKey meanings[5] = {ChoiceKey::Up, ChoiceKey::Down, ChoiceKey::Take, ChoiceKey::Take,
                                   ChoiceKey::Watch};

}  // namespace

void ChoiceKeys::settle() {
  for (int i = 0; i < 5; ++i) held_[i] = isKeyDown(keys[i]);
}

ChoiceKey ChoiceKeys::poll() {
  ChoiceKey pressed = ChoiceKey::None;
  for (int i = 0; i < 5; ++i) {
    const bool now = isKeyDown(keys[i]);
    if (now && !held_[i] && pressed == ChoiceKey::None) pressed = meanings[i];
    held_[i] = now;
  }
  return pressed;
}

bool ChoiceKeys::allReleased() const {
  for (int key : keys)
    if (isKeyDown(key)) return false;
  return true;
}
