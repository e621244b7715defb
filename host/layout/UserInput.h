// UserInput: numbers a user gives for layout (sizes, margins, bounds, page and item numbers): a length is a
// number with an optional unit pt (the default), mm or in; lists are comma-separated. Front ends and the
// plug-ins' layout operations read their words with these, so that every operation reads them alike.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace UserInput {

// Points; nothing for text that is no finite number with a known unit.
std::optional<double> ParseLength(const std::string& text);
// Exactly `count` lengths separated by commas (any count when `count` is 0); nothing on any fault.
std::optional<std::vector<double>> ParseLengths(const std::string& text, size_t count = 0);
// A whole number; nothing for anything else or one beyond the int32 range.
std::optional<int32_t> ParseInteger(const std::string& text);
// The parts of `text` between `separator`s (one empty part for empty text).
std::vector<std::string> Split(const std::string& text, char separator);

}  // namespace UserInput
