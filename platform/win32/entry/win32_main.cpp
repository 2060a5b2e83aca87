// Entry point of kelvaro640.exe and kelvaro320.exe on the Win32 back end. The
// two programs are built from this one file; only the build constants differ.
#include <windows.h>

#include "game/shell/course_choice.h"
#include "game/shell/data_directory.h"
#include "game/shell/startup.h"
#include "platform/win32/win32_platform.h"

namespace {

// Explorer starts a double-clicked program (and a shortcut without a working
// folder) with no arguments in the program's own folder or elsewhere, never
// in a folder holding a course: that start opens the course choice. A folder
// with its own inp1.txt, and every start with arguments, start as they
// always did.
bool startedByDoubleClick(int argc) {
  return argc == 1 && GetFileAttributesA("inp1.txt") == INVALID_FILE_ATTRIBUTES;
}

}  // namespace

int main(int argc, char **argv) {
  static const BuildConstants constants = {KELVARO_SCREEN_WIDTH, KELVARO_SCREEN_HEIGHT, KELVARO_MENU_OK,
                                           KELVARO_MENU_QUIT};
  useWin32Host();
  const bool choose = startedByDoubleClick(argc);
  enterGameDataDirectory();
  useWin32Platform();
  if (choose) {
    const char *const chooseArgv[] = {argv[0], "-choose", nullptr};
    return runKelvaro(2, chooseArgv, constants);
  }
  return runKelvaro(argc, argv, constants);
}
