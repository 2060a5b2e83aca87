// The camera path: the viewpoint rides between the eleven key positions as the
// ball makes progress along x, and a smoothed view height stands in for the
// ball's bouncing height.
#pragma once

#include "game/scene/scene.h"

extern ScenePoint cameraPosition;
// Three times the distance from the camera to the view target; the renderer's
// projection distance.
extern double viewDistance;
extern double viewHeight;
extern double viewHeightTarget;

void placeCamera();
// One frame of the view height moving towards its target.
void followViewHeight();
