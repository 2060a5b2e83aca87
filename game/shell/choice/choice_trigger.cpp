#include "game/shell/choice/choice_trigger.h"

#include "game/shell/ascii_case.h"
#include "game/shell/course_choice.h"

bool wantsCourseChoice(int argc, const char *const *argv) {
  if (readCourseRequest(argc, argv).kind != CourseRequest::None) return false;
  for (int i = 1; i < argc; ++i)
    if (argv[i] && equalIgnoringCase(argv[i], "-choose")) return true;
  return false;
}
