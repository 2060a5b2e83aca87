// Entry point of kelvaro640 and kelvaro320 on the SDL2 back end. The two
// programs are built from this one file; only the build constants differ.
#include "game/shell/course_choice.h"
#include "game/shell/data_directory.h"
#include "game/shell/startup.h"
#include "kelvaro_window_icon.h"
#include "platform/sdl/sdl_platform.h"

int main(int argc, char **argv) {
  static const BuildConstants constants = {KELVARO_SCREEN_WIDTH, KELVARO_SCREEN_HEIGHT, KELVARO_MENU_OK,
                                           KELVARO_MENU_QUIT};
  useSdlHost();
  enterGameDataDirectory();
  setSdlWindowIcon(kelvaroWindowIcon, kelvaroWindowIconSize);
  useSdlPlatform();
  return runKelvaro(argc, argv, constants);
}
