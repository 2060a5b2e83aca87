// Entry point of kelvaro640.exe and kelvaro320.exe on the Win32 back end. The
// two programs are built from this one file; only the build constants differ.
#include "game/shell/course_choice.h"
#include "game/shell/data_directory.h"
#include "game/shell/startup.h"
#include "platform/win32/win32_platform.h"

int main(int argc, char **argv) {
  static const BuildConstants constants = {KELVARO_SCREEN_WIDTH, KELVARO_SCREEN_HEIGHT, KELVARO_MENU_OK,
                                           KELVARO_MENU_QUIT};
  useWin32Host();
  enterGameDataDirectory();
  useWin32Platform();
  return runKelvaro(argc, argv, constants);
}
