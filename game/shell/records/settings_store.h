// The player's settings in their folder: "settings.txt", one "key=value" a
// line. Unknown keys are kept as they are, so a newer version's settings
// survive an older program writing its own.
#pragma once

#include <map>
#include <string>

class SettingsStore {
 public:
  // Reads "settings.txt" from `folder` ("" : nothing is kept).
  void open(const std::string &folder);

  bool soundMuted() const;
  // Writes the file at once; false when it could not be written.
  bool setSoundMuted(bool muted);

  std::string value(const std::string &key) const;
  bool setValue(const std::string &key, const std::string &value);

 private:
  std::string folder_;
  std::map<std::string, std::string> values_;
};
