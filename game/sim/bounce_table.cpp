#include <cmath>

#include "game/sim/ball.h"

double bounceTable[BounceTableSize];

void fillBounceTable() {
  // 3.141592654 / 38: entries 0 to 38 cover half a cosine period, so a bounce
  // rises for 19 frames, tops out and then sinks at the table's last step.
  const double k = 0.08267349089473684;
  for (int i = 0; i < 20; ++i) {
    bounceTable[i] = std::cos(i * k);
    bounceTable[39 - i] = -std::cos(i * k);
  }
}
