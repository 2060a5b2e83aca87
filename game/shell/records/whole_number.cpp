#include "game/shell/records/whole_number.h"

bool readWholeNumber(const std::string &text, long most, long &out) {
  if (text.empty() || text.size() > 9) return false;
  long value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  if (value > most) return false;
  out = value;
  return true;
}
