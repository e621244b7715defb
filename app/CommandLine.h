// CommandLine: the words of a pagehost command line, taken one by one, with options that may carry a value
// ("-o FILE", "--output=FILE").
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace pagehost {

class CommandLine {
 public:
  CommandLine(int argc, char** argv) : words_(argv + 1, argv + argc) {}
  explicit CommandLine(std::vector<std::string> words) : words_(std::move(words)) {}

  bool Done() const { return next_ >= words_.size(); }
  const std::string& Peek() const { return words_[next_]; }
  std::string Take() { return words_[next_++]; }
  // When the next word is `name` (or `name=value`), consumes it and its value. A missing or empty value,
  // or another option where the value should be ("--into -o x"), sets `missing` to the option's name and
  // consumes nothing.
  std::optional<std::string> TakeValue(const std::string& name, const std::string& alias,
                                       std::string& missing);
  bool TakeFlag(const std::string& name, const std::string& alias = {});
  // A word that begins with '-', unless it begins like a negative number ("-1", "-5,10", "-1:5", "-.5pt"):
  // that is a value, for the option taking it to accept or refuse.
  static bool IsOption(const std::string& word);

 private:
  std::vector<std::string> words_;
  size_t next_ = 0;
};

}  // namespace pagehost
