#include "key_script.h"

#include <sstream>

namespace {

bool keyByName(const std::string &name, ScriptKey &key) {
  static const struct {
    const char *name;
    ScriptKey key;
  } names[] = {{"up", ScriptKey::Up},       {"down", ScriptKey::Down},   {"left", ScriptKey::Left},
               {"right", ScriptKey::Right}, {"enter", ScriptKey::Enter}, {"escape", ScriptKey::Escape}};
  for (const auto &n : names) {
    if (name == n.name) {
      key = n.key;
      return true;
    }
  }
  return false;
}

}  // namespace

bool readKeyScript(std::istream &in, std::vector<KeyChange> &changes, std::string &error) {
  std::string line;
  int lineNumber = 0;
  long lastPass = 0;
  while (std::getline(in, line)) {
    ++lineNumber;
    const auto hash = line.find('#');
    if (hash != std::string::npos) line.erase(hash);
    std::istringstream words(line);
    long pass;
    std::string change;
    if (!(words >> pass)) {
      if (words.eof()) continue;  // blank or comment only
      error = "line " + std::to_string(lineNumber) + ": no pass number";
      return false;
    }
    ScriptKey key;
    if (!(words >> change) || change.size() < 2 || (change[0] != '+' && change[0] != '-') ||
        !keyByName(change.substr(1), key) || pass < lastPass) {
      error = "line " + std::to_string(lineNumber) + ": expected \"PASS +KEY\" or \"PASS -KEY\" in order";
      return false;
    }
    lastPass = pass;
    changes.push_back({pass, key, change[0] == '+'});
  }
  return true;
}
