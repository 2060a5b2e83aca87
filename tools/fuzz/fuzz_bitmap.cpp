// libFuzzer target: RK_readBitmapStream on arbitrary bytes, then drawing
// what it accepted onto 8-bit and 16-bit contexts.
#include <cstdint>
#include <cstdio>
#include <initializer_list>

#include "graphics/rasterkit.h"

namespace {

DeviceContext *context(int bits) {
  static DeviceContext *eight = RK_openMemoryContext(64, 48, 8, nullptr);
  static DeviceContext *sixteen = RK_openMemoryContext(32, 24, 16, nullptr);
  return bits == 8 ? eight : sixteen;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  if (size == 0) return 0;
  FILE *file = fmemopen(const_cast<uint8_t *>(data), size, "rb");
  if (!file) return 0;
  Bitmap *bmp = RK_readBitmapStream(file, 0, size & 1);
  std::fclose(file);
  RK_lastError();
  if (!bmp) return 0;
  // Small pictures are drawn, cut at the edges; large ones only once.
  for (int bits : {8, 16}) {
    DeviceContext *dc = context(bits);
    RK_drawBitmapAt(dc, -3, -2, bmp, 0);
    if (bmp->width * int64_t(bmp->height) < 4096) RK_drawBitmapAt(dc, 30, 20, bmp, 1);
  }
  RK_copyArea(context(16), context(8), 0, 0, 64, 48, -5, 3, 0);
  RK_stretchArea(context(8), context(16), 0, 0, 16, 12, 1, 1, 40, 30);
  RK_freeBitmap(bmp);
  return 0;
}
