#include "game/shell/records/record_store.h"

#include <cstdio>

#include "framework/host.h"
#include "game/shell/records/atomic_file.h"

namespace {

constexpr const char *RecordsFileName = "records.txt";

bool exists(const std::string &path) {
  std::FILE *f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  std::fclose(f);
  return true;
}

}  // namespace

void RecordStore::say(const std::string &text) const {
  if (say_) say_(text);
}

void RecordStore::open(const std::string &folder, PlayerMessageFunc sayFunc) {
  say_ = sayFunc;
  folder_ = folder;
  records_.clear();
  writable_ = false;
  if (folder_.empty()) {
    say("Kein Ordner für Spielerdateien: Bestleistungen werden nicht gespeichert.");
    return;
  }
  const std::string path = folder_ + "/" + RecordsFileName;
  std::string text;
  if (!readWholeFile(path, text)) {
    writable_ = true;
    if (exists(path)) {
      say("Die Bestleistungen in \"" + path + "\" sind nicht lesbar; sie werden nicht verändert.");
      writable_ = false;
    }
    return;
  }
  switch (parseCourseRecords(text, records_)) {
    case RecordsReading::Read:
      writable_ = true;
      break;
    case RecordsReading::Newer:
      say("\"" + path +
          "\" stammt von einer neueren Version von Kelvaro; die Bestleistungen bleiben unverändert.");
      records_.clear();
      break;
    case RecordsReading::Damaged: {
      records_.clear();
      const std::string aside = setFileAside(path);
      if (aside.empty()) {
        say("\"" + path +
            "\" ist beschädigt und lässt sich nicht beiseitelegen; es wird ohne Bestleistungen gespielt.");
      } else {
        say("\"" + path + "\" war beschädigt und liegt nun als \"" + aside +
            "\"; es geht mit leeren Bestleistungen weiter.");
        writable_ = true;
      }
      break;
    }
  }
}

const CourseResult *RecordStore::best(const std::string &course) const {
  const auto found = records_.find(course);
  return found == records_.end() ? nullptr : &found->second;
}

std::string RecordStore::replayFile(const std::string &course) const {
  if (folder_.empty() || !best(course)) return {};
  const std::string path = folder_ + "/" + course + ".replay";
  return exists(path) ? path : std::string{};
}

bool RecordStore::write(const std::string &path, const std::string &text) {
  std::string error;
  if (writeFileAtomically(path, text, error)) return true;
  say("Die Bestleistung konnte nicht gespeichert werden (" + error + ").");
  return false;
}

bool RecordStore::offer(const std::string &course, const CourseResult &result,
                        const std::string &replayText) {
  const CourseResult *old = best(course);
  if (old && !isBetterResult(result, *old)) return false;
  if (!writable_) {
    records_[course] = result;
    return true;
  }
  CourseRecords updated = records_;
  updated[course] = result;
  // The replay first: a record never points at a run that was not kept.
  bool written = replayText.empty() || write(folder_ + "/" + course + ".replay", replayText);
  written = written && write(folder_ + "/" + RecordsFileName, formatCourseRecords(updated));
  records_ = std::move(updated);
  if (written) hostPlayerFilesChanged();
  return true;
}
