// LayoutOperationWords: the words of one layout operation after its name, as a front end passes them to the
// operation. Options are taken out as the operation asks for them; the words left are its positional words.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

class LayoutOperationWords {
 public:
  explicit LayoutOperationWords(std::vector<std::string> words) : words_(std::move(words)) {}

  // The word after the first `name`, both taken out; nothing when `name` is not there (or is the last word).
  std::optional<std::string> Value(std::string_view name);
  // Whether `name` is there; every occurrence is taken out.
  bool Flag(std::string_view name);
  // The words left. An option among them is one the operation does not know: `problem` then names it.
  std::vector<std::string> Positional(std::string& problem) const;

 private:
  std::vector<std::string> words_;
};
