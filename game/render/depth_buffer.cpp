#include <algorithm>

#include "game/render/render_steps.h"

DepthBuffer depthBuffer;

void resetDepthBuffer() {
  const int w = screenWidth();
  const int h = screenHeight();
  for (int y = 0; y < h; ++y) std::fill_n(depthBuffer.entries[y], w, FarDepth);
}
