// What the program needs from the machine it runs on beyond drawing: where
// the installed game's data lies, where the player's own files (records,
// replays, settings) are kept, whether the player sees standard error, and
// sound. Each back end fills one Host and installs it before the game starts;
// nothing outside platform/ needs to know which machine it is.
#pragma once

#include <string>

struct HostAudio;  // the sound device; see framework/host_audio.h

struct Host {
  const char *name;

  // The folder holding the installed data (inp1.txt, BITMAPS/, FONTS/,
  // courses/), "" when there is none to fall back on. May be null.
  std::string (*gameDataDirectory)();

  // The folder for the player's own files, created if missing; "" when
  // there is none (a read-only home, no storage in the browser): the game
  // then plays without keeping anything. May be null (none).
  std::string (*playerFilesDirectory)();

  // Called after the game has written a player file, for a back end that
  // must copy such files to where they last (the browser's storage). May be
  // null.
  void (*playerFilesChanged)();

  // False for programs whose standard error nobody reads (a window program
  // started from a desktop, the browser page): messages meant for the
  // player then come up as message boxes as well.
  bool standardErrorSeen;

  // Sound output; null when the back end has none.
  const HostAudio *audio;
};

// Installs the host in force (kept by address). Null restores the empty host:
// no installed data, no player files, standard error seen, no sound.
void setHost(const Host *host);
const Host &host();

// The host's answers, safe with null members.
std::string hostGameDataDirectory();
std::string hostPlayerFilesDirectory();
void hostPlayerFilesChanged();
