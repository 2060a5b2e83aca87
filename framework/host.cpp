#include "framework/host.h"

namespace {

const Host emptyHost = {"none", nullptr, nullptr, nullptr, true, nullptr};
const Host *current = &emptyHost;

}  // namespace

void setHost(const Host *h) {
  current = h ? h : &emptyHost;
}

const Host &host() {
  return *current;
}

std::string hostGameDataDirectory() {
  return current->gameDataDirectory ? current->gameDataDirectory() : std::string{};
}

std::string hostPlayerFilesDirectory() {
  return current->playerFilesDirectory ? current->playerFilesDirectory() : std::string{};
}

void hostPlayerFilesChanged() {
  if (current->playerFilesChanged) current->playerFilesChanged();
}
