// Message boxes as the page's own dialog over the canvas: OK, or Yes and No
// for a question. The game waits for the answer while the browser runs on.
#include <emscripten/em_js.h>
#include <emscripten/emscripten.h>

#include "graphics/rk_platform.h"
#include "platform/web/web_internal.h"

EM_ASYNC_JS(int, kelvaroAsk, (const char *caption, const char *text, int question), {
  return await kelvaroPage.ask(kelvaroPage.text(caption), kelvaroPage.text(text), question != 0);
});

int webMessageBox(const char *caption, const char *text, int kind) {
  setMessageBoxOpen(true);
  const int yes = kelvaroAsk(caption ? caption : "", text ? text : "", kind == RK_BoxYesNoQuestion ? 1 : 0);
  setMessageBoxOpen(false);
  if (kind != RK_BoxYesNoQuestion) return RK_AnswerOk;
  // A question nobody answered is not agreed to.
  return yes == 1 ? RK_AnswerYes : RK_AnswerNo;
}
