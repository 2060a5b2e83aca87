// Modal message boxes through SDL.
#include "graphics/rk_platform.h"
#include "platform/sdl/sdl_internal.h"

namespace {

// A box over a windowed program belongs to its window, so it comes up in
// front of it; over full-screen output it stands alone.
SDL_Window *ownerWindow() {
  SdlWindow *w = anyLiveWindow();
  return w && !w->fullScreen ? w->window : nullptr;
}

}  // namespace

int showMessageBox(const char *caption, const char *text, int kind) {
  if (!caption) caption = "";
  if (!text) text = "";
  if (kind != RK_BoxYesNoQuestion) {
    const Uint32 flags = kind == RK_BoxOkWarning ? SDL_MESSAGEBOX_WARNING : SDL_MESSAGEBOX_INFORMATION;
    SDL_ShowSimpleMessageBox(flags, caption, text, ownerWindow());
    return RK_AnswerOk;
  }
  const SDL_MessageBoxButtonData buttons[] = {
      {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, RK_AnswerNo, "No"},
      {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, RK_AnswerYes, "Yes"},
  };
  SDL_MessageBoxData data{};
  data.flags = SDL_MESSAGEBOX_INFORMATION;
  data.window = ownerWindow();
  data.title = caption;
  data.message = text;
  data.numbuttons = 2;
  data.buttons = buttons;
  int answer = RK_AnswerNo;
  // A question nobody could see is not agreed to.
  if (SDL_ShowMessageBox(&data, &answer) != 0 || answer < 0) return RK_AnswerNo;
  return answer;
}
