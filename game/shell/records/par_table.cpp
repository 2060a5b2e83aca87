#include "game/shell/records/par_table.h"

#include <sstream>

#include "game/shell/course_catalogue.h"

ParTable parseParLines(const std::string &catalogueText) {
  ParTable table;
  std::istringstream in(catalogueText);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::istringstream fields(line);
    std::string tag, name, rest;
    CoursePar par;
    if (!(fields >> tag >> name >> par.gold >> par.silver >> par.bronze) || tag != "#par" || (fields >> rest))
      continue;
    if (!isSafeCourseName(name) || par.gold < 1 || par.silver < par.gold || par.bronze < par.silver) continue;
    table.emplace(name, par);
  }
  return table;
}

Medal medalFor(long passes, const CoursePar &par) {
  if (par.gold < 1) return Medal::None;
  if (passes <= par.gold) return Medal::Gold;
  if (passes <= par.silver) return Medal::Silver;
  if (passes <= par.bronze) return Medal::Bronze;
  return Medal::None;
}

const char *medalName(Medal medal) {
  switch (medal) {
    case Medal::Gold:
      return "Gold";
    case Medal::Silver:
      return "Silber";
    case Medal::Bronze:
      return "Bronze";
    case Medal::None:
      break;
  }
  return "";
}
