// Entry point of the browser builds of kelvaro640 and kelvaro320: the game's
// own start-up on the browser back end. The page has put the course, the
// pictures and the font into the current directory, and the course pack
// into its "courses" folder when it starts one with "-course NAME".
#include <cstdlib>

#include "game/shell/course_choice.h"
#include "game/shell/startup.h"
#include "platform/web/web_platform.h"

int main(int argc, char **argv) {
  static const BuildConstants constants = {KELVARO_SCREEN_WIDTH, KELVARO_SCREEN_HEIGHT, KELVARO_MENU_OK,
                                           KELVARO_MENU_QUIT};
  useWebPlatform();
  useWebHost();
  // The page's console is no place for a player's message: a course that
  // cannot be entered says so in the page's dialog, with the list.
  setCourseMessagesInBox(true);
  // Through exit, so the page hears the status however the loop was left.
  std::exit(runKelvaro(argc, argv, constants));
}
