#include "platform/headless/headless.h"

#include "graphics/rk_platform.h"
#include "platform/headless/headless_internal.h"

namespace {

RK_Platform makeTable() {
  RK_Platform p{};
  p.name = "headless";
  p.hasDisplay = headlessHasDisplay;
  p.desktopSize = headlessDesktopSize;
  p.servesMode = headlessServesMode;
  p.createWindow = headlessCreateWindow;
  p.destroyWindow = headlessDestroyWindow;
  p.placeWindow = headlessPlaceWindow;
  p.windowPosition = headlessWindowPosition;
  p.frameExtra = headlessFrameExtra;
  p.showWindow = headlessShowWindow;
  p.enterFullScreen = headlessEnterFullScreen;
  p.leaveFullScreen = headlessLeaveFullScreen;
  p.enterWindowed = headlessEnterWindowed;
  p.present = headlessPresent;
  p.realizePalette = headlessRealizePalette;
  p.messages = PlatformMessageSource{headlessNextMessage, headlessTakeCharacter, headlessKeyState};
  p.postMessage = headlessPostMessage;
  p.messageBox = headlessMessageBox;
  p.ticks = headlessTicks;
  p.microseconds = headlessMicroseconds;
  p.sleep = headlessSleep;
  p.clientSize = headlessClientSize;
  return p;
}

const RK_Platform table = makeTable();

}  // namespace

void useHeadlessPlatform() {
  RK_setPlatform(&table);
}
