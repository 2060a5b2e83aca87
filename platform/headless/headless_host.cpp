// The host of tests and tools: everything they need lies in the current
// directory or under RK_ROOT, and their standard error is read.
#include "framework/host.h"
#include "platform/headless/headless.h"
#include "platform/headless/headless_player_files.h"

namespace {

Host headlessHost = {
    "headless",
    nullptr,  // gameDataDirectory: none to fall back on
    headlessPlayerFilesDirectory,  // only where the command line says
    nullptr,  // playerFilesChanged
    true,     // standardErrorSeen
    nullptr,  // audio: only where the command line asks for it
};

}  // namespace

void useHeadlessHost(const HostAudio *audio) {
  headlessHost.audio = audio;
  setHost(&headlessHost);
}
