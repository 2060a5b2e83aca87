#include "game/shell/records/course_records.h"

#include <cstdio>
#include <sstream>

#include "game/shell/course_catalogue.h"
#include "game/shell/records/whole_number.h"

namespace {

constexpr const char *Signature = "kelvaro-records";
constexpr long MostPasses = 100000000;  // over 19 days of play: nothing real

}  // namespace

RecordsReading parseCourseRecords(const std::string &text, CourseRecords &records) {
  std::istringstream in(text);
  std::string line;
  if (!std::getline(in, line)) return RecordsReading::Damaged;
  std::istringstream head(line);
  std::string signature, versionText, rest;
  long version = 0;
  if (!(head >> signature >> versionText) || signature != Signature || (head >> rest) ||
      !readWholeNumber(versionText, 999999, version) || version < 1)
    return RecordsReading::Damaged;
  if (version > RecordsFormatVersion) return RecordsReading::Newer;

  CourseRecords read;
  while (std::getline(in, line)) {
    if (line == "end") {
      // Nothing may follow the end but the end of the file.
      if (std::getline(in, line)) return RecordsReading::Damaged;
      records = std::move(read);
      return RecordsReading::Read;
    }
    std::istringstream fields(line);
    std::string name, passesText, livesText;
    long passes = 0, lives = 0;
    if (!(fields >> name >> passesText >> livesText) || (fields >> rest) || !isSafeCourseName(name) ||
        !readWholeNumber(passesText, MostPasses, passes) || passes < 1 ||
        !readWholeNumber(livesText, 1000000, lives) || read.count(name))
      return RecordsReading::Damaged;
    read[name] = CourseResult{passes, static_cast<int>(lives)};
  }
  return RecordsReading::Damaged;
}

std::string formatCourseRecords(const CourseRecords &records) {
  std::string text = std::string(Signature) + " " + std::to_string(RecordsFormatVersion) + "\n";
  for (const auto &[name, result] : records)
    text += name + " " + std::to_string(result.passes) + " " + std::to_string(result.livesLost) + "\n";
  return text + "end\n";
}

bool isBetterResult(const CourseResult &candidate, const CourseResult &best) {
  if (candidate.passes != best.passes) return candidate.passes < best.passes;
  return candidate.livesLost < best.livesLost;
}

std::string describePasses(long passes) {
  // Tenths of a second, rounded down, written the German way.
  const long tenths = passes / 6;
  char text[80];
  std::snprintf(text, sizeof text, "%ld Durchgänge (%ld,%ld s)", passes, tenths / 10, tenths % 10);
  return text;
}
