// The memory drivers PACK1 .. PACK32: a surface in ordinary memory, owned
// by the context unless the caller handed one in.
#include <cstdlib>
#include <new>

#include "graphics/rk_core_internal.h"
#include "graphics/rk_drivers.h"
#include "graphics/rk_image_ops.h"

namespace {

struct PackedState {
  uint8_t *ownedSurface;
};

// Larger surfaces are refused rather than risking offset overflow in the
// drawing code, which works in 32-bit rows and columns.
constexpr int64_t kMaxSurfaceBytes = int64_t{1} << 31;

void release(DeviceContext *dc) {
  auto *state = static_cast<PackedState *>(dc->driverState);
  if (!state) return;
  std::free(state->ownedSurface);
  delete state;
  dc->driverState = nullptr;
  dc->surface = nullptr;
}

bool supportedDepth(int bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 15 || bits == 16 || bits == 24 || bits == 32;
}

}  // namespace

int RK_setupMemoryContext(DeviceContext *dc, int /*driverId*/, int /*mode*/, void * /*window*/, int /*pages*/,
                          int, int, int, int) {
  const int bits = dc->bitsPerPixel;
  if (!supportedDepth(bits) || dc->maxX < 0 || dc->maxY < 0) return 0;
  const int64_t width = static_cast<int64_t>(dc->maxX) + 1;
  const int64_t height = static_cast<int64_t>(dc->maxY) + 1;
  const int64_t minRow = RK_packedRowBytes(width, bits);
  if (dc->bytesPerLine == 0) {
    if (minRow > kMaxSurfaceBytes) return 0;
    dc->bytesPerLine = static_cast<int32_t>(minRow);
  }
  if (dc->bytesPerLine < minRow) return 0;
  const int64_t bytes = static_cast<int64_t>(dc->bytesPerLine) * height;
  if (bytes > kMaxSurfaceBytes) return 0;

  auto *state = new (std::nothrow) PackedState{nullptr};
  if (!state) return 0;
  if (!dc->surface) {
    state->ownedSurface = static_cast<uint8_t *>(std::calloc(static_cast<size_t>(bytes), 1));
    if (!state->ownedSurface) {
      delete state;
      return 0;
    }
    dc->surface = state->ownedSurface;
  }
  dc->driverState = state;
  dc->kind = RK_KindMemory;
  dc->planes = 1;
  dc->maxColor = RK_maxColorOfDepth(bits);
  dc->maxPage = 0;
  dc->activePageNo = dc->visualPageNo = 0;
  dc->accessDepth = -1;
  if (bits <= 8) dc->pixelFormat = PixelFormat{};
  RK_describeChannels(dc);
  dc->driver = DriverTable{};
  dc->driver.release = release;
  RK_installPackedAttributeOps(dc->driver);
  RK_installImageOperations(dc->driver);
  return 1;
}
