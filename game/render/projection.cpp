#include <cstdint>

#include "game/render/render_math.h"
#include "game/render/render_steps.h"
#include "game/sim/camera.h"

namespace {

int32_t saturate32(int64_t v) {
  if (v < INT32_MIN) return INT32_MIN;
  if (v > INT32_MAX) return INT32_MAX;
  return static_cast<int32_t>(v);
}

}  // namespace

void projectPoint(ScenePoint &p, const Matrix &m) {
  transformPoint(p, m);
  const int w = screenWidth(), h = screenHeight();
  const double d = viewDistance;
  const double fx = w * p.viewX * 7.0;
  const double fy = h * p.viewY * 7.0;
  const int32_t sx = saturate32(int64_t{truncToInt32(fx * d / (d + p.viewZ))} + w / 2);
  const int32_t sy = saturate32(int64_t{truncToInt32(fy * d / (d + p.viewZ))} + h / 2);
  p.viewX = sx;
  p.viewY = sy;
  p.screenX = sx;
  p.screenY = sy;
  p.depth = truncToInt32(p.viewZ * 10000000.0);
  p.projected = 1;
}
