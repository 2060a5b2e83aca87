#include "platform/web/core/web_keys.h"

#include <cstring>

namespace {

struct CodeScan {
  const char *code;
  int scan;
};

// Key positions as the PC keyboard numbers them; the keypad's cursor
// positions share the codes of the cursor block, as a PC without Num Lock
// reports them.
const CodeScan kCodes[] = {
    {"Escape", 1},        {"Digit1", 2},        {"Digit2", 3},        {"Digit3", 4},
    {"Digit4", 5},        {"Digit5", 6},        {"Digit6", 7},        {"Digit7", 8},
    {"Digit8", 9},        {"Digit9", 10},       {"Digit0", 11},       {"Minus", 12},
    {"Equal", 13},        {"Backspace", 14},    {"Tab", 15},          {"KeyQ", 16},
    {"KeyW", 17},         {"KeyE", 18},         {"KeyR", 19},         {"KeyT", 20},
    {"KeyY", 21},         {"KeyU", 22},         {"KeyI", 23},         {"KeyO", 24},
    {"KeyP", 25},         {"BracketLeft", 26},  {"BracketRight", 27}, {"Enter", 28},
    {"NumpadEnter", 28},  {"ControlLeft", 29},  {"ControlRight", 29}, {"KeyA", 30},
    {"KeyS", 31},         {"KeyD", 32},         {"KeyF", 33},         {"KeyG", 34},
    {"KeyH", 35},         {"KeyJ", 36},         {"KeyK", 37},         {"KeyL", 38},
    {"Semicolon", 39},    {"Quote", 40},        {"Backquote", 41},    {"ShiftLeft", 42},
    {"Backslash", 43},    {"IntlHash", 43},     {"KeyZ", 44},         {"KeyX", 45},
    {"KeyC", 46},         {"KeyV", 47},         {"KeyB", 48},         {"KeyN", 49},
    {"KeyM", 50},         {"Comma", 51},        {"Period", 52},       {"Slash", 53},
    {"NumpadDivide", 53}, {"ShiftRight", 54},   {"NumpadMultiply", 55}, {"PrintScreen", 55},
    {"AltLeft", 56},      {"AltRight", 56},     {"Space", 57},        {"CapsLock", 58},
    {"F1", 59},           {"F2", 60},           {"F3", 61},           {"F4", 62},
    {"F5", 63},           {"F6", 64},           {"F7", 65},           {"F8", 66},
    {"F9", 67},           {"F10", 68},          {"NumLock", 69},      {"ScrollLock", 70},
    {"Home", 71},         {"Numpad7", 71},      {"ArrowUp", 72},      {"Numpad8", 72},
    {"PageUp", 73},       {"Numpad9", 73},      {"NumpadSubtract", 74}, {"ArrowLeft", 75},
    {"Numpad4", 75},      {"Numpad5", 76},      {"ArrowRight", 77},   {"Numpad6", 77},
    {"NumpadAdd", 78},    {"End", 79},          {"Numpad1", 79},      {"ArrowDown", 80},
    {"Numpad2", 80},      {"PageDown", 81},     {"Numpad3", 81},      {"Insert", 82},
    {"Numpad0", 82},      {"Delete", 83},       {"NumpadDecimal", 83}, {"IntlBackslash", 86},
    {"F11", 87},          {"F12", 88},          {"MetaLeft", 91},     {"MetaRight", 92},
    {"ContextMenu", 93},
};

bool isFunctionKey(const char *code) {
  return code[0] == 'F' && code[1] >= '1' && code[1] <= '9';
}

}  // namespace

int scanCodeForKeyCode(const char *code) {
  if (!code) return 0;
  for (const CodeScan &c : kCodes)
    if (std::strcmp(c.code, code) == 0) return c.scan;
  return 0;
}

int characterForKey(const char *key, bool control) {
  if (!key || !*key) return 0;
  if (key[1] == '\0') {
    const unsigned char c = static_cast<unsigned char>(key[0]);
    if (c < ' ' || c > '~') return 0;
    if (control) {
      if (c >= 'a' && c <= 'z') return c - 'a' + 1;
      if (c >= 'A' && c <= 'Z') return c - 'A' + 1;
      return 0;
    }
    return c;
  }
  if (std::strcmp(key, "Escape") == 0) return 27;
  if (std::strcmp(key, "Enter") == 0) return 13;
  if (std::strcmp(key, "Backspace") == 0) return 8;
  if (std::strcmp(key, "Tab") == 0) return 9;
  return 0;
}

bool gameTakesKey(const char *code, bool control, bool meta) {
  if (control || meta || !code || isFunctionKey(code)) return false;
  return scanCodeForKeyCode(code) != 0;
}
