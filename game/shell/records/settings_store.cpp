#include "game/shell/records/settings_store.h"

#include <sstream>

#include "framework/host.h"
#include "game/shell/records/atomic_file.h"

namespace {

constexpr const char *SettingsFileName = "settings.txt";
constexpr const char *MutedKey = "sound.muted";

bool isPlainText(const std::string &s) {
  for (char c : s)
    if (c == '\n' || c == '\r' || c == '=') return false;
  return true;
}

}  // namespace

void SettingsStore::open(const std::string &folder) {
  folder_ = folder;
  values_.clear();
  std::string text;
  if (folder_.empty() || !readWholeFile(folder_ + "/" + SettingsFileName, text)) return;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const size_t eq = line.find('=');
    if (eq == std::string::npos || eq == 0) continue;
    values_.emplace(line.substr(0, eq), line.substr(eq + 1));
  }
}

std::string SettingsStore::value(const std::string &key) const {
  const auto found = values_.find(key);
  return found == values_.end() ? std::string{} : found->second;
}

bool SettingsStore::setValue(const std::string &key, const std::string &value) {
  if (key.empty() || !isPlainText(key) || value.find_first_of("\r\n") != std::string::npos) return false;
  values_[key] = value;
  if (folder_.empty()) return false;
  std::string text;
  for (const auto &[k, v] : values_) text += k + "=" + v + "\n";
  std::string error;
  if (!writeFileAtomically(folder_ + "/" + SettingsFileName, text, error)) return false;
  hostPlayerFilesChanged();
  return true;
}

bool SettingsStore::soundMuted() const {
  return value(MutedKey) == "1";
}

bool SettingsStore::setSoundMuted(bool muted) {
  return setValue(MutedKey, muted ? "1" : "0");
}
