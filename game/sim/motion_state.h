// Internal to the simulation: putting the animated points back to their start.
#pragma once

void resetPulsePhase();
