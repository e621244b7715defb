// Taking options and positional words out of a layout operation's words.
#include "host/app/LayoutOperationWords.h"

#include <algorithm>

std::optional<std::string> LayoutOperationWords::Value(std::string_view name) {
  for (size_t i = 0; i + 1 < words_.size(); ++i) {
    if (words_[i] != name) continue;
    std::string value = words_[i + 1];
    auto at = words_.begin() + static_cast<std::ptrdiff_t>(i);
    words_.erase(at, at + 2);
    return value;
  }
  return std::nullopt;
}

bool LayoutOperationWords::Flag(std::string_view name) {
  return std::erase(words_, name) > 0;
}

std::vector<std::string> LayoutOperationWords::Positional(std::string& problem) const {
  problem.clear();
  for (const std::string& w : words_) {
    if (w.size() > 2 && w.compare(0, 2, "--") == 0) {
      problem = "unknown option '" + w + "'";
      break;
    }
  }
  return words_;
}
