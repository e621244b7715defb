// pagehost prefs: shows and changes the preferences the plug-ins keep in the user's workspace.
#include <cstdio>

#include "app/Commands.h"
#include "app/Output.h"
#include "host/app/IPreferencesProvider.h"

namespace pagehost {
namespace {

void PrintUsage() {
  std::printf(
      "Usage: pagehost prefs [--json]\n"
      "       pagehost prefs set NAME VALUE\n"
      "       pagehost prefs reset\n"
      "\n"
      "Shows the preferences (--json: as one JSON object), changes one of them, or gives every one its\n"
      "default. They are kept in pagehost/workspace.pgw in $XDG_CONFIG_HOME (else ~/.config), and import\n"
      "and export take their defaults from them.\n"
      "\n"
      "Exit status: 0 on success, 1 when the preferences could not be changed or saved, 2 for a\n"
      "command-line error (an unknown name or a value the preference does not take).\n");
}

std::vector<PreferenceSetting> AllSettings() {
  std::vector<PreferenceSetting> settings;
  for (const auto& provider : PreferencesProviders()) {
    std::vector<PreferenceSetting> own = provider->GetSettings();
    settings.insert(settings.end(), own.begin(), own.end());
  }
  return settings;
}

int Show(bool json) {
  std::vector<PreferenceSetting> settings = AllSettings();
  std::string out;
  if (json) {
    out = "{";
    for (size_t i = 0; i < settings.size(); ++i)
      out += (i ? "," : "") + ("\"" + settings[i].name + "\":") + settings[i].json;
    out += "}\n";
  } else {
    auto pad = [](const std::string& text, size_t width) {
      return text + std::string(text.size() < width ? width - text.size() : 1, ' ');
    };
    for (const PreferenceSetting& s : settings)
      out += pad(s.name, 22) + pad(s.value, 12) + s.summary + "\n";
  }
  std::fputs(out.c_str(), stdout);
  return kExitOk;
}

int Set(const std::string& name, const std::string& value) {
  std::string error;
  for (const auto& provider : PreferencesProviders()) {
    for (const PreferenceSetting& s : provider->GetSettings()) {
      if (s.name != name) continue;
      if (provider->Set(name, value, error)) return kExitOk;
      return UsageError("prefs set: " + error);
    }
  }
  std::string names;
  for (const PreferenceSetting& s : AllSettings())
    names += (names.empty() ? "" : ", ") + s.name;
  return UsageError("prefs set: no preference '" + name + "'; the preferences are " + names);
}

int Reset() {
  for (const auto& provider : PreferencesProviders()) {
    std::string error;
    if (!provider->Reset(error)) {
      Error("prefs reset: " + error);
      return kExitFailure;
    }
  }
  return kExitOk;
}

}  // namespace

int RunPrefs(CommandLine& args) {
  if (args.TakeFlag("--help", "-h")) {
    PrintUsage();
    return kExitOk;
  }
  if (args.Done()) return Show(false);
  if (args.TakeFlag("--json")) {
    if (!args.Done()) return UsageError("prefs: unexpected '" + args.Peek() + "'");
    return Show(true);
  }
  std::string action = args.Take();
  if (action == "set") {
    if (args.Done()) return UsageError("prefs set: needs a NAME and a VALUE");
    std::string name = args.Take();
    if (args.Done()) return UsageError("prefs set: " + name + " needs a VALUE");
    std::string value = args.Take();
    if (!args.Done()) return UsageError("prefs set: unexpected '" + args.Peek() + "'");
    return Set(name, value);
  }
  if (action == "reset") {
    if (!args.Done()) return UsageError("prefs reset: unexpected '" + args.Peek() + "'");
    return Reset();
  }
  return UsageError("prefs: unknown action '" + action + "' (set, reset, or none to show them)");
}

}  // namespace pagehost
