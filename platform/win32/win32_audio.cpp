#include "platform/win32/win32_audio.h"

#include <windows.h>
#include <mmsystem.h>

#include <atomic>
#include <cstdint>

#include "framework/host_audio.h"

namespace {

// Four blocks of about 12 ms each at 44100: one plays while the others wait.
constexpr int BlockCount = 4;
constexpr int BlockSamples = 512;

HWAVEOUT device = nullptr;
HANDLE blockDone = nullptr;
HANDLE feeder = nullptr;
std::atomic<bool> stopping{false};
AudioFillFunc fill = nullptr;
WAVEHDR headers[BlockCount];
int16_t blocks[BlockCount][BlockSamples];

void queueBlock(WAVEHDR &header) {
  fill(reinterpret_cast<int16_t *>(header.lpData), BlockSamples);
  waveOutWrite(device, &header, sizeof header);
}

// Refills each block the device has finished with. waveOutWrite may not be
// called from the device's own callback, hence the event and this thread.
DWORD WINAPI feedDevice(LPVOID) {
  while (!stopping.load()) {
    WaitForSingleObject(blockDone, 50);
    for (WAVEHDR &header : headers)
      if ((header.dwFlags & WHDR_DONE) && !stopping.load()) queueBlock(header);
  }
  return 0;
}

// Gives back the device with its blocks, and the event the blocks signal.
void releaseDevice() {
  waveOutReset(device);
  for (WAVEHDR &header : headers) waveOutUnprepareHeader(device, &header, sizeof header);
  waveOutClose(device);
  device = nullptr;
  CloseHandle(blockDone);
  blockDone = nullptr;
}

int openDevice(int rate, AudioFillFunc f) {
  WAVEFORMATEX format{};
  format.wFormatTag = WAVE_FORMAT_PCM;
  format.nChannels = 1;
  format.nSamplesPerSec = static_cast<DWORD>(rate);
  format.wBitsPerSample = 16;
  format.nBlockAlign = 2;
  format.nAvgBytesPerSec = static_cast<DWORD>(rate) * 2;
  blockDone = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  if (!blockDone) return 0;
  if (waveOutOpen(&device, WAVE_MAPPER, &format, reinterpret_cast<DWORD_PTR>(blockDone), 0, CALLBACK_EVENT) !=
      MMSYSERR_NOERROR) {
    device = nullptr;
    CloseHandle(blockDone);
    blockDone = nullptr;
    return 0;
  }
  fill = f;
  stopping.store(false);
  for (int i = 0; i < BlockCount; ++i) {
    headers[i] = WAVEHDR{};
    headers[i].lpData = reinterpret_cast<LPSTR>(blocks[i]);
    headers[i].dwBufferLength = sizeof blocks[i];
    waveOutPrepareHeader(device, &headers[i], sizeof headers[i]);
    queueBlock(headers[i]);
  }
  feeder = CreateThread(nullptr, 0, feedDevice, nullptr, 0, nullptr);
  if (!feeder) {
    releaseDevice();
    return 0;
  }
  return rate;
}

void closeDevice(int milliseconds, bool (*stillSounding)()) {
  if (!device) return;
  for (int waited = 0; waited < milliseconds && stillSounding && stillSounding(); waited += 10) Sleep(10);
  stopping.store(true);
  SetEvent(blockDone);
  WaitForSingleObject(feeder, 1000);
  CloseHandle(feeder);
  feeder = nullptr;
  releaseDevice();
}

const HostAudio win32Audio = {openDevice, nullptr, closeDevice};

}  // namespace

const HostAudio *win32HostAudio() {
  return &win32Audio;
}
