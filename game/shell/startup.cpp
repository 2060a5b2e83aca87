#include "game/shell/startup.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "game/render/renderer.h"
#include "game/scene/fatal_message.h"
#include "game/scene/scene_loader.h"
#include "game/shell/ascii_case.h"
#include "game/shell/choice/choice_session.h"
#include "game/shell/choice/choice_trigger.h"
#include "game/shell/choice/replay_start.h"
#include "game/shell/course_choice.h"
#include "game/shell/game_frame.h"
#include "game/shell/input.h"
#include "game/shell/sound_cues.h"
#include "game/shell/sound_start.h"
#include "game/sim/ball.h"
#include "graphics/rasterkit.h"
#include "graphics/rk_platform.h"

namespace {

GameFunc gameStep = pollKeys;
DrawFunc drawStep = drawFrame;

void ignoreMouseDown(const Event &) {}
void ignoreActivate(int) {}

// Scene errors and the end of the game show their box through the display
// back end once one exists; FatalMessage has already echoed the line.
void showFatalBox(const char *caption, const char *text) {
  cueEndMessage(text);
  RK_showMessageBoxOnly(caption, text, RK_BoxOkInfo);
}

[[noreturn]] void reportNoMode(int width, int height) {
  char text[200];
  const RK_Platform *platform = RK_platform();
  if (platform && platform->hasDisplay && !platform->hasDisplay()) {
    std::snprintf(text, sizeof text,
                  "Keine Anzeige verfügbar: Kelvaro braucht einen grafischen Desktop "
                  "(%dx%d mit 256 Farben).",
                  width, height);
  } else {
    std::snprintf(text, sizeof text, "Kein Grafikmodus %dx%d mit 256 Farben verfügbar.", width, height);
  }
  RK_reportFatal(text);
}

}  // namespace

DriverOptions defaultGameDriverOptions() {
  DriverOptions o{};
  o.useDirectAccess = 1;
  o.useDirectDraw = 1;
  o.useVGA = 1;
  o.useVGAX = 1;
  o.useVBE = 1;
  o.useLinear = 1;
  o.useVBEAF = 1;
  o.useFullScreenDIB = 1;
  o.useOpenGL = 0;
  o.modeFilter = 15;
  return o;
}

void parseCommandLine(int argc, const char *const *argv, DriverOptions *options) {
  struct Switch {
    const char *name;
    int32_t DriverOptions::*field;
  };
  static const Switch switches[] = {
      {"-nodirectaccess", &DriverOptions::useDirectAccess},
      {"-nodirectdraw", &DriverOptions::useDirectDraw},
      {"-novga", &DriverOptions::useVGA},
      {"-novgax", &DriverOptions::useVGAX},
      {"-novbe", &DriverOptions::useVBE},
      {"-nolinear", &DriverOptions::useLinear},
      {"-novbeaf", &DriverOptions::useVBEAF},
  };
  for (int i = 1; i < argc; ++i) {
    if (!argv[i]) continue;
    for (const Switch &s : switches) {
      if (equalIgnoringCase(argv[i], s.name)) {
        options->*s.field = 0;
        break;
      }
    }
  }
}

bool soundOffRequested(int argc, const char *const *argv) {
  for (int i = 1; i < argc; ++i)
    if (argv[i] && equalIgnoringCase(argv[i], "-nosound")) return true;
  return false;
}

void applyEnvironment(DriverOptions *options) {
  const char *value = std::getenv("RK_NO_DIRECTACCESS");
  if (value && std::strtol(value, nullptr, 10) != 0) options->useDirectAccess = 0;
}

void startKelvaro(int argc, const char *const *argv, const BuildConstants &constants) {
  setFatalMessageBoxShower(showFatalBox);
  setBuildConstants(constants);

  // Opened on the course choice, the program loads a course only when the
  // player takes one.
  // A replay names its course and brings its own keys.
  const std::string replay = replayRequest(argc, argv);
  CoursePack pack;
  const bool choose = replay.empty() && wantsCourseChoice(argc, argv) && findInstalledCoursePack(pack) &&
                      !pack.catalogue.empty();
  gameStep = replay.empty() ? pollKeys : pollReplayedKeys;
  drawStep = drawFrame;

  if (!choose) {
    // A course from the pack: its folder becomes the current directory, so
    // the course and its own pictures are found there first.
    const int courseStatus =
        replay.empty() ? enterRequestedCourse(readCourseRequest(argc, argv)) : enterReplayCourse(replay);
    if (courseStatus >= 0) std::exit(courseStatus);

    LoadScene("inp1.txt");
    resetSimulation();
    setLifeLostHandler(loseLife);
  }

  DriverOptions options = defaultGameDriverOptions();
  parseCommandLine(argc, argv, &options);
  applyEnvironment(&options);
  setDriverOptions(options);

  DeviceContext **drawSlot = initFramework("Kelvaro");
  setGameDrawSlot(drawSlot);

  setDrawFunc(drawFrame);
  setGameFunc(gameStep);
  setKeyDownFunc(onKeyDown);
  setKeyUpFunc(onKeyUp);
  setMouseDownFunc(ignoreMouseDown);
  setModeSwitchFunc(onModeSwitch);
  setActivateFunc(ignoreActivate);
  setSuspendAppFunc(onSuspendApp);

  VideoMode mode{};
  if (!findMode(&mode, constants.width, constants.height, 8)) reportNoMode(constants.width, constants.height);
  setScreenSize(mode.width, mode.height);
  setRenderTarget(drawSlot, mode.width, mode.height);

  if (!setMode(mode, 0, 2, 1)) RK_reportFatal(RK_errorText(RK_lastError()));

  startSound(soundOffRequested(argc, argv));
  if (choose) {
    startCourseChoice(pack);
    gameStep = courseChoiceGameFunc();
    drawStep = courseChoiceDrawFunc();
    return;
  }
  loadResources();
  resetSoundCues();
}

GameFunc kelvaroGameFunc() {
  return gameStep;
}

DrawFunc kelvaroDrawFunc() {
  return drawStep;
}

int runKelvaro(int argc, const char *const *argv, const BuildConstants &constants) {
  startKelvaro(argc, argv, constants);
  return runMainLoop();
}
