#include <cstdlib>
#include <cstring>

#include "graphics/rk_core_internal.h"

namespace {
constexpr size_t kScratchBytes = 32768;
bool initialised = false;
bool started = false;
uint8_t *scratch = nullptr;
char libraryPath[RK_PathMax] = "";
}  // namespace

bool RK_libraryInitialised() {
  return initialised;
}
void RK_markLibraryInitialised(bool on) {
  initialised = on;
}

bool RK_libraryStartedUp() {
  return started;
}
void RK_markLibraryStartedUp(bool on) {
  started = on;
}

bool RK_allocateScratch() {
  if (!scratch) scratch = static_cast<uint8_t *>(std::malloc(kScratchBytes));
  return scratch != nullptr;
}

void RK_releaseScratch() {
  std::free(scratch);
  scratch = nullptr;
}

// Longer paths are cut to the buffer rather than written past it.
void RK_storeLibraryPath(const char *path) {
  if (!path) path = "";
  std::strncpy(libraryPath, path, sizeof libraryPath - 1);
  libraryPath[sizeof libraryPath - 1] = '\0';
}

const char *RK_libraryPath() {
  return libraryPath;
}
