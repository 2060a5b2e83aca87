// The frame callback and what happens around it: resources, lives, the menu
// picture, mode switches and suspension.
#pragma once

#include "framework/framework.h"

void loadResources();
void drawFrame();
void loseLife();
void showMenuItem(int selection);
int onModeSwitch(const VideoMode &mode, int windowed);
int onSuspendApp(DeviceContext *dc, int reason);

#include <cstdint>

// The clock of the frame-rate line, in microseconds relative to the
// program's start, from the display back end. A millisecond clock would time
// most frames of a current machine as 0 or 1 ms ("inf fps", "1000.000000 fps").
uint64_t gameClock();
