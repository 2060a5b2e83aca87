#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "graphics/rasterkit.h"

namespace {

// A folder given with a closing backslash (as Windows writes them) needs no
// separator of ours; a POSIX folder name ending in one is not worth telling
// apart.
bool isSeparator(char c) {
  return c == '/' || c == '\\';
}

// Writes dir + ("/" when dir lacks one) + subdir + name into `out`; false when
// the path would not fit the buffer (the candidate is then skipped). The
// resource folders may be named with either separator ("BITMAPS\\" or
// "BITMAPS/"): a backslash in `subdir` becomes '/', which every system takes.
bool joinPath(char *out, const char *dir, const char *subdir, const char *name) {
  size_t dirLen = dir ? std::strlen(dir) : 0;
  bool slash = dirLen > 0 && !isSeparator(dir[dirLen - 1]);
  size_t subLen = subdir ? std::strlen(subdir) : 0, nameLen = std::strlen(name);
  if (dirLen + (slash ? 1 : 0) + subLen + nameLen >= size_t(RK_PathMax)) return false;
  char *p = out;
  if (dirLen) {
    std::memcpy(p, dir, dirLen);
    p += dirLen;
  }
  if (slash) *p++ = '/';
  for (size_t i = 0; i < subLen; ++i) *p++ = subdir[i] == '\\' ? '/' : subdir[i];
  std::memcpy(p, name, nameLen);
  p[nameLen] = '\0';
  return true;
}

bool opens(const char *path, const char *mode) {
  FILE *f = std::fopen(path, mode);
  if (!f) return false;
  std::fclose(f);
  return true;
}

}  // namespace

int RK_findFileOnPath(char *found, const char *subdir, const char *name, const char *mode) {
  if (!found || !name || !mode) return 0;
  char candidate[RK_PathMax];
  if (joinPath(candidate, nullptr, nullptr, name) && opens(candidate, mode)) {
    std::memcpy(found, candidate, std::strlen(candidate) + 1);
    return 1;
  }
  const char *library = RK_libraryPath();
  if (joinPath(candidate, library ? library : "", subdir, name) && opens(candidate, mode)) {
    std::memcpy(found, candidate, std::strlen(candidate) + 1);
    return 1;
  }
  const char *root = std::getenv("RK_ROOT");
  if (root && joinPath(candidate, root, subdir, name) && opens(candidate, mode)) {
    std::memcpy(found, candidate, std::strlen(candidate) + 1);
    return 1;
  }
  return 0;
}
