// One line of the run trace: the game state after a main-loop pass.
#pragma once

#include <string>

struct TraceState {
  long pass;
  int menuMode;
  int lives;
  double x, y, z;
  double speed;
  double heading;
  int jumpIndex;
  double jumpFactor;
  double viewHeight;
};

// "PASS MENUMODE LIVES X Y Z SPEED HEADING JUMPINDEX JUMPFACTOR VIEWHEIGHT"
// with a line break; the doubles with %.17g, so that they read back exactly.
std::string formatTraceLine(const TraceState &state);
