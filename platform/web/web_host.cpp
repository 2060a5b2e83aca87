// What the browser build tells the game about the machine: the page has put
// the data into the current directory, and nobody reads the page's console.
#include "framework/host.h"
#include "platform/web/web_platform.h"

namespace {

const Host webHost = {
    "web",
    nullptr,  // gameDataDirectory: the current directory holds it
    nullptr,  // playerFilesDirectory: none kept yet
    nullptr,  // playerFilesChanged: nothing to copy to the browser's storage yet
    false,    // standardErrorSeen
    nullptr,  // audio: none yet
};

}  // namespace

void useWebHost() {
  setHost(&webHost);
}
