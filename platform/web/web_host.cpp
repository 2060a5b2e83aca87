// The browser's Host: the page has put the data into the current directory,
// the player's files live at /player in the browser's storage (the page
// mounts and reads it before the game starts), and nobody reads standard
// error.
#include <emscripten/em_js.h>
#include <emscripten/emscripten.h>

#include "framework/host.h"
#include "platform/web/web_audio.h"
#include "platform/web/web_platform.h"

EM_JS(void, kelvaroSavePlayerFiles, (), { kelvaroPage.savePlayerFiles(); });

namespace {

std::string playerFiles() {
  return "/player";
}

const Host webHost = {"web", nullptr, playerFiles, kelvaroSavePlayerFiles, false, webHostAudio()};

}  // namespace

void useWebHost() {
  setHost(&webHost);
}
