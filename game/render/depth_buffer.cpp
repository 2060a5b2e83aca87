#include <algorithm>
#include <cstdint>

#include "game/render/render_steps.h"

DepthBuffer depthBuffer;

namespace {

// A reset only starts a new frame. Each row remembers the frame it was last
// made valid in and the one run of columns [low, high) valid for it then;
// columns outside that run still count as far. The far value reaches a
// column when drawing first needs it, while the row is about to be used and
// so is cheap to write, and columns no face reaches are never written.
struct RowState {
  uint64_t frame = 0;
  int32_t low = 0;
  int32_t high = DepthBufferWidth;  // before any reset, every entry is as it is
};

uint64_t currentFrame = 0;
RowState rows[DepthBufferHeight];

void fillFar(double *row, int64_t from, int64_t to) {
  std::fill(row + from, row + to, FarDepth);
}

}  // namespace

void resetDepthBuffer() {
  ++currentFrame;
}

double *depthRowFor(int64_t y, int64_t from, int64_t to) {
  double *row = depthBuffer.entries[y];
  RowState &state = rows[y];
  if (state.frame != currentFrame) {
    fillFar(row, from, to);
    state.frame = currentFrame;
    state.low = static_cast<int32_t>(from);
    state.high = static_cast<int32_t>(to);
    return row;
  }
  // Valid columns stay one run: a gap between it and the new columns is
  // filled too.
  if (from < state.low) {
    fillFar(row, from, state.low);
    state.low = static_cast<int32_t>(from);
  }
  if (to > state.high) {
    fillFar(row, state.high, to);
    state.high = static_cast<int32_t>(to);
  }
  return row;
}

ClaimedDepthRow claimDepthRow(int64_t y, int64_t from, int64_t to) {
  double *row = depthBuffer.entries[y];
  RowState &state = rows[y];
  if (state.frame != currentFrame) {
    state.frame = currentFrame;
    state.low = static_cast<int32_t>(from);
    state.high = static_cast<int32_t>(to);
    return {row, to, to};
  }
  ClaimedDepthRow claimed{row, std::max<int64_t>(from, state.low), std::min<int64_t>(to, state.high)};
  if (claimed.heldFrom >= claimed.heldTo) claimed.heldFrom = claimed.heldTo = to;
  // Only the gap between the old run and the claimed columns needs the far
  // value now; the claimed columns themselves are the caller's to write.
  if (to < state.low) fillFar(row, to, state.low);
  if (from > state.high) fillFar(row, state.high, from);
  state.low = static_cast<int32_t>(std::min<int64_t>(from, state.low));
  state.high = static_cast<int32_t>(std::max<int64_t>(to, state.high));
  return claimed;
}

void settleDepthRow(int y) {
  if (y < 0 || y >= screenHeight()) return;
  depthRowFor(y, 0, screenWidth());
}

void settleDepthBuffer() {
  for (int y = 0; y < screenHeight(); ++y) settleDepthRow(y);
}
