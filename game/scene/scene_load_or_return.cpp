#include <utility>

#include "game/scene/fatal_message.h"
#include "game/scene/scene_loader.h"

namespace {

// Carries a fatal message out of the loader. Unwinding closes the file and
// frees the loader's scratch tables on the way.
struct LoadAbandoned {
  std::string caption;
  std::string text;
};

[[noreturn]] void throwInsteadOfExit(int, const char *caption, const char *text) {
  throw LoadAbandoned{caption ? caption : "", text ? text : ""};
}

// Puts the caller's exit hook and message box back however the load ends.
class FatalRedirect {
 public:
  FatalRedirect() : hook_(fatalExitHook()), shower_(fatalMessageBoxShower()) {
    setFatalExitHook(throwInsteadOfExit);
    setFatalMessageBoxShower(nullptr);
  }
  ~FatalRedirect() {
    setFatalExitHook(hook_);
    setFatalMessageBoxShower(shower_);
  }
  FatalRedirect(const FatalRedirect &) = delete;
  FatalRedirect &operator=(const FatalRedirect &) = delete;

 private:
  FatalExitHook hook_;
  MessageBoxShower shower_;
};

}  // namespace

bool LoadSceneOrReturn(const char *fileName, SceneLoadFailure *failure) {
  try {
    FatalRedirect redirect;
    LoadScene(fileName);
    return true;
  } catch (LoadAbandoned &abandoned) {
    // The arrays of a half-read course hold references to each other and to
    // nothing sound; drop them whole.
    ResetScene();
    if (failure) *failure = SceneLoadFailure{std::move(abandoned.caption), std::move(abandoned.text)};
    return false;
  }
}
