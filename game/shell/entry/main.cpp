// Entry point of kelvaro640 and kelvaro320. The two programs are built from
// this one file; only the build constants differ.
#include "framework/host.h"
#include "game/shell/course_choice.h"
#include "game/shell/data_directory.h"
#include "game/shell/startup.h"
#ifdef KELVARO_WIN32
#include "platform/win32/win32_platform.h"
#include "platform/win32/win32_player_files.h"
#else
#include "kelvaro_window_icon.h"
#include "platform/sdl/sdl_platform.h"
#include "platform/sdl/sdl_player_files.h"
#endif

int main(int argc, char **argv) {
  static const BuildConstants constants = {KELVARO_SCREEN_WIDTH, KELVARO_SCREEN_HEIGHT, KELVARO_MENU_OK,
                                           KELVARO_MENU_QUIT};
#ifdef KELVARO_WIN32
  // The course, pictures and font lie beside the program.
  setDataDirectoryLocator(win32ProgramDirectory);
  enterGameDataDirectory();
  // A window program: its standard error is seen by nobody who started it
  // from Explorer, so the course pack's messages and list come up as boxes.
  setCourseMessagesInBox(true);
  useWin32Platform();
  static const Host windowsHost = {"win32", nullptr, win32PlayerFilesDirectory, nullptr, false, nullptr};
  setHost(&windowsHost);
#else
  enterGameDataDirectory();
  setSdlWindowIcon(kelvaroWindowIcon, kelvaroWindowIconSize);
  useSdlPlatform();
  static const Host desktopHost = {"sdl", nullptr, sdlPlayerFilesDirectory, nullptr, true, nullptr};
  setHost(&desktopHost);
#endif
  return runKelvaro(argc, argv, constants);
}
