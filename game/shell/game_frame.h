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

// The millisecond clock of the frame-rate line: relative to the program's
// start, from the display back end.
unsigned int gameClock();
