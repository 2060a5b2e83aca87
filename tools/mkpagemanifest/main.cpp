// mkpagemanifest OUTPUT CATALOGUE --font FONT --pictures PICTURE...
//                [--course NAME FILE...]...
// Writes the browser page's list of the game's data (see page_manifest.h):
// the catalogue's entries, each course's files, the pictures and the font.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "page_manifest.h"

int main(int argc, char **argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: mkpagemanifest OUTPUT CATALOGUE --font FONT --pictures PICTURE... "
                         "[--course NAME FILE...]...\n");
    return 2;
  }
  PageManifest manifest;
  manifest.catalogue = readCourseCatalogue(argv[2]);
  if (manifest.catalogue.empty()) {
    std::fprintf(stderr, "mkpagemanifest: %s names no course\n", argv[2]);
    return 1;
  }
  std::vector<std::string> *into = nullptr;
  for (int i = 3; i < argc; ++i) {
    if (std::strcmp(argv[i], "--font") == 0 && i + 1 < argc) {
      manifest.font = argv[++i];
      into = nullptr;
    } else if (std::strcmp(argv[i], "--pictures") == 0) {
      into = &manifest.pictures;
    } else if (std::strcmp(argv[i], "--course") == 0 && i + 1 < argc) {
      manifest.courses.push_back({argv[++i], {}});
      into = &manifest.courses.back().files;
    } else if (into && argv[i][0] != '-') {
      into->push_back(argv[i]);
    } else {
      std::fprintf(stderr, "mkpagemanifest: unexpected argument %s\n", argv[i]);
      return 2;
    }
  }
  // A new file renamed over the old, so a reader never sees half of one.
  const std::string output = argv[1];
  const std::string partial = output + ".new";
  {
    std::ofstream out(partial, std::ios::binary | std::ios::trunc);
    out << formatPageManifest(manifest);
    if (!out.flush()) {
      std::fprintf(stderr, "mkpagemanifest: cannot write %s\n", partial.c_str());
      return 1;
    }
  }
  // std::filesystem::rename replaces an existing file on every system.
  std::error_code error;
  std::filesystem::rename(partial, output, error);
  if (error) {
    std::fprintf(stderr, "mkpagemanifest: cannot replace %s\n", output.c_str());
    return 1;
  }
  return 0;
}
