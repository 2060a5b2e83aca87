// The current-context mirror: while a context is current, drawing works on
// this copy and the record itself is stale until another context (or none)
// becomes current.
#include <cstring>

#include "graphics/rk_core_internal.h"

namespace {

DeviceContext mirror{};
DeviceContext *current = nullptr;

// The pixel routines take the write mode and clip rectangle from their
// table; hand them the mirror's.
void pushAttributesToRoutines() {
  if (mirror.driver.setWriteMode) mirror.driver.setWriteMode(&mirror, mirror.attributes.writeMode);
  if (mirror.driver.setClip) mirror.driver.setClip(&mirror, mirror.attributes.clip);
}

}  // namespace

DeviceContext *RK_selectContext(DeviceContext *dc) {
  if (dc == current || dc == &mirror) return current;
  DeviceContext *previous = current;
  if (current) {
    *current = mirror;
    current = nullptr;
  }
  if (!dc) return previous;
  mirror = *dc;
  current = dc;
  pushAttributesToRoutines();
  return previous;
}

void RK_syncCurrent(DeviceContext *dc) {
  if (dc && dc == current) {
    mirror = *dc;
    pushAttributesToRoutines();
  }
}

DeviceContext *RK_currentContext() {
  return current;
}

DeviceContext *RK_currentMirror() {
  return &mirror;
}

DeviceContext *RK_resolveContext(DeviceContext *dc) {
  if (dc && dc == current) return &mirror;
  return dc;
}

void RK_forgetIfCurrent(DeviceContext *dc) {
  if (!dc || dc != current) return;
  current = nullptr;
  std::memset(static_cast<void *>(&mirror), 0, sizeof mirror);
  mirror.accessDepth = -1;
}
