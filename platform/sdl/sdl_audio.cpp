#include "platform/sdl/sdl_audio.h"

#include <SDL.h>

#include <cstdint>

#include "framework/host_audio.h"

namespace {

SDL_AudioDeviceID device = 0;
AudioFillFunc fill = nullptr;

// On SDL's audio thread.
void pull(void *, Uint8 *stream, int bytes) {
  fill(reinterpret_cast<int16_t *>(stream), bytes / 2);
}

int openDevice(int rate, AudioFillFunc f) {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return 0;
  SDL_AudioSpec want{};
  want.freq = rate;
  want.format = AUDIO_S16SYS;
  want.channels = 1;
  // About 12 ms at 44100: short enough that a bounce is heard with its
  // frame, long enough not to starve on a busy machine.
  want.samples = 512;
  want.callback = pull;
  fill = f;
  SDL_AudioSpec have{};
  // SDL converts to what the device plays; the game's samples stay as asked.
  device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  if (device == 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return 0;
  }
  SDL_PauseAudioDevice(device, 0);
  return rate;
}

void closeDevice(int milliseconds, bool (*stillSounding)()) {
  if (device == 0) return;
  for (int waited = 0; waited < milliseconds && stillSounding && stillSounding(); waited += 10) SDL_Delay(10);
  SDL_CloseAudioDevice(device);
  device = 0;
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

const HostAudio sdlAudio = {openDevice, nullptr, closeDevice};

}  // namespace

const HostAudio *sdlHostAudio() {
  return &sdlAudio;
}
