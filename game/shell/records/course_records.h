// The player's best results, one per course: the fewest passes from the
// start of play to the goal and the lives lost on that run. Kept as text:
//   kelvaro-records 1
//   NAME PASSES LIVESLOST
//   ...
//   end
// The closing "end" line tells a complete file from a cut-off one.
#pragma once

#include <map>
#include <string>

struct CourseResult {
  long passes = 0;
  int livesLost = 0;
};

using CourseRecords = std::map<std::string, CourseResult>;

inline constexpr int RecordsFormatVersion = 1;

enum class RecordsReading { Read, Damaged, Newer };

// Damaged: not a records file of any version, or cut off, or a bad line.
// Newer: a later version's file, which this program must neither read nor
// replace. `records` is filled only when the result is Read.
RecordsReading parseCourseRecords(const std::string &text, CourseRecords &records);
std::string formatCourseRecords(const CourseRecords &records);

// True when `candidate` beats `best`: fewer passes, or as many with fewer
// lives lost.
bool isBetterResult(const CourseResult &candidate, const CourseResult &best);

// "1020 Durchgänge (17,0 s)": passes and seconds at 60 passes a second.
std::string describePasses(long passes);
