// Internal to the simulation: the camera path's program-start values.
#pragma once

void resetCameraPath();
