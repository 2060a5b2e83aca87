#include "game/scene/fatal_message.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

MessageBoxShower installedShower = nullptr;
FatalExitHook installedExitHook = nullptr;

// Length of `s` without one trailing line feed.
int echoLength(const char *s) {
  size_t n = std::strlen(s);
  if (n > 0 && s[n - 1] == '\n') --n;
  return static_cast<int>(n);
}

}  // namespace

void setFatalMessageBoxShower(MessageBoxShower shower) {
  installedShower = shower;
}

void setFatalExitHook(FatalExitHook hook) {
  installedExitHook = hook;
}

FatalExitHook fatalExitHook() {
  return installedExitHook;
}

MessageBoxShower fatalMessageBoxShower() {
  return installedShower;
}

void FatalMessageWithCaption(const char *text, const char *caption) {
  if (text == nullptr) text = "";
  if (caption == nullptr) caption = FatalMessageCaption;
  std::fprintf(stderr, "%.*s: %.*s\n", echoLength(caption), caption, echoLength(text), text);
  std::fflush(stderr);
  if (installedShower != nullptr) installedShower(caption, text);
  if (installedExitHook != nullptr) installedExitHook(-1, caption, text);
  std::exit(-1);
}

void FatalMessage(const char *text) {
  FatalMessageWithCaption(text, FatalMessageCaption);
}
