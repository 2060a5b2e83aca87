// A replay: the key script of a won run (the lines "PASS +KEY" / "PASS -KEY"
// that kelvaro-headless --keys reads, passes counted from the course's
// start), behind a header of comment lines that says what it was played on:
//   # kelvaro-replay 1
//   # course NAME
//   # course-hash HEX
//   # size WxH
//   # version VERSION
//   # passes N
// A reader of plain key scripts skips the header as comments.
#pragma once

#include <string>
#include <vector>

struct ReplayHeader {
  std::string course;
  std::string courseHash;  // 16 hexadecimal digits
  int width = 0, height = 0;
  std::string version;
  long passes = 0;
};

struct ReplayKey {
  long pass;
  int scanCode;
  bool down;
};

inline constexpr int ReplayFormatVersion = 1;

std::string formatReplay(const ReplayHeader &header, const std::vector<ReplayKey> &keys);

enum class ReplayReading { NotReplay, Read, Damaged, Newer };

// NotReplay: the text does not start with the replay line (a plain key
// script). Damaged: a header line missing or malformed, or a key line that is
// not one of the five playing keys in rising pass order.
ReplayReading parseReplay(const std::string &text, ReplayHeader &header, std::vector<ReplayKey> &keys);

// The key's script name ("up", "down", "left", "right", "enter"), null for
// other scan codes.
const char *replayKeyName(int scanCode);
