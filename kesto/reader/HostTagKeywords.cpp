// The host-dialect keyword list.
#include "kesto/reader/HostTagKeywords.h"

#include <string>
#include <utility>
#include <vector>

#include "host/app/HostTaggedTextKeywords.h"
#include "host/text/AttributeClasses.h"

namespace kesto::HostTagKeywords {
namespace {

using Entry = std::pair<std::u16string, int32_t>;

// Unknown names are remembered up to this size of the list, so that hostile input cannot grow it forever.
constexpr size_t kMaxEntries = 4096;

std::vector<Entry>& List() {
  static std::vector<Entry> list;
  return list;
}

template <class Text>
void AddName(const Text& name, int32_t code) {
  if (!name.empty()) List().emplace_back(std::u16string(name.begin(), name.end()), code);
}

}  // namespace

void EnsureFilled() {
  static bool filled = false;
  if (filled) return;
  filled = true;
  for (const HostTagKeyword& keyword : HostTaggedTextKeywords::All()) {
    AddName(keyword.longName, keyword.code);
    AddName(keyword.shortName, keyword.code);
  }
  for (const AttributeClassInfo* info : AttributeClasses::TaggedTextClasses()) {
    auto code = static_cast<int32_t>(info->cls.Get());
    AddName(info->longTag, code);
    AddName(info->shortTag, code);
  }
}

std::optional<int32_t> Find(std::u16string_view name) {
  const std::vector<Entry>& list = List();
  for (auto it = list.rbegin(); it != list.rend(); ++it)
    if (it->first == name) return it->second;
  return std::nullopt;
}

void Add(std::u16string_view name, int32_t code) {
  if (List().size() < kMaxEntries) AddName(name, code);
}

size_t Count() {
  return List().size();
}

}  // namespace kesto::HostTagKeywords
