// The registered string lists.
#include "host/res/StringResources.h"

StringResources& StringResources::Get() {
  static StringResources resources;
  return resources;
}

ErrorCode StringResources::RegisterStringList(PluginID plugin, int32_t listID,
                                              std::vector<WideString> strings) {
  if (!plugin.IsValid() || strings.size() > kMaxStrings) return kInvalidParameterError;
  lists_[{plugin.Get(), listID}] = std::move(strings);
  return kSuccess;
}

ErrorCode StringResources::RegisterStringList(PluginID plugin, int32_t listID,
                                              std::initializer_list<std::string_view> utf8) {
  std::vector<WideString> strings;
  strings.reserve(utf8.size());
  for (std::string_view s : utf8)
    strings.push_back(WideFromUtf8(s));
  return RegisterStringList(plugin, listID, std::move(strings));
}

void StringResources::UnregisterPlugIn(PluginID plugin) {
  std::erase_if(lists_, [&](const auto& entry) { return entry.first.first == plugin.Get(); });
}

const std::vector<WideString>* StringResources::Find(PluginID plugin, int32_t listID) const {
  auto it = lists_.find({plugin.Get(), listID});
  return it == lists_.end() ? nullptr : &it->second;
}

bool StringResources::HasStringList(PluginID plugin, int32_t listID) const {
  return Find(plugin, listID) != nullptr;
}

int32_t StringResources::CountStrings(PluginID plugin, int32_t listID) const {
  const auto* list = Find(plugin, listID);
  return list ? static_cast<int32_t>(list->size()) : 0;
}

bool StringResources::GetString(PluginID plugin, int32_t listID, int32_t index, WideString& text) const {
  text.clear();
  const auto* list = Find(plugin, listID);
  if (!list || index < 0 || static_cast<size_t>(index) >= list->size()) return false;
  text = (*list)[static_cast<size_t>(index)];
  return true;
}
