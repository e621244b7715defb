// Taking words and options from a command line.
#include "app/CommandLine.h"

namespace pagehost {

std::optional<std::string> CommandLine::TakeValue(const std::string& name, const std::string& alias,
                                                  std::string& missing) {
  if (Done()) return std::nullopt;
  const std::string& word = Peek();
  for (const std::string& n : {name, alias}) {
    if (n.empty()) continue;
    if (word == n) {
      if (next_ + 1 >= words_.size() || IsOption(words_[next_ + 1]) || words_[next_ + 1].empty()) {
        missing = n;
        return std::nullopt;
      }
      ++next_;
      return Take();
    }
    if (word.size() > n.size() && word.compare(0, n.size(), n) == 0 && word[n.size()] == '=') {
      if (word.size() == n.size() + 1) {
        missing = n;
        return std::nullopt;
      }
      ++next_;
      return word.substr(n.size() + 1);
    }
  }
  return std::nullopt;
}

bool CommandLine::IsOption(const std::string& word) {
  if (word.size() < 2 || word[0] != '-') return false;
  auto digit = [&word](size_t i) { return i < word.size() && word[i] >= '0' && word[i] <= '9'; };
  return !(digit(1) || (word[1] == '.' && digit(2)));
}

bool CommandLine::TakeFlag(const std::string& name, const std::string& alias) {
  if (Done() || (Peek() != name && (alias.empty() || Peek() != alias))) return false;
  ++next_;
  return true;
}

}  // namespace pagehost
