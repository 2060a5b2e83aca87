// The headless display back end: no window system, no screen. It serves
// tests and tools, which steer and inspect it through headless_control.h.
#pragma once

// Installs the headless back end as the one in force.
void useHeadlessPlatform();

struct HostAudio;

// Installs the host (setHost) for tests and tools: no installed data to fall
// back on, player files only where headlessSetPlayerFilesDirectory says,
// standard error seen, and sound only into `audio` (the WAV writer).
void useHeadlessHost(const HostAudio *audio = nullptr);
