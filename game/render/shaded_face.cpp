#include <cmath>
#include <utility>

#include "game/render/render_math.h"
#include "game/render/render_steps.h"

namespace {

constexpr Int128 ErrorLimit = Int128{1} << 62;

// Errors that only ever drift further out keep their sign and stay far
// enough out; limiting them keeps later additions from overflowing.
int64_t limitError(Int128 e) {
  if (e > ErrorLimit) return static_cast<int64_t>(ErrorLimit);
  if (e < -ErrorLimit) return static_cast<int64_t>(-ErrorLimit);
  return static_cast<int64_t>(e);
}

// Shade moves in whole steps of 1.0 whenever its error term turns positive;
// the error falls by `decrement` each time.
struct ShadeWalk {
  double shade, sign;
  int64_t growth, error, decrement;

  void start(double from, double to, int64_t rows, int64_t dec) {
    shade = from;
    const double diff = to - from;
    sign = diff > 0 ? 1.0 : -1.0;
    growth = truncToInt32(std::fabs(diff));
    error = -(rows / 2);
    decrement = dec;
  }
  // One pixel or row: the error stays within (-decrement, 0] and the growth
  // within 32 bits, so the sum and its steps fit 64 bits (no 128-bit
  // division, a library call in the browser build); usually it moves one
  // step.
  void advanceOne() {
    const int64_t total = error + growth;
    if (total <= 0) {
      error = total;
    } else if (total <= decrement) {
      error = total - decrement;
      shade += sign;
    } else {
      const int64_t moves = (total + decrement - 1) / decrement;
      error = total - moves * decrement;
      shade = addRepeatedly(shade, sign, static_cast<uint64_t>(moves));
    }
  }
  void advance(uint64_t times) {
    const Int128 total = Int128{error} + Int128{times} * growth;
    if (total <= 0) {
      error = static_cast<int64_t>(total);
      return;
    }
    const Int128 moves = ceilDivide(total, decrement);
    error = static_cast<int64_t>(total - moves * decrement);
    shade = moves == 1 ? shade + sign : addRepeatedly(shade, sign, static_cast<uint64_t>(moves));
  }
};

// One ball edge: x by a fractional step per row, shade and depth by whole
// steps driven by error terms.
struct BallEdge {
  double x, xStep;
  ShadeWalk shade;
  double depth;
  int64_t depthGrowth, depthError, rows;

  void start(const ScenePoint &from, const ScenePoint &to, bool absoluteRows) {
    int64_t r = int64_t{to.screenY} - from.screenY;
    if (absoluteRows && r < 0) r = -r;
    rows = r < 1 ? 1 : r;
    x = from.screenX;
    xStep = static_cast<double>(int64_t{to.screenX} - from.screenX) / static_cast<double>(rows);
    shade.start(from.shade, to.shade, rows, rows);
    depth = from.depth;
    depthGrowth = int64_t{to.depth} - from.depth;
    depthError = -(rows / 2);
  }

  // The state after `times` rows, the same as advancing row by row.
  void advance(uint64_t times) {
    x = times == 1 ? x + xStep : addRepeatedly(x, xStep, times);
    shade.advance(times);
    moveDepth(Int128{depthError} + Int128{times} * depthGrowth);
  }

  // One row, the drawn rows' case: the depth error stays within [-rows, 0]
  // and its growth within 33 bits, so 64 bits hold the sum and no 128-bit
  // division (a library call in the browser build) is needed.
  void advanceOne() {
    x += xStep;
    shade.advanceOne();
    moveDepth(depthError + depthGrowth);
  }

 private:
  template <typename Wide>
  void moveDepth(Wide total) {
    const Wide r = rows;
    if (total > 0) {
      const Wide moves = (total + r - 1) / r;
      depth = moves == 1 ? depth + 1.0 : addRepeatedly(depth, 1.0, static_cast<uint64_t>(moves));
      depthError = static_cast<int64_t>(total - moves * r);
    } else if (total < -r) {
      const Wide moves = (-r - total + r - 1) / r;
      depth = moves == 1 ? depth - 1.0 : addRepeatedly(depth, -1.0, static_cast<uint64_t>(moves));
      depthError = static_cast<int64_t>(total + moves * r);
    } else {
      depthError = static_cast<int64_t>(total);
    }
  }
};

// The depth along a ball span: per pixel the error grows by g; above 0 the
// depth rises by `step` and the error falls by w, below -w it falls by `step`
// and the error rises by w.
struct SpanDepth {
  double depth, step;
  int64_t g, w, error;

  void advanceOne() {
    error += g;
    if (error > 0) {
      depth += step;
      error -= w;
    } else if (error < -w) {
      depth -= step;
      error += w;
    }
  }

  // The state after `times` pixels without walking them.
  void advance(uint64_t times) {
    const Int128 n = times;
    if (g > w) {
      // Every pixel rises.
      depth = addRepeatedly(depth, step, times);
      error = limitError(Int128{error} + n * (g - w));
    } else if (g < -w) {
      // Every pixel falls.
      depth = addRepeatedly(depth, -step, times);
      error = limitError(Int128{error} + n * (g + w));
    } else if (w == 0) {
      // g is 0 here: nothing moves.
    } else if (g >= 0) {
      const Int128 total = Int128{error} + n * g;
      const Int128 moves = total > 0 ? ceilDivide(total, w) : 0;
      depth = addRepeatedly(depth, step, static_cast<uint64_t>(moves));
      error = static_cast<int64_t>(total - moves * w);
    } else {
      const Int128 total = Int128{error} + n * g;
      const Int128 moves = total < -w ? ceilDivide(-w - total, w) : 0;
      depth = addRepeatedly(depth, -step, static_cast<uint64_t>(moves));
      error = static_cast<int64_t>(total + moves * w);
    }
  }
};

// Columns [x, last) of a span whose shade moves at most one step per
// column, the usual case: the walks' state lives in locals that the
// compiler keeps in registers. The shade error stays in (-decrement, 0], so
// one decrement always brings it back.
void walkBallColumns(uint8_t *pixelRow, double *depthRow, int64_t x, int64_t last, int32_t baseColour,
                     const ShadeWalk &shadeWalk, SpanDepth depth) {
  double shade = shadeWalk.shade;
  int64_t shadeError = shadeWalk.error;
  const double shadeSign = shadeWalk.sign;
  const int64_t growth = shadeWalk.growth, decrement = shadeWalk.decrement;
  for (; x < last; ++x) {
    const int64_t colour = int64_t{baseColour} + truncToInt32(shade);
    pixelRow[x] = static_cast<uint8_t>(static_cast<uint64_t>(colour));
    depthRow[x] = depth.depth;
    shadeError += growth;
    if (shadeError > 0) {
      shadeError -= decrement;
      shade += shadeSign;
    }
    depth.advanceOne();
  }
}

void drawBallSpan(const FrameTarget &target, const BallEdge &left, const BallEdge &right, int64_t y,
                  int32_t baseColour) {
  if (!(left.x < right.x)) return;
  int64_t x = truncToInt32(left.x);
  const int64_t end = truncToInt32(right.x);
  const int64_t w = truncToInt32(right.x - left.x);

  ShadeWalk shade;
  shade.start(left.shade.shade, right.shade.shade, w, w == 0 ? 1 : w);
  SpanDepth depth;
  depth.depth = left.depth;
  depth.g = truncToInt32(right.depth - left.depth);
  depth.w = w;
  depth.error = -(w / 2);
  if (depth.g > w) {
    depth.step = w > 0 ? static_cast<double>(depth.g / w) : static_cast<double>(-(w / 2));
  } else {
    depth.step = 1.0;
  }

  // Column 0 is never written; the columns left of 1 only move the state.
  if (x < 1 && end > x) {
    const int64_t stop = end < 1 ? end : 1;
    shade.advance(static_cast<uint64_t>(stop - x));
    depth.advance(static_cast<uint64_t>(stop - x));
    x = stop;
  }
  const int64_t last = end < target.width ? end : target.width;
  if (x >= last) return;
  uint8_t *pixelRow = target.pixels + y * target.pitch;
  // Every column of the run is written, so none needs the far value first.
  double *depthRow = claimDepthRow(y, x, last).row;
  if (shade.growth <= shade.decrement) {
    walkBallColumns(pixelRow, depthRow, x, last, baseColour, shade, depth);
    return;
  }
  for (; x < last; ++x) {
    const int64_t colour = int64_t{baseColour} + truncToInt32(shade.shade);
    pixelRow[x] = static_cast<uint8_t>(static_cast<uint64_t>(colour));
    depthRow[x] = depth.depth;
    shade.advanceOne();
    depth.advanceOne();
  }
}

}  // namespace

void drawShadedFace(const SceneFace &face) {
  const FrameTarget target = currentFrameTarget();
  if (!target.pixels) return;
  const ScenePoint *v0 = face.vertex0, *v1 = face.vertex1, *v2 = face.vertex2;
  const ScenePoint *t, *a, *b;
  if (v0->screenY < v1->screenY && v0->screenY < v2->screenY) {
    t = v0, a = v1, b = v2;
  } else if (v1->screenY < v2->screenY) {
    t = v1, a = v0, b = v2;
  } else {
    t = v2, a = v1, b = v0;
  }
  const Int128 cross = Int128{int64_t{a->screenX} - t->screenX} * (int64_t{b->screenY} - t->screenY) -
                       Int128{int64_t{a->screenY} - t->screenY} * (int64_t{b->screenX} - t->screenX);
  if (cross > 0) std::swap(a, b);

  BallEdge left, right;
  left.start(*t, *a, false);
  right.start(*t, *b, false);
  const int64_t h = target.height;
  int64_t y = t->screenY;

  // Rows above the screen only move the edges; the first row below it ends
  // the face.
  auto walkRows = [&](int64_t stop) {
    while (y < stop) {
      if (y < 0) {
        const int64_t next = stop < 0 ? stop : 0;
        left.advance(static_cast<uint64_t>(next - y));
        right.advance(static_cast<uint64_t>(next - y));
        y = next;
        continue;
      }
      if (y >= h) return false;
      drawBallSpan(target, left, right, y, face.baseColour);
      left.advanceOne();
      right.advanceOne();
      ++y;
    }
    return true;
  };

  if (!walkRows(std::min(a->screenY, b->screenY))) return;
  if (a->screenY <= b->screenY) {
    left.start(*a, *b, true);
  } else {
    right.start(*b, *a, true);
  }
  walkRows(std::max(a->screenY, b->screenY));
}
