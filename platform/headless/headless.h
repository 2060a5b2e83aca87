// The headless display back end: no window system, no screen. It serves
// tests and tools, which steer and inspect it through headless_control.h.
#pragma once

// Installs the headless back end as the one in force.
void useHeadlessPlatform();

// Installs the host (setHost) for tests and tools: no installed data to fall
// back on, no player files kept, standard error seen, no sound.
void useHeadlessHost();
