// Key scripts: one change of a key per line, "PASS +KEY" (pressed) or
// "PASS -KEY" (released); passes count main-loop passes from 0 at program
// start. Keys: up, down, left, right, enter, escape. '#' starts a comment.
#pragma once

#include <istream>
#include <string>
#include <vector>

enum class ScriptKey { Up, Down, Left, Right, Enter, Escape };

struct KeyChange {
  long pass;
  ScriptKey key;
  bool down;
};

bool readKeyScript(std::istream &in, std::vector<KeyChange> &changes, std::string &error);
