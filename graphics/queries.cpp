#include "graphics/rk_core_internal.h"

namespace {
const DeviceContext *resolved(const DeviceContext *dc) {
  return RK_resolveContext(const_cast<DeviceContext *>(dc));
}
}  // namespace

int RK_pixelDepth(const DeviceContext *dc) {
  return dc ? resolved(dc)->bitsPerPixel : 0;
}
int RK_lastPage(const DeviceContext *dc) {
  return dc ? resolved(dc)->maxPage : 0;
}
int RK_lastColumn(const DeviceContext *dc) {
  if (!dc) return 0;
  dc = resolved(dc);
  return dc->bounds.right - dc->bounds.left - 1;
}
int RK_lastRow(const DeviceContext *dc) {
  if (!dc) return 0;
  dc = resolved(dc);
  return dc->bounds.bottom - dc->bounds.top - 1;
}
int RK_contextFlags(const DeviceContext *dc) {
  return dc ? static_cast<int>(resolved(dc)->flags & 3) : 0;
}
void RK_pixelLayout(const DeviceContext *dc, PixelFormat *out) {
  if (dc && out) *out = resolved(dc)->pixelFormat;
}
int RK_isDisplayContext(const DeviceContext *dc) {
  return dc && dc->kind >= RK_KindFullScreenFirst && dc->kind <= RK_KindFullScreenLast;
}
int RK_isWindowedContext(const DeviceContext *dc) {
  return dc && (dc->kind == RK_KindWindowed || dc->kind == 1);
}
int RK_isMemoryContext(const DeviceContext *dc) {
  return dc && dc->kind == RK_KindMemory;
}
