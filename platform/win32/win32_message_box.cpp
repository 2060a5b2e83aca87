// Modal message boxes.
#include "graphics/rk_platform.h"
#include "platform/win32/win32_internal.h"

int showMessageBox(const char *caption, const char *text, int kind) {
  if (!caption) caption = "";
  if (!text) text = "";
  // The box belongs to the program's window, so it comes up in front of it,
  // full screen included.
  Win32Window *w = anyLiveWindow();
  HWND owner = w ? w->hwnd : nullptr;
  UINT flags = MB_SETFOREGROUND;
  switch (kind) {
    case RK_BoxYesNoQuestion:
      flags |= MB_YESNO | MB_ICONQUESTION;
      break;
    case RK_BoxOkWarning:
      flags |= MB_OK | MB_ICONWARNING;
      break;
    default:
      flags |= MB_OK;
      break;
  }
  const int answer = MessageBoxA(owner, text, caption, flags);
  if (kind != RK_BoxYesNoQuestion) return RK_AnswerOk;
  // A question nobody could see is not agreed to.
  return answer == IDYES ? RK_AnswerYes : RK_AnswerNo;
}
