// MacroTable: the macros a scan has defined (<&!…>), each a name, a body of tag text and the separator of
// its arguments. A later definition of a name hides the earlier one for good, so it takes its place.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace kesto {

// Names are looked up as views, without a copy per invocation.
struct MacroNameHash {
  using is_transparent = void;
  size_t operator()(std::u32string_view name) const { return std::hash<std::u32string_view>()(name); }
};

struct MacroDefinition {
  std::u32string body;
  int32_t separator = ',';
};

class MacroTable {
 public:
  static constexpr int32_t kMaxNameLength = 256;
  static constexpr int32_t kMaxBodyLength = 4096;
  // What the definitions may take in all, counted as name, body and separator in 32-bit code points plus a
  // small record each; a definition past it is refused.
  static constexpr int64_t kMaxBytes = int64_t{1} << 26;

  // Adds or replaces the definition of `name`. Answers false, changing nothing, when the name or body is
  // longer than allowed or the table would outgrow kMaxBytes.
  [[nodiscard]] bool Define(std::u32string_view name, std::u32string_view body, int32_t separator);
  // The newest definition of `name`, or null. Valid until the next Define or Clear.
  const MacroDefinition* Find(std::u32string_view name) const;
  void Clear();
  int32_t Size() const { return static_cast<int32_t>(definitions_.size()); }
  int64_t GetBytes() const { return bytes_; }

 private:
  static int64_t BytesOf(std::u32string_view name, std::u32string_view body);

  std::unordered_map<std::u32string, MacroDefinition, MacroNameHash, std::equal_to<>> definitions_;
  int64_t bytes_ = 0;
};

}  // namespace kesto
