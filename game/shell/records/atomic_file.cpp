#include "game/shell/records/atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <filesystem>
#include <system_error>

namespace {

long diskSpace = -1;

bool fileExists(const std::string &path) {
  std::FILE *f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  std::fclose(f);
  return true;
}

// Replaces the target in one step on every system (the C library's rename
// refuses an existing target on Windows).
bool replaceFile(const std::string &from, const std::string &to, std::string &error) {
  std::error_code failure;
  std::filesystem::rename(std::filesystem::path(from), std::filesystem::path(to), failure);
  if (failure) error = to + ": " + failure.message();
  return !failure;
}

}  // namespace

void simulateDiskSpace(long bytes) {
  diskSpace = bytes;
}

bool writeFileAtomically(const std::string &path, const std::string &text, std::string &error) {
  const std::string fresh = path + ".new";
  std::FILE *f = std::fopen(fresh.c_str(), "wb");
  if (!f) {
    error = fresh + ": " + std::strerror(errno);
    return false;
  }
  size_t room = text.size();
  if (diskSpace >= 0 && static_cast<size_t>(diskSpace) < room) room = static_cast<size_t>(diskSpace);
  const bool written = std::fwrite(text.data(), 1, room, f) == room && room == text.size();
  const int writeErrno = written ? 0 : (errno ? errno : ENOSPC);
  const bool flushed = written && std::fflush(f) == 0;
  const bool closed = std::fclose(f) == 0;
  if (!written || !flushed || !closed) {
    error = fresh + ": " + std::strerror(written ? (errno ? errno : EIO) : writeErrno);
    std::remove(fresh.c_str());
    return false;
  }
  if (!replaceFile(fresh, path, error)) {
    std::remove(fresh.c_str());
    return false;
  }
  return true;
}

bool readWholeFile(const std::string &path, std::string &text) {
  std::FILE *f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  text.clear();
  char buffer[4096];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
  const bool ok = !std::ferror(f);
  std::fclose(f);
  return ok;
}

std::string setFileAside(const std::string &path) {
  for (int i = 1; i < 100; ++i) {
    const std::string aside = path + (i == 1 ? ".damaged" : ".damaged-" + std::to_string(i));
    if (fileExists(aside)) continue;
    return std::rename(path.c_str(), aside.c_str()) == 0 ? aside : std::string{};
  }
  return {};
}
