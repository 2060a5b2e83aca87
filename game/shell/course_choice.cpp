#include "game/shell/course_choice.h"

#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "game/shell/ascii_case.h"
#include "game/shell/course_catalogue.h"
#include "framework/host.h"
#include "game/shell/data_directory.h"
#include "graphics/rk_platform.h"

namespace {

// Where nobody reads standard error, every message shows in a box as well.
bool messagesInBox() { return !host().standardErrorSeen; }

bool readable(const std::string &path) {
  std::FILE *f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  std::fclose(f);
  return true;
}

bool findCoursePack(CoursePack &pack) {
  if (readable("courses/courses.txt")) {
    char here[PATH_MAX];
    if (!getcwd(here, sizeof here)) return false;
    pack.folder = "courses";
    pack.mainData = here;
  } else {
    const char *root = std::getenv("RK_ROOT");
    if (!root || !*root) return false;
    pack.folder = std::string(root) + "/courses";
    if (!readable(pack.folder + "/courses.txt")) return false;
  }
  pack.catalogue = readCourseCatalogue(pack.folder + "/courses.txt");
  return true;
}

// The name as the player typed it, cut short and with control characters
// shown as '?', so that the message stays one readable line.
std::string printable(const std::string &name) {
  std::string out;
  for (char c : name.substr(0, 64)) out += (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) ? '?' : c;
  return name.size() > 64 ? out + "..." : out;
}

// The box alone: standard error already carries the message, with the list
// in columns.
void showBox(const std::string &text, int kind) {
  if (!messagesInBox()) return;
  RK_showMessageBoxOnly("Kelvaro", text.c_str(), kind);
}

// A box's font is proportional, so columns of spaces would not line up:
// there each course is "name – description".
std::string boxList(const std::vector<CourseEntry> &catalogue) {
  std::string text = "Verfügbare Kurse:";
  for (const CourseEntry &entry : catalogue) {
    text += "\n" + entry.name;
    if (!entry.description.empty()) text += " – " + entry.description;
  }
  return text;
}

int refuse(const std::string &text, const CoursePack &pack) {
  std::fprintf(stderr, "Kelvaro: %s\nVerfügbare Kurse:\n%s", text.c_str(),
               formatCourseList(pack.catalogue).c_str());
  std::fflush(stderr);
  showBox(text + "\n\n" + boxList(pack.catalogue), RK_BoxOkWarning);
  return 1;
}

}  // namespace

CourseRequest readCourseRequest(int argc, const char *const *argv) {
  CourseRequest request;
  for (int i = 1; i < argc; ++i) {
    if (!argv[i]) continue;
    if (equalIgnoringCase(argv[i], "-courses")) {
      request.kind = CourseRequest::List;
      request.name.clear();
      return request;
    }
    if (request.kind == CourseRequest::None && equalIgnoringCase(argv[i], "-course")) {
      request.kind = CourseRequest::Start;
      if (i + 1 < argc && argv[i + 1]) request.name = argv[++i];
    }
  }
  return request;
}

bool findInstalledCoursePack(CoursePack &pack) {
  if (!findCoursePack(pack)) return false;
  // The folder stays valid however often the game changes directory.
  if (!pack.mainData.empty()) pack.folder = pack.mainData + "/" + pack.folder;
  return true;
}

int enterRequestedCourse(const CourseRequest &request) {
  if (request.kind == CourseRequest::None) return -1;
  CoursePack pack;
  if (!findCoursePack(pack)) {
    const std::string text = "Keine Kurse installiert (\"courses/courses.txt\" fehlt).";
    std::fprintf(stderr, "Kelvaro: %s\n", text.c_str());
    std::fflush(stderr);
    showBox(text, RK_BoxOkWarning);
    return 1;
  }
  if (request.kind == CourseRequest::List) {
    std::fputs(formatCourseList(pack.catalogue).c_str(), stdout);
    std::fflush(stdout);
    if (messagesInBox()) {
      // Like every box, echoed on standard error.
      std::fprintf(stderr, "Kelvaro: Verfügbare Kurse:\n%s", formatCourseList(pack.catalogue).c_str());
      std::fflush(stderr);
      showBox(boxList(pack.catalogue), RK_BoxOkInfo);
    }
    return 0;
  }
  if (request.name.empty()) return refuse("Nach -course fehlt der Name eines Kurses.", pack);
  // Checked before anything is opened: only a plain name from the catalogue
  // can lead into the pack, never a path out of it.
  if (!isSafeCourseName(request.name))
    return refuse("Ungültiger Kursname \"" + printable(request.name) + "\".", pack);
  if (!findCourse(pack.catalogue, request.name))
    return refuse("Unbekannter Kurs \"" + request.name + "\".", pack);
  const std::string folder = pack.folder + "/" + request.name;
  if (!readable(folder + "/inp1.txt"))
    return refuse("Der Kurs \"" + request.name + "\" ist unvollständig installiert.", pack);
  if (!pack.mainData.empty()) setDefaultResourceRoot(pack.mainData);
  if (chdir(folder.c_str()) != 0)
    return refuse("Der Kurs \"" + request.name + "\" kann nicht geöffnet werden.", pack);
  return -1;
}
