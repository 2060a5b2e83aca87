// Key scripts: "PASS +KEY" presses KEY and "PASS -KEY" releases it just
// before main-loop pass PASS (counted from 0) fetches its events. KEY is one
// of up, down, left, right, enter, escape, m (sound on and off). Lines starting with '#' and blank
// lines are ignored.
#pragma once

#include <istream>
#include <string>
#include <utility>
#include <vector>

struct ScriptKey {
  const char *name;
  int scanCode;   // PC set-1
  int character;  // what the key types, 0 for none
};

struct KeyChange {
  long pass;
  int scanCode;
  int character;
  bool down;
};

// The keys a script may name.
const std::vector<ScriptKey> &scriptKeys();

// Reads the whole script; the changes come back ordered by pass, in file
// order within a pass. On a bad line returns false with `error` naming the
// line ("LINE: ..."), and `changes` is left empty.
bool readKeyScript(std::istream &in, std::vector<KeyChange> &changes, std::string &error);

// Plays a sorted script pass by pass: hands out the changes of one pass.
class KeySchedule {
 public:
  explicit KeySchedule(std::vector<KeyChange> changes) : changes_(std::move(changes)) {}
  // The changes for `pass`; passes must be asked for in rising order.
  std::vector<KeyChange> take(long pass);

 private:
  std::vector<KeyChange> changes_;
  size_t next_ = 0;
};
