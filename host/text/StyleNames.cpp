// Style name paths.
#include "host/text/StyleNames.h"

#include <algorithm>
#include <vector>

namespace StyleNames {

std::u16string_view LeafName(std::u16string_view fullName) {
  size_t at = fullName.rfind(kStyleGroupSeparator);
  return at == std::u16string_view::npos ? fullName : fullName.substr(at + 1);
}

std::u16string_view GroupPath(std::u16string_view fullName) {
  size_t at = fullName.rfind(kStyleGroupSeparator);
  return at == std::u16string_view::npos ? std::u16string_view() : fullName.substr(0, at);
}

std::vector<WideString> GroupPaths(std::u16string_view fullName) {
  std::vector<WideString> paths;
  std::u16string_view group = GroupPath(fullName);
  for (size_t at = group.find(kStyleGroupSeparator); at != std::u16string_view::npos;
       at = group.find(kStyleGroupSeparator, at + 1)) {
    paths.emplace_back(group.substr(0, at));
  }
  if (!group.empty()) paths.emplace_back(group);
  return paths;
}

bool IsValid(std::u16string_view fullName) {
  if (fullName.empty() || fullName.size() > kMaxStyleNameLength) return false;
  if (std::any_of(fullName.begin(), fullName.end(), [](char16_t c) { return c < 0x20; })) return false;
  if (fullName.front() == kStyleGroupSeparator || fullName.back() == kStyleGroupSeparator) return false;
  char16_t doubled[] = {kStyleGroupSeparator, kStyleGroupSeparator};
  return fullName.find(std::u16string_view(doubled, 2)) == std::u16string_view::npos;
}

}  // namespace StyleNames
