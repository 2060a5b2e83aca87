// Text for the game's own font, which has the printable ASCII characters
// only: German letters and dashes are written out the way a typewriter
// would ("ä" as "ae", "–" as "-"), and lines are fitted to a width.
#pragma once

#include <string>
#include <vector>

std::string asciiForScreen(const std::string &utf8);

// Cut to at most `width` pixels of the selected font, ending in "..." when
// something was cut.
std::string fitToWidth(const std::string &text, int width);

// Broken into lines of at most `width` pixels at spaces (a longer word is
// cut), at most `maxLines` of them.
std::vector<std::string> wrapToWidth(const std::string &text, int width, int maxLines);
