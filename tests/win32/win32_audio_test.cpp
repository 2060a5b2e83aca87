// The waveOut device: it opens and pulls samples, or, on a machine without
// sound, reports none so that the game stays silent. Either way no box.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <cstdio>

#include "framework/host_audio.h"
#include "platform/win32/win32_audio.h"

namespace {

std::atomic<int> pulled{0};
std::atomic<bool> quiet{true};
void countingFill(int16_t *samples, int count) {
  for (int i = 0; i < count; ++i) {
    samples[i] = 0;
    quiet = quiet && samples[i] == 0;
  }
  pulled += count;
}

bool nothingSounds() {
  return false;
}

BOOL CALLBACK noteWindow(HWND window, LPARAM found) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == GetCurrentProcessId() && IsWindowVisible(window)) *reinterpret_cast<int *>(found) += 1;
  return TRUE;
}

TEST(Win32Audio, OpensAndIsPulledOrFallsBackWithoutABox) {
  const HostAudio *audio = win32HostAudio();
  ASSERT_NE(audio, nullptr);
  const int rate = audio->open(44100, countingFill);
  if (rate > 0) {
    EXPECT_EQ(rate, 44100);
    // The feeding thread keeps the device's blocks filled.
    for (int waited = 0; waited < 3000 && pulled < 4 * 44100 / 10; waited += 10) Sleep(10);
    EXPECT_GE(pulled.load(), 4 * 512);
  } else {
    EXPECT_EQ(pulled.load(), 0);
  }
  audio->close(100, nothingSounds);
  const int afterClose = pulled.load();
  Sleep(100);
  EXPECT_EQ(pulled.load(), afterClose) << "the device was still pulled after closing";
  int visibleWindows = 0;
  EnumWindows(noteWindow, reinterpret_cast<LPARAM>(&visibleWindows));
  EXPECT_EQ(visibleWindows, 0);
  // Opening again after a close works as the first time did.
  EXPECT_EQ(audio->open(44100, countingFill), rate);
  audio->close(0, nothingSounds);
  std::printf("waveOut %s\n", rate > 0 ? "opened" : "not available: silent");
}

}  // namespace
