// Observing the game's fatal exits inside a test: the exit hook throws a
// FatalCaught instead of ending the process.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "game/scene/fatal_message.h"

struct FatalCaught {
  int status;
  std::string caption;
  std::string text;
};

class FatalCapture {
 public:
  FatalCapture() { setFatalExitHook(&FatalCapture::hook); }
  ~FatalCapture() { setFatalExitHook(nullptr); }
  FatalCapture(const FatalCapture &) = delete;
  FatalCapture &operator=(const FatalCapture &) = delete;

 private:
  static void hook(int status, const char *caption, const char *text) {
    throw FatalCaught{status, caption, text};
  }
};

// Runs `action`; returns what its fatal exit reported, or fails the test when
// it returned normally.
template <typename Action>
FatalCaught expectFatal(Action action) {
  FatalCapture capture;
  try {
    action();
  } catch (const FatalCaught &caught) {
    return caught;
  }
  ADD_FAILURE() << "expected a fatal message, but the action returned";
  return {0, "", ""};
}
