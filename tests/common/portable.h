// The few system calls tests need that POSIX and Windows spell differently:
// environment variables, fresh temporary folders, files read from memory,
// open files, and running a program as a child process. Each system's
// spelling lives in its own source (portable_posix.cpp, portable_windows.cpp),
// which the build picks.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace portable {

// exit(-1) as the parent sees it: POSIX keeps the low eight bits, Windows
// the whole code.
extern const int kExitMinusOne;

// Where a death test's expected standard error starts: at its beginning,
// or (where the child runs the test again from its start and echoes what
// came before) after a line end.
extern const char *const kDeathTestOutputStart;

void setEnv(const char *name, const std::string &value);
// Sets the variable only when it is not set.
void setEnvDefault(const char *name, const std::string &value);
void unsetEnv(const char *name);

// A new, empty folder in the system's temporary folder, named from
// `prefix`; throws when none can be made.
std::filesystem::path makeTempFolder(const std::string &prefix);

// A file opened for reading ("rb") whose bytes are `size` bytes at `data`;
// null on failure. Close it with fclose.
FILE *memoryFile(void *data, size_t size);

// The files this process has open through the C library.
int openFileCount();

// This process's number (a fork's child has its own).
int processId();

struct ChildOptions {
  std::string workDir;  // where the child starts
  // Standard output and error go to OUTPUT_STEM.out and .err (read back,
  // then removed).
  std::string outputStem;
  // A nonzero limit caps the size of every file the child writes, the write
  // failing instead of the child being killed (POSIX only).
  long fileSizeLimit = 0;
  // Appended to ASAN_OPTIONS for the child.
  std::string addressSanitizerOptions;
};

struct ChildOutcome {
  int status = -1;  // exit status (its low eight bits), or 128 + signal
  std::string out, err;
};

// Runs `program` with `args`, its standard input empty, and waits for it.
ChildOutcome runChild(const std::string &program, const std::vector<std::string> &args,
                      const ChildOptions &options);

}  // namespace portable
