#include "game/shell/choice/replay_start.h"

#include <cstdio>
#include <vector>

#include "game/shell/ascii_case.h"
#include "game/shell/choice/run_keys.h"
#include "game/shell/course_choice.h"
#include "game/shell/input.h"
#include "game/shell/records/atomic_file.h"
#include "game/shell/records/course_hash.h"
#include "game/shell/records/replay_file.h"

namespace {

KeyPlayer player;
long nextPass = 0;

int refuse(const std::string &text) {
  std::fprintf(stderr, "Kelvaro: %s\n", text.c_str());
  std::fflush(stderr);
  return 1;
}

}  // namespace

std::string replayRequest(int argc, const char *const *argv) {
  for (int i = 1; i + 1 < argc; ++i)
    if (argv[i] && argv[i + 1] && equalIgnoringCase(argv[i], "-replay")) return argv[i + 1];
  return {};
}

int enterReplayCourse(const std::string &file) {
  std::string text;
  if (!readWholeFile(file, text))
    return refuse("Die Aufzeichnung \"" + file + "\" kann nicht gelesen werden.");
  ReplayHeader header;
  std::vector<ReplayKey> keys;
  switch (parseReplay(text, header, keys)) {
    case ReplayReading::Read:
      break;
    case ReplayReading::Newer:
      return refuse("Die Aufzeichnung \"" + file + "\" stammt von einer neueren Version von Kelvaro.");
    case ReplayReading::NotReplay:
    case ReplayReading::Damaged:
      return refuse("\"" + file + "\" ist keine lesbare Aufzeichnung einer Fahrt.");
  }
  CourseRequest request;
  request.kind = CourseRequest::Start;
  request.name = header.course;
  const int status = enterRequestedCourse(request);
  if (status >= 0) return status;
  if (hashCourseFiles(".") != header.courseHash)
    return refuse("Die Aufzeichnung \"" + file + "\" passt nicht zum Kurs \"" + header.course +
                  "\": seine Dateien haben sich seit der Aufnahme geändert.");
  player.start(std::move(keys));
  player.install();
  nextPass = 0;
  return -1;
}

void pollReplayedKeys() {
  player.advanceTo(nextPass++);
  pollKeys();
}
