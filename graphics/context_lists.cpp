// The four lists of live contexts. Every close checks membership first so
// that a stale or foreign pointer is refused before its record is touched.
#include <algorithm>
#include <cstdlib>
#include <new>
#include <vector>

#include "graphics/rk_core_internal.h"
#include "graphics/rk_drivers.h"

namespace {

std::vector<DeviceContext *> displayContexts;
std::vector<DeviceContext *> offscreenContexts;
std::vector<DeviceContext *> windowedContexts;
std::vector<DeviceContext *> memoryContexts;

std::vector<DeviceContext *> *listOfKind(int kind) {
  if (kind >= RK_KindFullScreenFirst && kind <= RK_KindFullScreenLast) return &displayContexts;
  if (kind >= RK_KindOffscreenFirst && kind <= RK_KindOffscreenLast) return &offscreenContexts;
  if (kind == RK_KindWindowed) return &windowedContexts;
  if (kind == RK_KindMemory) return &memoryContexts;
  return nullptr;
}

std::vector<DeviceContext *> *listHolding(const DeviceContext *dc) {
  for (auto *list : {&displayContexts, &offscreenContexts, &windowedContexts, &memoryContexts}) {
    if (std::find(list->begin(), list->end(), dc) != list->end()) return list;
  }
  return nullptr;
}

void releaseIfEmpty(std::vector<DeviceContext *> &list) {
  if (list.empty()) std::vector<DeviceContext *>().swap(list);
}

void closeAll(std::vector<DeviceContext *> &list) {
  while (!list.empty()) RK_closeContext(list.back());
}

}  // namespace

bool RK_listContext(DeviceContext *dc) {
  auto *list = listOfKind(dc->kind);
  if (!list) return false;
  try {
    list->push_back(dc);
  } catch (const std::bad_alloc &) {
    return false;
  }
  return true;
}

bool RK_unlistContext(DeviceContext *dc) {
  auto *list = listHolding(dc);
  if (!list) return false;
  list->erase(std::find(list->begin(), list->end(), dc));
  releaseIfEmpty(*list);
  return true;
}

bool RK_isLiveContext(const DeviceContext *dc) {
  return dc && listHolding(dc) != nullptr;
}

int RK_displayContextCount() {
  return static_cast<int>(displayContexts.size());
}

DeviceContext *RK_firstDisplayContext() {
  return displayContexts.empty() ? nullptr : displayContexts.front();
}

int RK_liveContextCount() {
  return static_cast<int>(displayContexts.size() + offscreenContexts.size() + windowedContexts.size() +
                          memoryContexts.size());
}

void RK_closeMemoryContexts() {
  closeAll(memoryContexts);
}
void RK_closeWindowedContexts() {
  closeAll(windowedContexts);
}
void RK_closeOffscreenContexts() {
  closeAll(offscreenContexts);
}

void RK_closeDisplayContexts() {
  RK_selectContext(nullptr);
  closeAll(offscreenContexts);
  closeAll(displayContexts);
  RK_returnToDesktop();
}

int RK_closeContext(DeviceContext *dc) {
  if (!dc) return 1;
  auto *list = listHolding(dc);
  if (!list) {
    RK_setLastError(-17);
    return 0;
  }
  const bool wasDisplay = list == &displayContexts;
  RK_forgetIfCurrent(dc);
  RK_unlistContext(dc);
  std::free(dc->palette);
  dc->palette = nullptr;
  if (dc->driver.release) dc->driver.release(dc);
  std::free(dc);
  if (wasDisplay && displayContexts.empty()) RK_returnToDesktop();
  return 1;
}
