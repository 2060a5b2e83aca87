#include "game/shell/data_directory.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "framework/host.h"

namespace {

bool fileReadable(const std::string &path) {
  std::FILE *f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  std::fclose(f);
  return true;
}

}  // namespace

void setDefaultResourceRoot(const std::string &dir) {
  if (std::getenv("RK_ROOT")) return;
  // putenv keeps the string itself on some systems, so it must outlive the
  // call; it is only replaced while RK_ROOT is unset, when nothing refers to
  // it any more.
  static std::string entry;
  entry = "RK_ROOT=" + dir;
  putenv(entry.data());
}

bool enterGameDataDirectory() {
  const std::string installed = hostGameDataDirectory();
  if (installed.empty() || !fileReadable(installed + "/inp1.txt")) return false;
  setDefaultResourceRoot(installed);
  if (fileReadable("inp1.txt")) return true;
  return chdir(installed.c_str()) == 0;
}
