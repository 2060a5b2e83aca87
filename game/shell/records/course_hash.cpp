#include "game/shell/records/course_hash.h"

#include <cstdint>
#include <cstdio>

#include "game/shell/records/atomic_file.h"

namespace {

constexpr const char *courseFiles[] = {"inp1.txt",  "bkgr1.bmp", "text1.bmp", "text2.bmp",
                                       "text3.bmp", "text4.bmp", "leben.bmp"};

void mix(uint64_t &hash, const std::string &bytes) {
  for (unsigned char c : bytes) {
    hash ^= c;
    hash *= 1099511628211ull;
  }
}

}  // namespace

std::string hashCourseFiles(const std::string &folder) {
  uint64_t hash = 14695981039346656037ull;
  for (const char *name : courseFiles) {
    std::string contents;
    if (!readWholeFile(folder + "/" + name, contents)) {
      if (name == courseFiles[0]) return {};
      continue;
    }
    mix(hash, std::string(name) + '\0' + std::to_string(contents.size()) + '\0');
    mix(hash, contents);
  }
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
  return text;
}
