// TagName: the name of the tag being read ("&tb", "*rb", "@...="), kept only so that an error report can
// name the tag. At most kMaxUnits UTF-16 units; longer names are cut.
#pragma once

#include <cstdint>
#include <string_view>

namespace kesto {

class TagName {
 public:
  static constexpr int32_t kMaxUnits = 31;

  void Clear() { size_ = 0; }
  void Set(std::u16string_view name) {
    size_ = 0;
    Append(name);
  }
  void Append(std::u16string_view text) {
    for (char16_t unit : text) {
      if (size_ == kMaxUnits) break;
      units_[size_++] = unit;
    }
    // A surrogate pair cut in half would leave a lone high surrogate at the end.
    if (size_ == kMaxUnits && units_[size_ - 1] >= 0xD800 && units_[size_ - 1] <= 0xDBFF) --size_;
  }
  // Appends a code point (a pair above U+FFFF).
  void AppendChar(int32_t c) {
    if (c > 0xFFFF) {
      c -= 0x10000;
      char16_t pair[2] = {static_cast<char16_t>(0xD800 + (c >> 10)),
                          static_cast<char16_t>(0xDC00 + (c & 0x3FF))};
      Append(std::u16string_view(pair, 2));
    } else {
      char16_t unit = static_cast<char16_t>(c);
      Append(std::u16string_view(&unit, 1));
    }
  }

  std::u16string_view View() const { return {units_, static_cast<size_t>(size_)}; }
  bool Empty() const { return size_ == 0; }

 private:
  char16_t units_[kMaxUnits + 1] = {};
  int32_t size_ = 0;
};

}  // namespace kesto
