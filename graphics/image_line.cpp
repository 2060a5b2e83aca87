#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "graphics/image_driver_ops.h"
#include "graphics/image_pixels.h"

namespace rkimg {
namespace {

// Bresenham over the whole line; `plot` receives every point and its index
// along the line (for the stipple).
template <typename Plot>
void walkLine(int x0, int y0, int x1, int y1, Plot plot) {
  int64_t dx = std::llabs(int64_t(x1) - x0), dy = -std::llabs(int64_t(y1) - y0);
  int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
  int64_t err = dx + dy;
  int x = x0, y = y0;
  for (uint32_t step = 0;; ++step) {
    plot(x, y, step);
    if (x == x1 && y == y1) break;
    int64_t e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y += sy;
    }
  }
}

// Very long lines are cut to the area first (their in-area pixels may then
// differ by rounding from the uncut walk) so that a stray coordinate cannot
// make a walk of billions of steps.
bool shortenLongLine(int &x0, int &y0, int &x1, int &y1, const RK_Rect &area, int margin) {
  const double dx = double(x1) - x0, dy = double(y1) - y0;
  if (std::abs(dx) + std::abs(dy) <= 65536.0) return true;
  double t0 = 0.0, t1 = 1.0;
  const double lo[2] = {double(area.left) - margin - 1, double(area.top) - margin - 1};
  const double hi[2] = {double(area.right) + 1, double(area.bottom) + 1};
  const double p[2] = {double(x0), double(y0)}, d[2] = {dx, dy};
  for (int axis = 0; axis < 2; ++axis) {
    if (d[axis] == 0.0) {
      if (p[axis] < lo[axis] || p[axis] > hi[axis]) return false;
      continue;
    }
    double a = (lo[axis] - p[axis]) / d[axis], b = (hi[axis] - p[axis]) / d[axis];
    if (a > b) std::swap(a, b);
    t0 = std::max(t0, a);
    t1 = std::min(t1, b);
    if (t0 > t1) return false;
  }
  const int nx0 = int(std::lround(p[0] + t0 * dx)), ny0 = int(std::lround(p[1] + t0 * dy));
  x1 = int(std::lround(p[0] + t1 * dx));
  y1 = int(std::lround(p[1] + t1 * dy));
  x0 = nx0;
  y0 = ny0;
  return true;
}

}  // namespace

void drawLine(DeviceContext *dc, int x0, int y0, int x1, int y1) {
  if (!dc->surface) return;
  const RK_Rect area = drawableRect(dc);
  if (isEmpty(area)) return;
  // Lines entirely beyond one edge of the area draw nothing; skip the walk.
  if ((x0 < area.left && x1 < area.left) || (x0 >= area.right && x1 >= area.right) ||
      (y0 < area.top && y1 < area.top) || (y0 >= area.bottom && y1 >= area.bottom))
    return;
  const uint32_t color = dc->attributes.color;
  const int op = dc->attributes.writeMode;
  const int depth = dc->bitsPerPixel;
  const uint32_t style = dc->attributes.lineStyle & 0xFFFFu;
  const int penW = dc->attributes.penWidth > 0 ? dc->attributes.penWidth : 0;
  const int penH = dc->attributes.penHeight > 0 ? dc->attributes.penHeight : 0;
  if (!shortenLongLine(x0, y0, x1, y1, area, std::max(penW, penH))) return;
  walkLine(x0, y0, x1, y1, [&](int x, int y, uint32_t step) {
    if (!((style >> (15 - (step & 15))) & 1u)) return;
    for (int64_t py = y; py <= int64_t(y) + penH; ++py) {
      if (py < area.top || py >= area.bottom) continue;
      uint8_t *row = dc->surface + py * dc->bytesPerLine;
      for (int64_t px = x; px <= int64_t(x) + penW; ++px)
        if (px >= area.left && px < area.right) writePixel(row, int(px), depth, color, op);
    }
  });
}

void drawLineInside(DeviceContext *dc, int x0, int y0, int x1, int y1) {
  if (!dc->surface) return;
  const uint32_t color = dc->attributes.color;
  const int op = dc->attributes.writeMode;
  const int depth = dc->bitsPerPixel;
  uint8_t *surface = dc->surface;
  const int64_t pitch = dc->bytesPerLine;
  if (depth == 8 && op == 0) {
    walkLine(x0, y0, x1, y1, [&](int x, int y, uint32_t) { surface[y * pitch + x] = uint8_t(color); });
  } else {
    walkLine(x0, y0, x1, y1,
             [&](int x, int y, uint32_t) { writePixel(surface + y * pitch, x, depth, color, op); });
  }
}

}  // namespace rkimg
