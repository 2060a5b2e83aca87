#include <cstdio>
#include <cstring>

#include "graphics/rk_core_internal.h"
#include "graphics/rk_platform.h"

namespace {
const RK_Platform *installed = nullptr;
}

void RK_assignPlatform(const RK_Platform *platform) {
  installed = platform;
}

const RK_Platform *RK_platform() {
  return installed;
}

uint64_t RK_microseconds() {
  const RK_Platform *p = installed;
  if (!p) return 0;
  if (p->microseconds) return p->microseconds();
  return p->ticks ? uint64_t{p->ticks()} * 1000u : 0;
}

int RK_showMessageBox(const char *caption, const char *text, int kind) {
  if (!caption) caption = "";
  if (!text) text = "";
  // Several of the library's messages end in a line break of their own; the
  // echo stays one line either way.
  size_t length = std::strlen(text);
  if (length > 0 && text[length - 1] == '\n') --length;
  if (length > 0 && text[length - 1] == '\r') --length;
  std::fprintf(stderr, "%s: %.*s\n", caption, static_cast<int>(length), text);
  std::fflush(stderr);
  return RK_showMessageBoxOnly(caption, text, kind);
}

int RK_showMessageBoxOnly(const char *caption, const char *text, int kind) {
  const RK_Platform *p = installed;
  if (p && p->hasDisplay && p->hasDisplay() && p->messageBox) return p->messageBox(caption, text, kind);
  // Nobody can be asked: a question counts as agreed to, like a notice.
  return kind == RK_BoxYesNoQuestion ? RK_AnswerYes : RK_AnswerOk;
}
