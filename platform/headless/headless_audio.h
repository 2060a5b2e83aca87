// The headless back end's sound: what the game would play, written to a WAV
// file (mono, 16 bits, 44100 samples per second), one pass's share of
// samples after each main-loop pass as if the game ran at 60 passes a
// second. The same run gives the same file, byte for byte.
#pragma once

#include <string>

struct HostAudio;

inline constexpr int HeadlessAudioRate = 44100;
inline constexpr int HeadlessSamplesPerPass = HeadlessAudioRate / 60;

// The device that writes `file`; the file appears (replacing an older one)
// when the device closes at the program's end.
const HostAudio *headlessWavAudio(const std::string &file);
