#include "game/shell/choice/screen_text.h"

#include <cstring>
#include <sstream>

#include "graphics/rasterkit.h"

std::string asciiForScreen(const std::string &utf8) {
  static const struct {
    const char *from, *to;
  } spelled[] = {{"ä", "ae"}, {"ö", "oe"}, {"ü", "ue"}, {"Ä", "Ae"}, {"Ö", "Oe"}, {"Ü", "Ue"}, {"ß", "ss"},
                 {"–", "-"},  {"—", "-"},  {"„", "\""}, {"“", "\""}, {"”", "\""}, {"…", "..."}};
  std::string out;
  for (size_t i = 0; i < utf8.size();) {
    const unsigned char c = static_cast<unsigned char>(utf8[i]);
    if (c < 0x80) {
      out += (c < 0x20 || c == 0x7F) ? ' ' : static_cast<char>(c);
      ++i;
      continue;
    }
    bool known = false;
    for (const auto &s : spelled) {
      const size_t n = std::strlen(s.from);
      if (utf8.compare(i, n, s.from) == 0) {
        out += s.to;
        i += n;
        known = true;
        break;
      }
    }
    if (known) continue;
    // Any other character: one '?' for the whole sequence.
    out += '?';
    ++i;
    while (i < utf8.size() && (static_cast<unsigned char>(utf8[i]) & 0xC0) == 0x80) ++i;
  }
  return out;
}

std::string fitToWidth(const std::string &text, int width) {
  if (RK_measureText(text.c_str()) <= width) return text;
  std::string cut = text;
  while (!cut.empty() && RK_measureText((cut + "...").c_str()) > width) cut.pop_back();
  while (!cut.empty() && cut.back() == ' ') cut.pop_back();
  return cut + "...";
}

std::vector<std::string> wrapToWidth(const std::string &text, int width, int maxLines) {
  std::vector<std::string> lines;
  std::istringstream words(text);
  std::string word, line;
  while (words >> word) {
    const std::string longer = line.empty() ? word : line + " " + word;
    if (RK_measureText(longer.c_str()) <= width || line.empty()) {
      line = longer;
      continue;
    }
    lines.push_back(fitToWidth(line, width));
    line = word;
  }
  if (!line.empty()) lines.push_back(fitToWidth(line, width));
  if (static_cast<int>(lines.size()) > maxLines) {
    lines.resize(static_cast<size_t>(maxLines));
    lines.back() = fitToWidth(lines.back() + " ...", width);
  }
  return lines;
}
