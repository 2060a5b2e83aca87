#include "game/shell/records/replay_file.h"

#include <sstream>

#include "game/shell/course_catalogue.h"
#include "game/shell/records/whole_number.h"

namespace {

struct NamedKey {
  const char *name;
  int scanCode;
};
constexpr NamedKey playingKeys[] = {{"up", 72}, {"down", 80}, {"left", 75}, {"right", 77}, {"enter", 28}};

constexpr const char *FirstLine = "# kelvaro-replay ";

bool isHash(const std::string &s) {
  if (s.size() != 16) return false;
  for (char c : s)
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  return true;
}

// "# KEY VALUE" with exactly one value word.
bool headerField(std::istream &in, const char *key, std::string &value) {
  std::string line;
  if (!std::getline(in, line)) return false;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  std::istringstream fields(line);
  std::string hash, name, rest;
  return (fields >> hash >> name >> value) && !(fields >> rest) && hash == "#" && name == key;
}

}  // namespace

const char *replayKeyName(int scanCode) {
  for (const NamedKey &k : playingKeys)
    if (k.scanCode == scanCode) return k.name;
  return nullptr;
}

std::string formatReplay(const ReplayHeader &h, const std::vector<ReplayKey> &keys) {
  std::string text = FirstLine + std::to_string(ReplayFormatVersion) + "\n";
  text += "# course " + h.course + "\n";
  text += "# course-hash " + h.courseHash + "\n";
  text += "# size " + std::to_string(h.width) + "x" + std::to_string(h.height) + "\n";
  text += "# version " + h.version + "\n";
  text += "# passes " + std::to_string(h.passes) + "\n";
  for (const ReplayKey &k : keys) {
    const char *name = replayKeyName(k.scanCode);
    if (name) text += std::to_string(k.pass) + (k.down ? " +" : " -") + name + "\n";
  }
  return text;
}

ReplayReading parseReplay(const std::string &text, ReplayHeader &header, std::vector<ReplayKey> &keys) {
  std::istringstream in(text);
  std::string line;
  if (!std::getline(in, line)) return ReplayReading::NotReplay;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (line.rfind(FirstLine, 0) != 0) return ReplayReading::NotReplay;
  long version = 0;
  if (!readWholeNumber(line.substr(std::string(FirstLine).size()), 999999, version) || version < 1)
    return ReplayReading::Damaged;
  if (version > ReplayFormatVersion) return ReplayReading::Newer;

  ReplayHeader h;
  std::string size, passes;
  if (!headerField(in, "course", h.course) || !isSafeCourseName(h.course) ||
      !headerField(in, "course-hash", h.courseHash) || !isHash(h.courseHash) ||
      !headerField(in, "size", size) || !headerField(in, "version", h.version) ||
      !headerField(in, "passes", passes) || !readWholeNumber(passes, 100000000, h.passes))
    return ReplayReading::Damaged;
  if (size == "640x480") {
    h.width = 640;
    h.height = 480;
  } else if (size == "320x240") {
    h.width = 320;
    h.height = 240;
  } else {
    return ReplayReading::Damaged;
  }

  std::vector<ReplayKey> read;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    std::string passText, keyText, rest;
    long pass = 0;
    if (!(fields >> passText >> keyText) || (fields >> rest) || !readWholeNumber(passText, h.passes, pass) ||
        keyText.size() < 2 || (keyText[0] != '+' && keyText[0] != '-'))
      return ReplayReading::Damaged;
    if (!read.empty() && pass < read.back().pass) return ReplayReading::Damaged;
    int scanCode = 0;
    for (const NamedKey &k : playingKeys)
      if (keyText.compare(1, std::string::npos, k.name) == 0) scanCode = k.scanCode;
    if (!scanCode) return ReplayReading::Damaged;
    read.push_back(ReplayKey{pass, scanCode, keyText[0] == '+'});
  }
  header = std::move(h);
  keys = std::move(read);
  return ReplayReading::Read;
}
