#include "key_script.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>

namespace {

std::string trimmed(const std::string &s) {
  const char *space = " \t\r\n\f\v";
  const size_t first = s.find_first_not_of(space);
  if (first == std::string::npos) return {};
  const size_t last = s.find_last_not_of(space);
  return s.substr(first, last - first + 1);
}

std::string lowered(std::string s) {
  for (char &c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

bool readPass(const std::string &text, long &pass) {
  if (text.empty()) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  errno = 0;
  const long value = std::strtol(text.c_str(), nullptr, 10);
  if (errno == ERANGE || value == LONG_MAX) return false;
  pass = value;
  return true;
}

bool parseLine(const std::string &line, KeyChange &change) {
  const size_t gap = line.find_first_of(" \t");
  if (gap == std::string::npos) return false;
  const std::string passText = line.substr(0, gap);
  const std::string keyText = trimmed(line.substr(gap));
  if (keyText.size() < 2 || keyText.find_first_of(" \t") != std::string::npos) return false;
  if (keyText[0] != '+' && keyText[0] != '-') return false;
  if (!readPass(passText, change.pass)) return false;
  const std::string name = lowered(keyText.substr(1));
  for (const ScriptKey &key : scriptKeys()) {
    if (name == key.name) {
      change.scanCode = key.scanCode;
      change.character = key.character;
      change.down = keyText[0] == '+';
      return true;
    }
  }
  return false;
}

}  // namespace

const std::vector<ScriptKey> &scriptKeys() {
  static const std::vector<ScriptKey> keys = {
      {"up", 72, 0}, {"down", 80, 0}, {"left", 75, 0}, {"right", 77, 0}, {"enter", 28, 13}, {"escape", 1, 27}, {"m", 50, 'm'},
  };
  return keys;
}

bool readKeyScript(std::istream &in, std::vector<KeyChange> &changes, std::string &error) {
  changes.clear();
  std::vector<KeyChange> read;
  std::string raw;
  long lineNumber = 0;
  while (std::getline(in, raw)) {
    ++lineNumber;
    const std::string line = trimmed(raw);
    if (line.empty() || line[0] == '#') continue;
    KeyChange change{};
    if (!parseLine(line, change)) {
      error = std::to_string(lineNumber) +
              ": expected \"PASS +KEY\" or \"PASS -KEY\" with KEY one of up, down, "
              "left, right, enter, escape, m, not \"" +
              trimmed(raw) + "\"";
      return false;
    }
    read.push_back(change);
  }
  if (in.bad()) {
    error = std::to_string(lineNumber + 1) + ": read error";
    return false;
  }
  std::stable_sort(read.begin(), read.end(),
                   [](const KeyChange &a, const KeyChange &b) { return a.pass < b.pass; });
  changes = std::move(read);
  return true;
}

std::vector<KeyChange> KeySchedule::take(long pass) {
  std::vector<KeyChange> due;
  // Changes for passes already gone (asked for out of order) are dropped
  // rather than replayed late.
  while (next_ < changes_.size() && changes_[next_].pass < pass) ++next_;
  while (next_ < changes_.size() && changes_[next_].pass == pass) due.push_back(changes_[next_++]);
  return due;
}
