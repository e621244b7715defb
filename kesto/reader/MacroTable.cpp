// The table of macro definitions.
#include "kesto/reader/MacroTable.h"

#include <new>

namespace kesto {

int64_t MacroTable::BytesOf(std::u32string_view name, std::u32string_view body) {
  // Link, two lengths and the separator, as one record of the table would hold them.
  constexpr int64_t kRecordBytes = 20;
  return kRecordBytes + 4 * static_cast<int64_t>(name.size() + body.size());
}

bool MacroTable::Define(std::u32string_view name, std::u32string_view body, int32_t separator) {
  if (name.size() > kMaxNameLength || body.size() > kMaxBodyLength) return false;
  auto found = definitions_.find(name);
  int64_t replaced = found == definitions_.end() ? 0 : BytesOf(name, found->second.body);
  int64_t bytes = bytes_ - replaced + BytesOf(name, body);
  if (bytes > kMaxBytes) return false;
  try {
    MacroDefinition& definition =
        found == definitions_.end() ? definitions_[std::u32string(name)] : found->second;
    definition.body.assign(body);
    definition.separator = separator;
  } catch (const std::bad_alloc&) {
    return false;
  }
  bytes_ = bytes;
  return true;
}

const MacroDefinition* MacroTable::Find(std::u32string_view name) const {
  if (name.size() > kMaxNameLength) return nullptr;
  auto found = definitions_.find(name);
  return found == definitions_.end() ? nullptr : &found->second;
}

void MacroTable::Clear() {
  definitions_.clear();
  bytes_ = 0;
}

}  // namespace kesto
