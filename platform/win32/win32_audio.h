// Sound through the waveOut functions every Windows has (winmm.dll): mono
// 16-bit at the game's rate, kept fed by a thread of its own.
#pragma once

struct HostAudio;

const HostAudio *win32HostAudio();
