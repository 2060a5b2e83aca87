// Command-line words compared as players type them: "-Course" is
// "-course". Only ASCII letters fold, so the comparison is the same in
// every locale.
#pragma once

inline bool equalIgnoringCase(const char *a, const char *b) {
  for (; *a && *b; ++a, ++b) {
    char ca = *a, cb = *b;
    if (ca >= 'A' && ca <= 'Z') ca = static_cast<char>(ca - 'A' + 'a');
    if (cb >= 'A' && cb <= 'Z') cb = static_cast<char>(cb - 'A' + 'a');
    if (ca != cb) return false;
  }
  return *a == *b;
}
