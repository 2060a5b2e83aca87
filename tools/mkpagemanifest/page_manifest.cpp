#include "page_manifest.h"

#include <algorithm>
#include <cstdio>

namespace {

// The length of the UTF-8 sequence starting at `at`, 0 when it is none.
size_t utf8Length(const std::string &s, size_t at) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned char lead = byte(at);
  size_t length;
  if (lead < 0x80) return 1;
  if (lead >= 0xc2 && lead <= 0xdf) {
    length = 2;
  } else if (lead >= 0xe0 && lead <= 0xef) {
    length = 3;
  } else if (lead >= 0xf0 && lead <= 0xf4) {
    length = 4;
  } else {
    return 0;
  }
  if (at + length > s.size()) return 0;
  for (size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xc0) != 0x80) return 0;
  }
  return length;
}

bool isUtf8(const std::string &s) {
  for (size_t at = 0; at < s.size();) {
    const size_t length = utf8Length(s, at);
    if (length == 0) return false;
    at += length;
  }
  return true;
}

std::string latin1ToUtf8(const std::string &s) {
  std::string out;
  for (const char c : s) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x80) {
      out += c;
    } else {
      out += static_cast<char>(0xc0 | (b >> 6));
      out += static_cast<char>(0x80 | (b & 0x3f));
    }
  }
  return out;
}

std::string jsonList(const std::vector<std::string> &items) {
  std::string out = "[";
  for (size_t i = 0; i < items.size(); ++i) out += (i ? ", " : "") + jsonString(items[i]);
  return out + "]";
}

}  // namespace

std::string jsonString(const std::string &text) {
  const std::string utf8 = isUtf8(text) ? text : latin1ToUtf8(text);
  std::string out = "\"";
  for (const char c : utf8) {
    const auto b = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (b < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", b);
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

std::string formatPageManifest(const PageManifest &m) {
  std::string out = "{\n  \"courses\": [";
  bool first = true;
  for (const CourseEntry &entry : m.catalogue) {
    const auto folder = std::find_if(m.courses.begin(), m.courses.end(),
                                     [&](const PackCourse &c) { return c.name == entry.name; });
    if (folder == m.courses.end() ||
        std::find(folder->files.begin(), folder->files.end(), "inp1.txt") == folder->files.end()) {
      continue;
    }
    out += first ? "\n" : ",\n";
    first = false;
    out += "    {\"name\": " + jsonString(entry.name) + ", \"description\": " + jsonString(entry.description) +
           ", \"files\": " + jsonList(folder->files) + "}";
  }
  out += first ? "],\n" : "\n  ],\n";
  out += "  \"pictures\": " + jsonList(m.pictures) + ",\n";
  out += "  \"font\": " + jsonString(m.font) + "\n}\n";
  return out;
}
