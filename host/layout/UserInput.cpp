// Lengths, numbers and lists a user gives.
#include "host/layout/UserInput.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace UserInput {

std::optional<double> ParseLength(const std::string& text) {
  struct Unit {
    const char* suffix;
    double points;
  };
  static constexpr Unit kUnits[] = {{"pt", 1}, {"mm", 72 / 25.4}, {"in", 72}};
  std::string number = text;
  double scale = 1;
  for (const Unit& unit : kUnits) {
    std::string suffix = unit.suffix;
    if (number.size() > suffix.size() &&
        number.compare(number.size() - suffix.size(), suffix.size(), suffix) == 0) {
      number.resize(number.size() - suffix.size());
      scale = unit.points;
      break;
    }
  }
  double value = 0;
  const char* end = number.data() + number.size();
  auto [at, error] = std::from_chars(number.data(), end, value);
  if (number.empty() || error != std::errc() || at != end || !std::isfinite(value)) return std::nullopt;
  return value * scale;
}

std::optional<std::vector<double>> ParseLengths(const std::string& text, size_t count) {
  std::vector<double> values;
  for (const std::string& part : Split(text, ',')) {
    std::optional<double> value = ParseLength(part);
    if (!value) return std::nullopt;
    values.push_back(*value);
  }
  if (count != 0 && values.size() != count) return std::nullopt;
  return values;
}

std::optional<int32_t> ParseInteger(const std::string& text) {
  int32_t value = 0;
  const char* end = text.data() + text.size();
  auto [at, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || at != end) return std::nullopt;
  return value;
}

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (size_t at; (at = text.find(separator, start)) != std::string::npos; start = at + 1)
    parts.push_back(text.substr(start, at - start));
  parts.push_back(text.substr(start));
  return parts;
}

}  // namespace UserInput
