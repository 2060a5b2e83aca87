// Whole numbers in the player's files, read strictly: digits only, no sign,
// at most nine of them (so the value fits a long everywhere, also where a
// long has 32 bits), and no more than `most`.
#pragma once

#include <string>

bool readWholeNumber(const std::string &text, long most, long &out);
