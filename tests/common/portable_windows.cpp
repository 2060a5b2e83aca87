#include <direct.h>
#include <fcntl.h>
#include <io.h>
#include <process.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <stdexcept>

#include "common/portable.h"
#include "common/portable_shared.h"

namespace portable {

const int kExitMinusOne = -1;
const char *const kDeathTestOutputStart = "\n";

void setEnv(const char *name, const std::string &value) {
  _putenv_s(name, value.c_str());
}

void setEnvDefault(const char *name, const std::string &value) {
  if (!std::getenv(name)) _putenv_s(name, value.c_str());
}

void unsetEnv(const char *name) {
  _putenv_s(name, "");  // an empty value removes the variable
}

std::filesystem::path makeTempFolder(const std::string &prefix) {
  std::random_device random;
  const std::filesystem::path base = std::filesystem::temp_directory_path();
  for (int attempt = 0; attempt < 1000; ++attempt) {
    const std::filesystem::path folder = base / (prefix + std::to_string(_getpid()) + "-" + std::to_string(random()));
    std::error_code failure;
    if (std::filesystem::create_directory(folder, failure)) return folder;
  }
  throw std::runtime_error("no temporary folder");
}

// No fmemopen: a temporary file with the same bytes.
FILE *memoryFile(void *data, size_t size) {
  FILE *f = std::tmpfile();
  if (!f) return nullptr;
  if (std::fwrite(data, 1, size, f) != size) {
    std::fclose(f);
    return nullptr;
  }
  std::rewind(f);
  return f;
}

// The C library's descriptors.
int processId() {
  return int(_getpid());
}

int openFileCount() {
  int count = 0;
  for (int fd = 0; fd < 2048; ++fd)
    if (_get_osfhandle(fd) != -1) ++count;
  return count;
}

// The child inherits this process's standard handles and directory, so both
// are swapped for the time of the run. Arguments are joined with spaces
// there: those that hold one are quoted.
ChildOutcome runChild(const std::string &program, const std::vector<std::string> &args,
                      const ChildOptions &options) {
  const std::string outPath = options.outputStem + ".out", errPath = options.outputStem + ".err";
  std::vector<std::string> quoted{"\"" + program + "\""};
  for (const std::string &a : args) quoted.push_back(a.find(' ') == std::string::npos ? a : "\"" + a + "\"");
  std::vector<const char *> argv;
  for (const std::string &a : quoted) argv.push_back(a.c_str());
  argv.push_back(nullptr);

  ChildOutcome outcome;
  std::fflush(stdout);
  std::fflush(stderr);
  const int out = _open(outPath.c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY, 0644);
  const int err = _open(errPath.c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY, 0644);
  const int savedOut = _dup(1), savedErr = _dup(2);
  char savedDir[4096];
  if (out >= 0 && err >= 0 && _getcwd(savedDir, sizeof savedDir) && _dup2(out, 1) == 0 && _dup2(err, 2) == 0) {
    if (options.workDir.empty() || _chdir(options.workDir.c_str()) == 0) {
      errno = 0;
      const intptr_t code = _spawnv(_P_WAIT, program.c_str(), argv.data());
      // Exit statuses as a POSIX parent sees them: the low eight bits. An
      // exit status of -1 and a failed start look alike but for errno.
      outcome.status = code == -1 && errno != 0 ? 127 : static_cast<int>(code & 0xFF);
      (void)_chdir(savedDir);
    }
  }
  _dup2(savedOut, 1);
  _dup2(savedErr, 2);
  _close(savedOut);
  _close(savedErr);
  if (out >= 0) _close(out);
  if (err >= 0) _close(err);
  outcome.out = takeFile(outPath);
  outcome.err = takeFile(errPath);
  return outcome;
}

}  // namespace portable
