// Writing a player's file so that a crash or a full disk never loses what
// was there: the new text goes to a file beside the old one, is flushed, and
// only then renamed over it. And setting a damaged file aside instead of
// deleting it.
#pragma once

#include <string>

// Writes `text` to `path` through "PATH.new". On any failure the old file is
// untouched, the partial new file removed, and `error` says what failed.
bool writeFileAtomically(const std::string &path, const std::string &text, std::string &error);

// Reads the whole file; false when it cannot be opened (missing included).
bool readWholeFile(const std::string &path, std::string &text);

// Renames `path` to "PATH.damaged" (".damaged-2", ... when that is taken) and
// returns the new name, "" when even that failed.
std::string setFileAside(const std::string &path);

// Tests simulate a full disk: every write fails after `bytes` bytes while set
// (negative: no limit).
void simulateDiskSpace(long bytes);
