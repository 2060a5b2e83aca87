// libFuzzer target: the readers of the player's files on arbitrary bytes -
// the records, a replay and the catalogue's par lines. Whatever a reader
// accepts must survive being written and read again unchanged.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "game/shell/records/course_records.h"
#include "game/shell/records/par_table.h"
#include "game/shell/records/replay_file.h"

namespace {

void check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const std::string text(reinterpret_cast<const char *>(data), size);

  CourseRecords records;
  if (parseCourseRecords(text, records) == RecordsReading::Read) {
    CourseRecords again;
    check(parseCourseRecords(formatCourseRecords(records), again) == RecordsReading::Read);
    check(again.size() == records.size());
    for (const auto &[name, result] : records) {
      check(again.count(name) == 1);
      check(again[name].passes == result.passes && again[name].livesLost == result.livesLost);
    }
  }

  ReplayHeader header;
  std::vector<ReplayKey> keys;
  if (parseReplay(text, header, keys) == ReplayReading::Read) {
    ReplayHeader header2;
    std::vector<ReplayKey> keys2;
    check(parseReplay(formatReplay(header, keys), header2, keys2) == ReplayReading::Read);
    check(header2.course == header.course && header2.courseHash == header.courseHash &&
          header2.width == header.width && header2.passes == header.passes && keys2.size() == keys.size());
    for (size_t i = 0; i < keys.size(); ++i)
      check(keys2[i].pass == keys[i].pass && keys2[i].scanCode == keys[i].scanCode &&
            keys2[i].down == keys[i].down);
  }

  for (const auto &[name, par] : parseParLines(text)) {
    check(par.gold >= 1 && par.gold <= par.silver && par.silver <= par.bronze);
    check(medalFor(par.gold, par) == Medal::Gold);
  }
  return 0;
}
