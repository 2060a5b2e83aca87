// The player's records in their folder ("records.txt"), with the best run of
// each course beside them ("NAME.replay"). Whatever goes wrong with the
// folder or the file, the game plays on: a damaged file is set aside, a
// newer version's file left alone, a missing folder means no records; each
// of these says so once through the message function.
#pragma once

#include <string>

#include "game/shell/records/course_records.h"

using PlayerMessageFunc = void (*)(const std::string &text);

class RecordStore {
 public:
  // `folder` "" : no place for player files.
  void open(const std::string &folder, PlayerMessageFunc say);

  const CourseResult *best(const std::string &course) const;

  // Keeps `result` when it is the course's first or better than its best,
  // with the run's replay text; returns whether it was a new best (also when
  // it could not be written: the player still beat it).
  bool offer(const std::string &course, const CourseResult &result, const std::string &replayText);

  // The kept best run's file, "" when there is none.
  std::string replayFile(const std::string &course) const;

  bool keepsRecords() const { return writable_; }

 private:
  void say(const std::string &text) const;
  bool write(const std::string &path, const std::string &text);

  std::string folder_;
  CourseRecords records_;
  bool writable_ = false;
  PlayerMessageFunc say_ = nullptr;
};
