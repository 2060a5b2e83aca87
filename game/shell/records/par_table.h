// Par results per course, from the catalogue's "#par NAME GOLD SILVER BRONZE"
// lines (a comment to the catalogue's reader), in passes from the start of
// play to the goal. A medal is earned with at most that many passes.
#pragma once

#include <map>
#include <string>

struct CoursePar {
  long gold = 0, silver = 0, bronze = 0;
};

using ParTable = std::map<std::string, CoursePar>;

enum class Medal { None, Bronze, Silver, Gold };

// Lines that are not well-formed "#par" lines (rising values, a safe name)
// are skipped; of several for one course the first counts.
ParTable parseParLines(const std::string &catalogueText);

Medal medalFor(long passes, const CoursePar &par);

// "Gold", "Silber", "Bronze", "" for none.
const char *medalName(Medal medal);
