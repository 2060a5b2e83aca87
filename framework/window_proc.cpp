// The window procedure: quit confirmation, switching between full-screen
// and windowed output, activation and palette notices.
#include "framework/framework_internal.h"
#include "graphics/rk_platform.h"

namespace {

constexpr int kEnterScanCode = 28;

// Nothing is painted on request and there is no default procedure to fall
// back on; the answer a default procedure gives is 0.
constexpr int kDefaultAnswer = 0;

// The colours the application loaded last, as the drawing side holds them;
// false for direct colour, whose table holds pixel values.
bool takePalette(PaletteEntry (&out)[256]) {
  const FrameworkState &s = frameworkState();
  DeviceContext *dc = s.backBufferDC ? s.backBufferDC : s.displayDC;
  if (!dc || RK_pixelDepth(dc) > 8) return false;
  const DeviceContext *d = RK_resolveContext(dc);
  if (!d->palette) return false;
  for (int i = 0; i < 256; ++i) out[i] = d->palette[i];
  return true;
}

void switchOutput(int reason) {
  FrameworkState &s = frameworkState();
  ModeSwitchFunc onSwitch = modeSwitchFunc();
  // A command that arrives while a switch is under way (an auto-repeated
  // Alt+Enter pumped while the display is set up, or one the mode-switch
  // callback pumps) would tear down contexts the running switch still holds
  // and leave the flags saying the opposite of what is shown.
  if (!onSwitch || s.switching) return;
  s.switching = true;
  const int windowed = reason == kModeSwitchGoWindowed ? 1 : s.fullScreen;
  // A display's colour table outlives a mode set on real hardware; the new
  // contexts here start black, so the colours are carried across.
  static PaletteEntry colours[256];
  const bool carry = takePalette(colours);
  // The old contexts are gone by the time a mode set can fail; nothing is
  // left to draw into, so this ends like a failed start-up.
  if (!setMode(s.currentMode, windowed, s.currentPages, s.currentForceBackBuffer))
    RK_reportFatal(RK_errorText(RK_lastError()));
  if (carry && RK_pixelDepth(s.displayDC) <= 8) {
    setFrameworkPalette(colours, 256, 0);
    realizeFrameworkPalette(256, 0, 0);
  }
  onSwitch(s.currentMode, windowed);
  s.switching = false;
}

int realizePaletteOnRequest() {
  FrameworkState &s = frameworkState();
  if (RK_realizeWindowPalette(s.displayDC, 0) == 0) return 0;
  // Invalidating the window repaints nothing here: frames reach the window
  // through the buffer swap.
  return 1;
}

void askToQuit() {
  const int answer = RK_showMessageBox("Confirm Exit", "Are you sure you want to quit?", RK_BoxYesNoQuestion);
  if (answer == RK_AnswerYes) destroyFrameworkWindow();
}

}  // namespace

void postModeSwitch(int reason) {
  const RK_Platform *platform = RK_platform();
  if (!platform || !platform->postMessage) return;
  PlatformMessage command;
  command.type = PlatformMessageType::Command;
  command.window = frameworkState().window;
  command.commandId = kModeSwitchCommand;
  command.commandParam = reason;
  platform->postMessage(command);
}

int frameworkWindowProc(const PlatformMessage &message) {
  FrameworkState &s = frameworkState();
  switch (message.type) {
    case PlatformMessageType::WindowDestroyed:
      if (!s.fullScreen) quitMainLoop();
      return kDefaultAnswer;

    case PlatformMessageType::ActivationChanged:
      s.activeState = message.activeState;
      s.minimized = message.minimized;
      if (!s.fullScreen) {
        // The system palette use has no counterpart on Linux.
        if (s.displayDC) RK_notifyActivation(s.displayDC, s.activeState);
        if (ActivateFunc f = activateFunc()) f(s.activeState);
      }
      return kDefaultAnswer;

    case PlatformMessageType::PaintRequest:
      return kDefaultAnswer;

    case PlatformMessageType::CloseRequest:
      if (!s.fullScreen) askToQuit();
      return 1;

    case PlatformMessageType::DisplaySettingsChanged:
      if (!s.inModeSet && !s.fullScreen && s.displayDC) postModeSwitch(kModeSwitchGoWindowed);
      return kDefaultAnswer;

    case PlatformMessageType::SysKeyDown:
      if (message.altContext && message.scanCode == kEnterScanCode && s.displayDC)
        postModeSwitch(kModeSwitchToggle);
      return 0;

    case PlatformMessageType::SysKeyUp:
    case PlatformMessageType::SysChar:
      return 0;

    case PlatformMessageType::Command:
      if (message.commandId == kModeSwitchCommand) switchOutput(message.commandParam);
      return kDefaultAnswer;

    case PlatformMessageType::SysCommandMaximize:
      if (s.displayDC) postModeSwitch(kModeSwitchToggle);
      return 0;

    case PlatformMessageType::PaletteQuery:
      if (!s.fullScreen && s.displayDC) return realizePaletteOnRequest();
      return kDefaultAnswer;

    case PlatformMessageType::PaletteChanged:
      if (!s.fullScreen && s.displayDC && message.otherWindow != s.window) return realizePaletteOnRequest();
      return kDefaultAnswer;

    default:
      return kDefaultAnswer;
  }
}
