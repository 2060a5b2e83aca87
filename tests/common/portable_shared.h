// What both spellings of the portable layer share.
#pragma once

#include <fstream>
#include <iterator>
#include <string>

namespace portable {

inline std::string takeFile(const std::string &path) {
  std::string text;
  {
    std::ifstream in(path, std::ios::binary);
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  std::remove(path.c_str());
  return text;
}

}  // namespace portable
