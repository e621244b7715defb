// The engine's preferences by name.
#include "kesto/services/KestoPrefsProvider.h"

#include <algorithm>
#include <charconv>

#include "host/cmd/CmdUtils.h"
#include "host/core/ServiceRegistry.h"
#include "kesto/services/KestoPrefs.h"
#include "kesto/services/SetPrefsCmd.h"

namespace kesto {
namespace {

// The units of a zero-terminated field, as UTF-8.
std::string FieldText(const char16_t* units, size_t capacity) {
  return Utf8FromWide({units, static_cast<size_t>(std::find(units, units + capacity, u'\0') - units)});
}

std::string JsonString(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    if (static_cast<unsigned char>(c) < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof(escaped), "\\u%04x", c);
      out += escaped;
      continue;
    }
    out += c;
  }
  return out + "\"";
}

std::vector<std::string> Extensions(const KestoPrefsRecord& record) {
  std::vector<std::string> names;
  for (int32_t i = 0; i < record.extensionCount && i < kMaxPrefsExtensions; ++i) {
    names.push_back(FieldText(record.extensions[i], kPrefsExtensionUnits));
  }
  return names;
}

std::optional<bool> ParseSwitch(std::string_view value) {
  if (value == "on" || value == "true" || value == "yes" || value == "1") return true;
  if (value == "off" || value == "false" || value == "no" || value == "0") return false;
  return std::nullopt;
}

// One setting: how it reads from and writes to the record.
struct Setting {
  const char* name;
  uint16_t bit;  // 0 for the settings that are not an option bit
  const char* summary;
};

constexpr Setting kSettings[] = {
    {"convert-quotes", kPrefConvertQuotes, "import: typographer's quotes and dashes"},
    {"style-sheets", kPrefIncludeStyleSheets, "import: read style-sheet lines and tags"},
    {"report-errors", kPrefReportErrors, "import: leave a report in the text at each bad tag"},
    {"no-screen-update", kPrefNoScreenUpdate, "import: do not show the text while it is read"},
    {"delete-source", kPrefDeleteSourceFile, "import: delete the file after a successful import"},
    {"export-fragment", kPrefExportFragment, "export: no header and no style-sheet definitions"},
    {"export-separate-tags", kPrefExportSeparateTags, "export: one attribute per tag"},
    {"export-compact", kPrefExportCompact, "export: compact tags"},
    {"link-downloads", kPrefLinkDownloads, "pictures: place downloaded pictures linked to their file"},
    {"download-depth", 0, "pictures: URL components recreated as folders (32767: all)"},
    {"downloads-folder", 0, "pictures: folder for downloaded pictures"},
    {"download-limit", 0, "pictures: the largest download in megabytes (a server sending more is stopped)"},
    {"extensions", 0, "import: file-name extensions of tagged text (txt and up to three more)"},
};

PreferenceSetting Describe(const Setting& setting, const KestoPrefsRecord& record) {
  std::string name = setting.name;
  if (setting.bit != 0) {
    bool on = (record.options & setting.bit) != 0;
    return {name, on ? "on" : "off", on ? "true" : "false", setting.summary};
  }
  if (name == "download-depth") {
    std::string depth = std::to_string(record.downloadDepth);
    return {name, depth, depth, setting.summary};
  }
  if (name == "download-limit") {
    std::string limit = std::to_string(record.downloadLimitMB);
    return {name, limit, limit, setting.summary};
  }
  if (name == "downloads-folder") {
    std::string folder = FieldText(record.downloadsFolder, kPrefsFolderUnits);
    return {name, folder, JsonString(folder), setting.summary};
  }
  std::string list, json = "[";
  for (const std::string& extension : Extensions(record)) {
    list += (list.empty() ? "" : ",") + extension;
    json += (json.size() > 1 ? "," : "") + JsonString(extension);
  }
  return {name, list, json + "]", setting.summary};
}

// A whole number from `low` to `high`; nothing for anything else.
std::optional<int32_t> ParseNumber(std::string_view value, int32_t low, int32_t high) {
  int32_t number = 0;
  auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), number);
  if (ec != std::errc() || end != value.data() + value.size() || number < low || number > high)
    return std::nullopt;
  return number;
}

bool Fail(std::string& error, std::string message) {
  error = std::move(message);
  return false;
}

bool ApplyExtensions(std::string_view value, IKestoPrefs& prefs, std::string& error) {
  prefs.ResetExtensions();
  size_t start = 0;
  while (start <= value.size()) {
    size_t end = std::min(value.find(',', start), value.size());
    std::string_view extension = value.substr(start, end - start);
    while (!extension.empty() && extension.front() == '.')
      extension.remove_prefix(1);
    // The first entry is always "txt"; naming it again adds nothing.
    if (!extension.empty() && extension != "txt") {
      if (prefs.GetExtensionCount() == kMaxPrefsExtensions)
        return Fail(error, "extensions: at most four, txt included");
      if (extension.size() > kPrefsExtensionUnits)
        return Fail(error, "extensions: '" + std::string(extension) + "' is longer than 16 characters");
      prefs.AddExtension(WideFromUtf8(extension));
    }
    start = end + 1;
  }
  return true;
}

bool Apply(const Setting& setting, std::string_view value, IKestoPrefs& prefs, std::string& error) {
  std::string name = setting.name;
  KestoPrefsRecord record;
  prefs.GetAll(record);
  if (setting.bit != 0) {
    std::optional<bool> on = ParseSwitch(value);
    if (!on) return Fail(error, name + " takes on or off, not '" + std::string(value) + "'");
    record.options =
        static_cast<uint16_t>(*on ? record.options | setting.bit : record.options & ~setting.bit);
    prefs.SetAll(record);
    return true;
  }
  if (name == "download-depth") {
    std::optional<int32_t> depth = ParseNumber(value, 0, kAllDownloadComponents);
    if (!depth)
      return Fail(error, name + " takes a number from 0 to 32767, not '" + std::string(value) + "'");
    prefs.SetDownloadDepth(static_cast<int16_t>(*depth));
    return true;
  }
  if (name == "download-limit") {
    std::optional<int32_t> limit = ParseNumber(value, 1, kMaxDownloadLimitMB);
    if (!limit)
      return Fail(error, name + " takes a number of megabytes from 1 to " +
                             std::to_string(kMaxDownloadLimitMB) + ", not '" + std::string(value) + "'");
    record.downloadLimitMB = *limit;
    prefs.SetAll(record);
    return true;
  }
  if (name == "downloads-folder") {
    WideString folder = WideFromUtf8(value);
    if (folder.empty()) return Fail(error, name + " takes a folder name");
    if (folder.size() >= kPrefsFolderUnits) return Fail(error, name + ": at most 63 characters");
    prefs.SetDownloadsFolder(folder.data(), static_cast<int32_t>(folder.size()));
    return true;
  }
  return ApplyExtensions(value, prefs, error);
}

std::string KnownNames() {
  std::string names;
  for (const Setting& setting : kSettings)
    names += (names.empty() ? "" : ", ") + std::string(setting.name);
  return names;
}

}  // namespace

std::vector<PreferenceSetting> KestoPrefsProvider::GetSettings() const {
  KestoPrefsRecord record = GetApplicationPrefs();
  std::vector<PreferenceSetting> settings;
  for (const Setting& setting : kSettings)
    settings.push_back(Describe(setting, record));
  return settings;
}

bool KestoPrefsProvider::Set(std::string_view name, std::string_view value, std::string& error) {
  auto setting = std::find_if(std::begin(kSettings), std::end(kSettings),
                              [&](const Setting& s) { return name == s.name; });
  if (setting == std::end(kSettings))
    return Fail(error, "no preference '" + std::string(name) + "'; the preferences are " + KnownNames());
  // The change is worked out on the command's own copy, so that a refused value changes nothing.
  InterfacePtr<ICommand> command = NewSetApplicationPrefsCmd();
  InterfacePtr<IKestoPrefs> prefs(command.get(), UseDefaultIID());
  if (!prefs) return Fail(error, "the preferences are not available");
  if (!Apply(*setting, value, *prefs, error)) return false;
  if (CmdUtils::ProcessCommand(command.get()) != kSuccess)
    return Fail(error, "the preferences could not be changed");
  return true;
}

bool KestoPrefsProvider::Reset(std::string& error) {
  KestoPrefsRecord defaults;
  defaults.options |= kPrefConvertQuotes | kPrefIncludeStyleSheets;
  if (SetApplicationPrefs(defaults) != kSuccess) return Fail(error, "the preferences could not be changed");
  return true;
}

ErrorCode RegisterKestoPrefsProvider(Registry& registry) {
  if (registry.IsClassRegistered(kKestoPrefsProviderBoss)) return kSuccess;
  ErrorCode error = registry.RegisterImplementation<KestoPrefsProvider>(kKestoPrefsProviderImpl);
  if (error == kSuccess) {
    error = registry.RegisterClass(kKestoPrefsProviderBoss, kInvalidClass, "kKestoPrefsProviderBoss",
                                   {{IID_IPREFERENCESPROVIDER, kKestoPrefsProviderImpl}});
  }
  if (error == kSuccess)
    error = ServiceRegistry::Get().Register(kPreferencesProviderService, kKestoPrefsProviderBoss);
  return error;
}

}  // namespace kesto
