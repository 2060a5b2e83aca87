#include <algorithm>
#include <cmath>
#include <utility>

#include "game/render/render_math.h"
#include "game/render/render_steps.h"
#include "game/render/texel_coords.h"
#include "game/sim/camera.h"

namespace {

// One triangle edge walked row by row: x by an integer error term, depth
// and texture coordinates by linear steps. The error always lies in
// (-dy, 0] between rows, so a row moves x by the whole columns of dx / dy
// and at most one more: `whole` and `rest` split dx once per edge instead
// of dividing on every row of a flat edge.
struct Edge {
  int64_t x, dx, dy, step, error;
  int64_t whole, rest;
  double z, dz, u, du, v, dv;
};

void splitRun(Edge &e) {
  e.whole = (e.dx / e.dy) * e.step;
  e.rest = e.dx % e.dy;
}

void setUpEdge(Edge &e, const ScenePoint &upper, const ScenePoint &lower) {
  e.dy = int64_t{lower.screenY} - upper.screenY;
  const int64_t run = int64_t{lower.screenX} - upper.screenX;
  e.dx = run < 0 ? -run : run;
  e.step = lower.screenX >= upper.screenX ? 1 : -1;
  e.error = -(e.dy / 2);
  e.x = upper.screenX;
  splitRun(e);
  e.z = upper.depth;
  e.dz = static_cast<double>((int64_t{lower.depth} - upper.depth) / e.dy);
  e.u = upper.u;
  e.du = (lower.u - upper.u) / static_cast<double>(e.dy);
  e.v = upper.v;
  e.dv = (lower.v - upper.v) / static_cast<double>(e.dy);
}

// The edge that reaches its lower point at the knee carries on from where it
// stands towards the bottom point.
void restartEdge(Edge &e, const ScenePoint &bottom, int64_t rows) {
  const int64_t run = int64_t{bottom.screenX} - e.x;
  e.dx = run < 0 ? -run : run;
  e.step = run >= 0 ? 1 : -1;
  e.dy = rows;
  e.error = -(rows / 2);
  splitRun(e);
  const double r = static_cast<double>(rows);
  e.dz = (bottom.depth - e.z) / r;
  e.du = (bottom.u - e.u) / r;
  e.dv = (bottom.v - e.v) / r;
}

inline void advanceValues(Edge &e) {
  e.z += e.dz;
  e.u += e.du;
  e.v += e.dv;
}

inline void stepX(Edge &e) {
  e.error += e.rest;
  e.x += e.whole;
  if (e.error > 0) {
    e.error -= e.dy;
    e.x += e.step;
  }
}

// `rows` rows that are not drawn, with the same end state as walking them.
void skipRows(Edge &e, int64_t rows) {
  const uint64_t n = static_cast<uint64_t>(rows);
  e.z = addRepeatedly(e.z, e.dz, n);
  e.u = addRepeatedly(e.u, e.du, n);
  e.v = addRepeatedly(e.v, e.dv, n);
  const Int128 total = Int128{e.error} + Int128{rows} * e.dx;
  if (total <= 0) {
    e.error = static_cast<int64_t>(total);
    return;
  }
  const Int128 times = ceilDivide(total, e.dy);
  e.error = static_cast<int64_t>(total - times * e.dy);
  e.x += static_cast<int64_t>(times) * e.step;
}

// Texel reads of a run whose coordinates may leave the texture: held at the
// picture's first or last byte.
struct ClampedTexels {
  const Texture &tex;
  uint8_t operator()(const TexelCoords &c) const {
    int64_t offset = int64_t{tex.width + 1} * truncToInt32(c.v()) + truncToInt32(c.u());
    offset = std::clamp<int64_t>(offset, 0, tex.pixelBytes - 1);
    return tex.pixels[offset];
  }
};

// Texel reads of a run proven to stay inside the texture, with coordinates
// in (-1, PackedLimit) and a row step of at most PackedLimit.
struct InsideTexels {
  const uint8_t *pixels;
  PackedTexelOffset offset;
  explicit InsideTexels(const Texture &tex) : pixels(tex.pixels), offset(tex.width + 1) {}
  uint8_t operator()(const TexelCoords &c) const { return pixels[offset(c)]; }
};

// The range that `count` additions of `step` to `from` can cover, widened by
// far more than their rounding can add up to.
struct Reach {
  double low, high;
};
Reach reachOf(double from, double step, int64_t count) {
  const double to = from + step * static_cast<double>(count);
  double low = from < to ? from : to, high = from < to ? to : from;
  const double largest = std::max(std::fabs(low), std::fabs(high)) + std::fabs(step);
  const double slack = largest * static_cast<double>(count + 1) * 0x1p-50 + 0x1p-40;
  return {low - slack, high + slack};
}

// Whether every texel a run reads lies inside the texture, so that the run
// can do without clamping. NaN or huge values fail the test.
bool texelsInside(const Texture &tex, double u, double du, double v, double dv, int64_t count) {
  const Reach ru = reachOf(u, du, count), rv = reachOf(v, dv, count);
  constexpr double Limit = PackedLimit;
  if (!(ru.low > -1.0 && rv.low > -1.0 && ru.high < Limit && rv.high < Limit)) return false;
  if (tex.width >= PackedLimit) return false;
  const int64_t last =
      (int64_t{tex.width} + 1) * static_cast<int64_t>(rv.high) + static_cast<int64_t>(ru.high);
  return last < tex.pixelBytes;
}

// Whether a face's texel reads all lie inside the texture, whatever its
// size on screen. Every u and v of the face lies between the corners'
// values up to the rounding of its sums, which stays far below half a texel
// even over billions of additions; values within half a texel of the
// corners truncate to the corners' texels.
bool cornersInside(const Texture &tex) {
  if (tex.width < 2 || tex.height < 2 || tex.width >= PackedLimit || tex.height >= PackedLimit) return false;
  const int64_t last = (int64_t{tex.width} + 1) * (tex.height - 2) + (tex.width - 2);
  return last < tex.pixelBytes;
}

// The running values of a run: each advances by one addition per column,
// exactly as a plain walk from the run's left end would.
struct RunValues {
  double z, dz;
  TexelCoords uv, duv;
};

// What a column's depth test knows beforehand. Columns that this frame has
// not given a depth yet hold the far value, so there the test needs no read
// and the depth is written whatever its outcome; in a run whose depths all
// lie nearer than that, the test always passes.
enum class Column { Held, Fresh, FreshNearer };

template <Column Kind, typename Texels>
inline void drawColumn(double z, const TexelCoords &uv, double *depthRow, uint8_t *pixelRow, int64_t x,
                       const Texels &texels) {
  if constexpr (Kind == Column::FreshNearer) {
    depthRow[x] = z;
    pixelRow[x] = texels(uv);
  } else if constexpr (Kind == Column::Fresh) {
    const bool nearer = z < FarDepth;
    depthRow[x] = nearer ? z : FarDepth;
    if (nearer) pixelRow[x] = texels(uv);
  } else {
    if (z < depthRow[x]) {
      depthRow[x] = z;
      pixelRow[x] = texels(uv);
    }
  }
}

// Columns [from, to) of a run.
template <Column Kind, typename Texels>
inline void walkColumns(RunValues &r, double *depthRow, uint8_t *pixelRow, int64_t from, int64_t to,
                        const Texels &texels) {
  double z = r.z;
  TexelCoords uv = r.uv;
  const double dz = r.dz;
  const TexelCoords duv = r.duv;
  for (int64_t x = from; x < to; ++x) {
    drawColumn<Kind>(z, uv, depthRow, pixelRow, x, texels);
    z += dz;
    uv.advance(duv);
  }
  r.z = z;
  r.uv = uv;
}

// A run ready to be walked: its clipped columns [start, end), its values at
// column start, and the rows it writes.
struct Run {
  RunValues values;
  ClaimedDepthRow depth;
  uint8_t *pixelRow;
  int64_t start, end;
  bool inside;  // every texel it reads lies inside the texture
  bool nearer;  // every depth it computes is nearer than the far value
};

// Sets up the run of row y between columns xa and xb; false when it writes
// nothing. Its depth row is claimed here, so it must be walked before
// anything else reads or writes row y.
bool prepareRun(Run &run, const FrameTarget &target, int64_t xa, int64_t xb, double za, double zb, int64_t y,
                double ua, double ub, double va, double vb, const Texture &tex, bool knownInside) {
  if (xa == xb) return false;
  if (xa > xb) {
    std::swap(xa, xb);
    std::swap(za, zb);
    std::swap(ua, ub);
    std::swap(va, vb);
  }
  int64_t start = xa - 1, end = xb + 1;
  const int64_t w = target.width;
  if (end <= 0 || start >= w) return false;
  const double n = static_cast<double>(end - start);
  double z = za, dz = (zb - za) / n, u = ua, du = (ub - ua) / n, v = va, dv = (vb - va) / n;
  if (start < 0) {
    const double skipped = static_cast<double>(-start);
    z += skipped * dz;
    u += skipped * du;
    v += skipped * dv;
    start = 0;
  }
  if (end >= w) end = w - 1;
  if (start >= end) return false;
  run.start = start;
  run.end = end;
  run.depth = claimDepthRow(y, start, end);
  run.pixelRow = target.pixels + y * target.pitch;
  run.values = {z, dz, TexelCoords::of(u, v), TexelCoords::of(du, dv)};
  run.inside = knownInside || texelsInside(tex, u, du, v, dv, end - start);
  run.nearer = reachOf(z, dz, end - start).high < FarDepth;  // false for NaN
  return true;
}

// The columns [from, end) of a run whose values stand at column `from`.
template <Column FreshKind, typename Texels>
void walkStretches(Run &run, int64_t from, const Texels &texels) {
  double *depthRow = run.depth.row;
  const int64_t held = std::max(from, run.depth.heldFrom), fresh = std::max(from, run.depth.heldTo);
  walkColumns<FreshKind>(run.values, depthRow, run.pixelRow, from, run.depth.heldFrom, texels);
  walkColumns<Column::Held>(run.values, depthRow, run.pixelRow, held, run.depth.heldTo, texels);
  walkColumns<FreshKind>(run.values, depthRow, run.pixelRow, fresh, run.end, texels);
}

template <typename Texels>
void walkRunFrom(Run &run, int64_t from, const Texels &texels) {
  if (run.nearer) {
    walkStretches<Column::FreshNearer>(run, from, texels);
  } else {
    walkStretches<Column::Fresh>(run, from, texels);
  }
}

void walkRun(Run &run, const Texture &tex) {
  if (run.inside) {
    walkRunFrom(run, run.start, InsideTexels(tex));
  } else {
    walkRunFrom(run, run.start, ClampedTexels{tex});
  }
}

// Whether column x of a run counts as far, and where that stretch ends.
inline bool freshAt(const Run &run, int64_t x, int64_t &stretchEnd) {
  if (x < run.depth.heldFrom) {
    stretchEnd = run.depth.heldFrom;
    return true;
  }
  if (x < run.depth.heldTo) {
    stretchEnd = run.depth.heldTo;
    return false;
  }
  stretchEnd = run.end;
  return true;
}

// `count` columns of two runs on different rows side by side: each run's
// sums are the same additions as when it is walked alone, but the two
// chains of additions no longer wait for each other.
template <Column KindA, Column KindB>
void walkTwo(Run &a, Run &b, int64_t fromA, int64_t fromB, int64_t count, const InsideTexels &texels) {
  double za = a.values.z, zb = b.values.z;
  TexelCoords uva = a.values.uv, uvb = b.values.uv;
  const double dza = a.values.dz, dzb = b.values.dz;
  const TexelCoords duva = a.values.duv, duvb = b.values.duv;
  double *depthA = a.depth.row + fromA, *depthB = b.depth.row + fromB;
  uint8_t *pixelA = a.pixelRow + fromA, *pixelB = b.pixelRow + fromB;
  for (int64_t i = 0; i < count; ++i) {
    drawColumn<KindA>(za, uva, depthA, pixelA, i, texels);
    drawColumn<KindB>(zb, uvb, depthB, pixelB, i, texels);
    za += dza;
    uva.advance(duva);
    zb += dzb;
    uvb.advance(duvb);
  }
  a.values.z = za;
  a.values.uv = uva;
  b.values.z = zb;
  b.values.uv = uvb;
}

// Two runs of one face on different rows, both inside the texture and
// nearer than the far value throughout.
void walkPair(Run &a, Run &b, const Texture &tex) {
  const InsideTexels texels(tex);
  const int64_t count = std::min(a.end - a.start, b.end - b.start);
  for (int64_t i = 0; i < count;) {
    const int64_t xa = a.start + i, xb = b.start + i;
    int64_t endA, endB;
    const bool freshA = freshAt(a, xa, endA), freshB = freshAt(b, xb, endB);
    const int64_t n = std::min({endA - xa, endB - xb, count - i});
    if (freshA && freshB) {
      walkTwo<Column::FreshNearer, Column::FreshNearer>(a, b, xa, xb, n, texels);
    } else if (freshA) {
      walkTwo<Column::FreshNearer, Column::Held>(a, b, xa, xb, n, texels);
    } else if (freshB) {
      walkTwo<Column::Held, Column::FreshNearer>(a, b, xa, xb, n, texels);
    } else {
      walkTwo<Column::Held, Column::Held>(a, b, xa, xb, n, texels);
    }
    i += n;
  }
  // At most one of the two runs is longer.
  if (a.start + count < a.end) walkRunFrom(a, a.start + count, texels);
  if (b.start + count < b.end) walkRunFrom(b, b.start + count, texels);
}

// Collects the runs of one face and walks them two rows at a time. The rows
// of a face all differ, so their runs are independent of each other. Runs
// that may read outside the texture or reach the far depth go alone. Every
// run has been walked when the pairer goes.
class RunPairer {
 public:
  RunPairer(const Texture &tex, bool faceInside) : tex_(tex), faceInside_(faceInside) {}
  RunPairer(const RunPairer &) = delete;
  RunPairer &operator=(const RunPairer &) = delete;
  ~RunPairer() {
    if (waiting_) walkRun(pending_, tex_);
  }

  bool faceInside() const { return faceInside_; }

  void add(Run &run) {
    if (!run.inside || !run.nearer) {
      walkRun(run, tex_);
    } else if (!waiting_) {
      pending_ = run;
      waiting_ = true;
    } else {
      walkPair(pending_, run, tex_);
      waiting_ = false;
    }
  }

 private:
  const Texture &tex_;
  const bool faceInside_;
  Run pending_{};
  bool waiting_ = false;
};

// Row 0 is never drawn.
void drawRow(RunPairer &pairer, const FrameTarget &target, const Texture &tex, const Edge &left,
             const Edge &right, int64_t y) {
  Run run;
  if (y > 0 && prepareRun(run, target, left.x, right.x, left.z, right.z, y, left.u, right.u, left.v, right.v,
                          tex, pairer.faceInside()))
    pairer.add(run);
}

// Where a triangle's shorter edge ends: after row `row`, the left edge (or
// the right one) carries on towards `corner`.
struct Knee {
  const ScenePoint *corner = nullptr;
  int64_t row = 0;
  bool left = false;
};

// Rows from `y` down to `bottom`. Rows above the screen are jumped over
// with the state that walking them would leave, though never past the knee,
// where the edge turns from the state it has reached; the first row at or
// below the screen's bottom ends the face. Flat-topped faces have no knee:
// both edges reach the bottom, and their copy of the loop is compiled
// without the knee's tests.
template <bool HasKnee>
void walkRows(RunPairer &pairer, const FrameTarget &target, const Texture &tex, Edge &left, Edge &right,
              int64_t y, int64_t bottom, const Knee &knee) {
  const int64_t h = target.height;
  bool restarted = !HasKnee;
  while (y < bottom) {
    if (y < 1 && (restarted || y < knee.row)) {
      int64_t end = std::min<int64_t>(bottom, 1);
      if (!restarted) end = std::min(end, knee.row);
      skipRows(left, end - y);
      skipRows(right, end - y);
      y = end;
      continue;
    }
    advanceValues(left);
    advanceValues(right);
    if (y >= h) return;
    drawRow(pairer, target, tex, left, right, y);
    stepX(left);
    stepX(right);
    if (!restarted && y == knee.row) {
      restartEdge(knee.left ? left : right, *knee.corner, bottom - y);
      restarted = true;
    }
    ++y;
  }
}

// Whether any run of a face can write a column of a drawn row. Edges never
// leave the range of their corners' columns and rows, and a run widens its
// corners' columns by one on each side; rows from the top corner up to,
// not including, the bottom one are drawn, from row 1 up to H - 1.
bool reachesScreen(const ScenePoint &a, const ScenePoint &b, const ScenePoint &c, const FrameTarget &target) {
  const int64_t left = std::min({a.screenX, b.screenX, c.screenX});
  const int64_t right = std::max({a.screenX, b.screenX, c.screenX});
  const int64_t top = std::min({a.screenY, b.screenY, c.screenY});
  const int64_t bottom = std::max({a.screenY, b.screenY, c.screenY});
  return right + 1 > 0 && left - 1 < target.width - 1 && bottom > 1 && top < target.height;
}

}  // namespace

void fillTexturedSpan(int xa, int xb, double za, double zb, int y, double ua, double ub, double va, double vb,
                      const Texture &texture) {
  const FrameTarget target = currentFrameTarget();
  if (!target.pixels || y < 0 || y >= target.height || !texture.pixels || texture.pixelBytes <= 0) return;
  Run run;
  if (prepareRun(run, target, xa, xb, za, zb, y, ua, ub, va, vb, texture, false)) walkRun(run, texture);
}

void drawTexturedFace(const SceneFace &face) {
  const Texture *tex = faceTexture(face.type);
  if (!tex) return;
  const FrameTarget target = currentFrameTarget();
  if (!target.pixels) return;
  const double d = viewDistance;
  // NaN fails the comparison and rejects the face too.
  if (!(face.vertex0->viewZ + d > 0) || !(face.vertex1->viewZ + d > 0) || !(face.vertex2->viewZ + d > 0))
    return;
  if (face.vertex0 == face.vertex1) return;

  face.vertex0->u = 0;
  face.vertex0->v = 0;
  face.vertex1->u = 0;
  face.vertex1->v = tex->height - 2;
  face.vertex2->u = tex->width - 2;
  face.vertex2->v = tex->height - 2;

  if (!reachesScreen(*face.vertex0, *face.vertex1, *face.vertex2, target)) return;

  const ScenePoint *p = face.vertex0, *q = face.vertex1, *r = face.vertex2;
  if (q->screenY < p->screenY) std::swap(p, q);
  if (r->screenY < p->screenY) std::swap(p, r);
  if (r->screenX < q->screenX) std::swap(q, r);

  Edge left, right;
  RunPairer pairer(*tex, cornersInside(*tex));

  if (p->screenY != q->screenY && p->screenY != r->screenY) {
    setUpEdge(left, *p, *q);
    setUpEdge(right, *p, *r);
    const int64_t bottom = std::max(q->screenY, r->screenY);
    const int64_t kneeRow = std::min(q->screenY, r->screenY);
    if (bottom < 0 || p->screenY >= bottom) return;
    const bool leftEndsFirst = q->screenY <= r->screenY;
    const Knee knee{leftEndsFirst ? r : q, kneeRow - 1, leftEndsFirst};
    walkRows<true>(pairer, target, *tex, left, right, p->screenY, bottom, knee);
    return;
  }

  // Flat top: T and S share the top row, B is below both.
  const ScenePoint *t = p, *s = q, *b = r;
  if (r->screenY < q->screenY) {
    s = r;
    b = q;
  }
  if (b->screenY == t->screenY || b->screenY == s->screenY) return;
  setUpEdge(left, *t, *b);
  setUpEdge(right, *s, *b);
  if (b->screenY < 0 || t->screenY >= b->screenY) return;
  walkRows<false>(pairer, target, *tex, left, right, t->screenY, b->screenY, Knee{});
}
