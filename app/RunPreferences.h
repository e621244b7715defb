// RunPreferences: preferences changed for one pagehost run only (`new --auto-flow`): each setting is given
// its value through the provider that owns it and given back its old value when the object goes, so the
// user's saved preferences stay as they were.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace pagehost {

class RunPreferences {
 public:
  RunPreferences() = default;
  RunPreferences(const RunPreferences&) = delete;
  RunPreferences& operator=(const RunPreferences&) = delete;
  ~RunPreferences();
  // Empty when set; otherwise why not (no loaded plug-in has the setting, or it refused the value).
  std::string Set(const std::string& name, const std::string& value);

 private:
  std::vector<std::pair<std::string, std::string>> restore_;  // name, old value; latest last
};

}  // namespace pagehost
