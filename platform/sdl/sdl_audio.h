// Sound through SDL's audio device: mono 16-bit at the game's rate, pulled
// by SDL's own audio thread.
#pragma once

struct HostAudio;

const HostAudio *sdlHostAudio();
