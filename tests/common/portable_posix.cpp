#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include "common/portable.h"
#include "common/portable_shared.h"

namespace portable {

const int kExitMinusOne = 255;
const char *const kDeathTestOutputStart = "^";

void setEnv(const char *name, const std::string &value) {
  setenv(name, value.c_str(), 1);
}

void setEnvDefault(const char *name, const std::string &value) {
  setenv(name, value.c_str(), 0);
}

void unsetEnv(const char *name) {
  unsetenv(name);
}

std::filesystem::path makeTempFolder(const std::string &prefix) {
  std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "XXXXXX")).string();
  if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  return pattern;
}

FILE *memoryFile(void *data, size_t size) {
  return fmemopen(data, size, "rb");
}

int processId() {
  return int(getpid());
}

int openFileCount() {
  int count = 0;
  for ([[maybe_unused]] const auto &entry : std::filesystem::directory_iterator("/proc/self/fd")) ++count;
  return count;
}

ChildOutcome runChild(const std::string &program, const std::vector<std::string> &args,
                      const ChildOptions &options) {
  const std::string outPath = options.outputStem + ".out", errPath = options.outputStem + ".err";
  std::vector<char *> argv{const_cast<char *>(program.c_str())};
  for (const std::string &a : args) argv.push_back(const_cast<char *>(a.c_str()));
  argv.push_back(nullptr);
  const char *asan = std::getenv("ASAN_OPTIONS");
  const std::string asanOptions = std::string(asan ? asan : "") + options.addressSanitizerOptions;
  const pid_t pid = fork();
  if (pid == 0) {
    const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int null = open("/dev/null", O_RDONLY);
    if (out < 0 || err < 0 || null < 0 || dup2(err, 2) < 0 || dup2(out, 1) < 0 || dup2(null, 0) < 0)
      _exit(126);
    if (!options.addressSanitizerOptions.empty() && setenv("ASAN_OPTIONS", asanOptions.c_str(), 1) != 0)
      _exit(126);
    if (!options.workDir.empty() && chdir(options.workDir.c_str()) != 0) _exit(126);
    if (options.fileSizeLimit > 0) {
      std::signal(SIGXFSZ, SIG_IGN);
      rlimit limit{static_cast<rlim_t>(options.fileSizeLimit), static_cast<rlim_t>(options.fileSizeLimit)};
      if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(126);
    }
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  ChildOutcome outcome;
  int raw = 0;
  if (pid > 0 && waitpid(pid, &raw, 0) == pid)
    outcome.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
  outcome.out = takeFile(outPath);
  outcome.err = takeFile(errPath);
  return outcome;
}

}  // namespace portable
