#include "reference_raster.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <utility>

#include "game/render/render_math.h"
#include "game/render/render_steps.h"
#include "game/sim/camera.h"

namespace {

struct Edge {
  int64_t x, dx, dy, step, error;
  double z, dz, u, du, v, dv;
};

void setUp(Edge &e, const ScenePoint &up, const ScenePoint &lo) {
  e.dy = int64_t{lo.screenY} - up.screenY;
  e.dx = llabs(int64_t{lo.screenX} - up.screenX);
  e.step = lo.screenX >= up.screenX ? 1 : -1;
  e.error = -(e.dy / 2);
  e.x = up.screenX;
  e.z = up.depth;
  e.dz = double((int64_t{lo.depth} - up.depth) / e.dy);
  e.u = up.u;
  e.du = (lo.u - up.u) / double(e.dy);
  e.v = up.v;
  e.dv = (lo.v - up.v) / double(e.dy);
}

void stepX(Edge &e) {
  e.error += e.dx;
  while (e.error > 0) {
    e.error -= e.dy;
    e.x += e.step;
  }
}

void advance(Edge &e) {
  e.z += e.dz;
  e.u += e.du;
  e.v += e.dv;
}

void restart(Edge &e, const ScenePoint &m, int64_t rows) {
  e.dx = llabs(int64_t{m.screenX} - e.x);
  e.step = m.screenX - e.x >= 0 ? 1 : -1;
  e.dy = rows;
  e.error = -(rows / 2);
  e.dz = (m.depth - e.z) / double(rows);
  e.du = (m.u - e.u) / double(rows);
  e.dv = (m.v - e.v) / double(rows);
}

void span(const FrameTarget &f, int64_t xa, int64_t xb, double za, double zb, int64_t y, double ua, double ub,
          double va, double vb, const Texture &t) {
  if (xa == xb) return;
  if (xa > xb) {
    std::swap(xa, xb);
    std::swap(za, zb);
    std::swap(ua, ub);
    std::swap(va, vb);
  }
  int64_t start = xa - 1, end = xb + 1, n = end - start;
  double dz = (zb - za) / double(n), du = (ub - ua) / double(n), dv = (vb - va) / double(n);
  if (end <= 0 || start >= f.width) return;
  double z = za, u = ua, v = va;
  if (start < 0) {
    z += double(-start) * dz;
    u += double(-start) * du;
    v += double(-start) * dv;
    start = 0;
  }
  if (end >= f.width) end = f.width - 1;
  if (start >= end) return;
  for (int64_t x = start; x < end; ++x) {
    if (z < depthBuffer.at(int(x), int(y))) {
      depthBuffer.at(int(x), int(y)) = z;
      int64_t off = int64_t{t.width + 1} * truncToInt32(v) + truncToInt32(u);
      if (off < 0) off = 0;
      if (off > t.pixelBytes - 1) off = t.pixelBytes - 1;
      f.pixels[y * f.pitch + x] = t.pixels[off];
    }
    z += dz;
    u += du;
    v += dv;
  }
}

}  // namespace

void referenceTexturedFace(const SceneFace &face) {
  const Texture *t = faceTexture(face.type);
  FrameTarget f = currentFrameTarget();
  if (!t || !f.pixels) return;
  double d = viewDistance;
  for (const ScenePoint *p : {face.vertex0, face.vertex1, face.vertex2})
    if (!(p->viewZ + d > 0)) return;
  if (face.vertex0 == face.vertex1) return;
  face.vertex0->u = 0;
  face.vertex0->v = 0;
  face.vertex1->u = 0;
  face.vertex1->v = t->height - 2;
  face.vertex2->u = t->width - 2;
  face.vertex2->v = t->height - 2;
  const ScenePoint *p = face.vertex0, *q = face.vertex1, *r = face.vertex2;
  if (q->screenY < p->screenY) std::swap(p, q);
  if (r->screenY < p->screenY) std::swap(p, r);
  if (r->screenX < q->screenX) std::swap(q, r);
  Edge l, rt;
  if (p->screenY != q->screenY && p->screenY != r->screenY) {
    setUp(l, *p, *q);
    setUp(rt, *p, *r);
    int64_t bottom = std::max(q->screenY, r->screenY), knee = std::min(q->screenY, r->screenY);
    bool leftFirst = q->screenY <= r->screenY;
    if (bottom < 0 || p->screenY >= bottom) return;
    for (int64_t y = p->screenY; y < bottom; ++y) {
      advance(l);
      advance(rt);
      if (y >= f.height) return;
      if (y > 0) span(f, l.x, rt.x, l.z, rt.z, y, l.u, rt.u, l.v, rt.v, *t);
      stepX(l);
      stepX(rt);
      if (y == knee - 1) {
        if (leftFirst)
          restart(l, *r, bottom - y);
        else
          restart(rt, *q, bottom - y);
      }
    }
    return;
  }
  const ScenePoint *top = p, *s = q, *b = r;
  if (r->screenY < q->screenY) s = r, b = q;
  if (b->screenY - top->screenY == 0 || b->screenY - s->screenY == 0) return;
  setUp(l, *top, *b);
  setUp(rt, *s, *b);
  if (b->screenY < 0 || top->screenY >= b->screenY) return;
  for (int64_t y = top->screenY; y < b->screenY; ++y) {
    advance(l);
    advance(rt);
    if (y >= f.height) return;
    if (y > 0) span(f, l.x, rt.x, l.z, rt.z, y, l.u, rt.u, l.v, rt.v, *t);
    stepX(l);
    stepX(rt);
  }
}

namespace {

struct BallEdge {
  double x, xStep, shade, shadeSign, depth;
  int64_t rows, shadeGrowth, shadeError, depthGrowth, depthError;
};

void ballSetUp(BallEdge &e, const ScenePoint &p, const ScenePoint &q, bool absRows) {
  int64_t rows = int64_t{q.screenY} - p.screenY;
  if (absRows) rows = llabs(rows);
  if (rows < 1) rows = 1;
  e.rows = rows;
  e.x = p.screenX;
  e.xStep = double(int64_t{q.screenX} - p.screenX) / double(rows);
  e.shade = p.shade;
  e.shadeSign = q.shade - p.shade > 0 ? 1.0 : -1.0;
  e.shadeGrowth = truncToInt32(std::fabs(q.shade - p.shade));
  e.shadeError = -(rows / 2);
  e.depth = p.depth;
  e.depthGrowth = int64_t{q.depth} - p.depth;
  e.depthError = -(rows / 2);
}

void ballAdvance(BallEdge &e) {
  e.x += e.xStep;
  e.shadeError += e.shadeGrowth;
  while (e.shadeError > 0) {
    e.shade += e.shadeSign;
    e.shadeError -= e.rows;
  }
  e.depthError += e.depthGrowth;
  while (e.depthError > 0) {
    e.depth += 1.0;
    e.depthError -= e.rows;
  }
  while (e.depthError < -e.rows) {
    e.depth -= 1.0;
    e.depthError += e.rows;
  }
}

void ballSpan(const FrameTarget &f, const BallEdge &l, const BallEdge &r, int64_t y, int32_t base) {
  if (y < 0 || y >= f.height) return;
  if (!(l.x < r.x)) return;
  int64_t w = truncToInt32(r.x - l.x);
  double shade = l.shade, sign = r.shade - l.shade > 0 ? 1.0 : -1.0;
  int64_t growth = truncToInt32(std::fabs(r.shade - l.shade)), serr = -(w / 2);
  double depth = l.depth;
  int64_t g = truncToInt32(r.depth - l.depth), derr = -(w / 2);
  double step = 1.0;
  if (g > w) step = w > 0 ? double(g / w) : double(-(w / 2));
  for (int64_t x = truncToInt32(l.x); x < truncToInt32(r.x); ++x) {
    if (x > 0 && x < f.width) {
      f.pixels[y * f.pitch + x] = uint8_t(uint64_t(int64_t{base} + truncToInt32(shade)));
      depthBuffer.at(int(x), int(y)) = depth;
    }
    serr += growth;
    while (serr > 0) {
      shade += sign;
      serr -= w == 0 ? 1 : w;
    }
    derr += g;
    if (derr > 0) {
      depth += step;
      derr -= w;
    } else if (derr < -w) {
      depth -= step;
      derr += w;
    }
  }
}

}  // namespace

void referenceShadedFace(const SceneFace &face) {
  FrameTarget f = currentFrameTarget();
  if (!f.pixels) return;
  const ScenePoint *v0 = face.vertex0, *v1 = face.vertex1, *v2 = face.vertex2, *t, *a, *b;
  if (v0->screenY < v1->screenY && v0->screenY < v2->screenY)
    t = v0, a = v1, b = v2;
  else if (v1->screenY < v2->screenY)
    t = v1, a = v0, b = v2;
  else
    t = v2, a = v1, b = v0;
  int64_t cross = (int64_t{a->screenX} - t->screenX) * (int64_t{b->screenY} - t->screenY) -
                  (int64_t{a->screenY} - t->screenY) * (int64_t{b->screenX} - t->screenX);
  if (cross > 0) std::swap(a, b);
  BallEdge l, r;
  ballSetUp(l, *t, *a, false);
  ballSetUp(r, *t, *b, false);
  int64_t y = t->screenY;
  for (; y < a->screenY && y < b->screenY; ++y) {
    ballSpan(f, l, r, y, face.baseColour);
    ballAdvance(l);
    ballAdvance(r);
  }
  if (a->screenY <= b->screenY)
    ballSetUp(l, *a, *b, true);
  else
    ballSetUp(r, *b, *a, true);
  for (; y < a->screenY || y < b->screenY; ++y) {
    ballSpan(f, l, r, y, face.baseColour);
    ballAdvance(l);
    ballAdvance(r);
  }
}
