#include "platform/win32/win32_keys.h"

int scanCodeOf(uint32_t lParam) {
  return static_cast<int>((lParam >> 16) & 0xFFu);
}

bool wasDown(uint32_t lParam) {
  return (lParam & (1u << 30)) != 0;
}

bool altHeld(uint32_t lParam) {
  return (lParam & (1u << 29)) != 0;
}

int characterOf(uint32_t wParam) {
  return wParam <= 0xFFu ? static_cast<int>(wParam) : 0;
}
