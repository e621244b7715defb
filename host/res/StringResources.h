// StringResources: the string lists (resource type 102) that the host and the plug-ins register, looked up
// by plug-in, list ID and index.
#pragma once

#include <initializer_list>
#include <map>
#include <string_view>
#include <vector>

#include "host/core/IDs.h"
#include "host/core/WideString.h"

inline constexpr uint32_t kStringListResourceType = 102;

class StringResources {
 public:
  static StringResources& Get();

  // Registers list `listID` of `plugin`, replacing a list registered earlier under the same pair. Answers
  // kInvalidParameterError, registering nothing, for plug-in 0 or more than kMaxStrings strings.
  ErrorCode RegisterStringList(PluginID plugin, int32_t listID, std::vector<WideString> strings);
  ErrorCode RegisterStringList(PluginID plugin, int32_t listID, std::initializer_list<std::string_view> utf8);
  // Forgets every list of `plugin` (when it is unloaded).
  void UnregisterPlugIn(PluginID plugin);

  bool HasStringList(PluginID plugin, int32_t listID) const;
  // 0 when there is no such list.
  int32_t CountStrings(PluginID plugin, int32_t listID) const;
  // The string at `index`, counted from 0. False, with `text` empty, when there is no such list or `index` is
  // outside it.
  bool GetString(PluginID plugin, int32_t listID, int32_t index, WideString& text) const;

  static constexpr size_t kMaxStrings = 65536;

 private:
  const std::vector<WideString>* Find(PluginID plugin, int32_t listID) const;
  std::map<std::pair<uint32_t, int32_t>, std::vector<WideString>> lists_;
};
