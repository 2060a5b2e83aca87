// The keys of one run of a course: written down while the player plays, so
// that a won run can be kept as a replay, and handed back pass by pass when
// a replay is watched.
#pragma once

#include <vector>

#include "game/shell/records/replay_file.h"

// Notes every change of the five playing keys, with the pass (counted from
// the course's start) in which the game first saw it.
class KeyRecorder {
 public:
  void start();
  void notePass(long pass);
  const std::vector<ReplayKey> &keys() const { return keys_; }

 private:
  bool held_[5] = {};
  std::vector<ReplayKey> keys_;
};

// Plays recorded keys: install() makes the game read them instead of the
// keyboard; advanceTo(pass) applies the changes due by that pass.
class KeyPlayer {
 public:
  void start(std::vector<ReplayKey> keys);
  void advanceTo(long pass);
  void install();
  static void uninstall();

 private:
  std::vector<ReplayKey> keys_;
  size_t next_ = 0;
};
