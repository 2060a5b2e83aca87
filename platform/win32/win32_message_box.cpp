// Modal message boxes.
#include <string>

#include "graphics/rk_platform.h"
#include "platform/win32/win32_internal.h"

namespace {

// The game's texts are UTF-8 (German, with umlauts); the box shows them as
// such whatever the system's code page.
std::wstring wide(const char *text) {
  const int n = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
  if (n <= 0) return {};
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text, -1, out.data(), n);
  out.resize(static_cast<size_t>(n - 1));
  return out;
}

}  // namespace

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
  const int answer = MessageBoxW(owner, wide(text).c_str(), wide(caption).c_str(), flags);
  if (kind != RK_BoxYesNoQuestion) return RK_AnswerOk;
  // A question nobody could see is not agreed to.
  return answer == IDYES ? RK_AnswerYes : RK_AnswerNo;
}
