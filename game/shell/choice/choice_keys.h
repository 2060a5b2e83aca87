// The choice's keys: what was pressed since the last pass (a key still held
// from before, such as Right that took the last course or quit its menu, does
// nothing until it is let go and pressed again).
#pragma once

enum class ChoiceKey { None, Up, Down, Take, Watch };

class ChoiceKeys {
 public:
  // Forgets the presses so far: every key held now counts as old.
  void settle();
  // The key newly pressed in this pass (the first in the order Up, Down,
  // Take, Watch), None for none.
  ChoiceKey poll();
  // True when none of the choice's keys is held.
  bool allReleased() const;

 private:
  bool held_[5] = {};
};
