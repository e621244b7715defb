// Checking option values against their descriptions.
#include "host/app/ProviderOption.h"

#include <algorithm>

namespace {

// "a, b or c".
std::string Listed(const std::vector<std::string>& values) {
  std::string text;
  for (size_t i = 0; i < values.size(); ++i)
    text += (i == 0 ? "" : i + 1 == values.size() ? " or " : ", ") + values[i];
  return text;
}

}  // namespace

std::string UnmetNeed(std::span<const ProviderOption> options, const ProviderOption& option,
                      const std::map<std::string, std::string>& values) {
  auto given = values.find(option.name);
  if (option.needs.empty() || given == values.end() || given->second == "off") return {};
  size_t equals = option.needs.find('=');
  std::string name = option.needs.substr(0, equals);
  std::string wanted = equals == std::string::npos ? std::string() : option.needs.substr(equals + 1);
  return OptionValue(options, values, name) == wanted ? std::string() : name + " " + wanted;
}

const ProviderOption* FindProviderOption(std::span<const ProviderOption> options, std::string_view name) {
  auto found = std::find_if(options.begin(), options.end(),
                            [name](const ProviderOption& option) { return option.name == name; });
  return found == options.end() ? nullptr : &*found;
}

std::string CheckOptionValue(const ProviderOption& option, std::string_view value) {
  if (option.kind == ProviderOption::Kind::kSwitch) {
    if (value == "on" || value == "off") return {};
    return "the option " + option.name + " is neither on nor off";
  }
  if (option.kind == ProviderOption::Kind::kValue)
    return value.empty() ? "the option " + option.name + " needs a value" : std::string();
  if (std::find(option.choices.begin(), option.choices.end(), value) != option.choices.end()) return {};
  return "unknown " + option.name + " '" + std::string(value) + "' (" + Listed(option.choices) + ")";
}

std::string CheckOptionValues(std::span<const ProviderOption> options,
                              const std::map<std::string, std::string>& values) {
  for (const auto& [name, value] : values) {
    const ProviderOption* option = FindProviderOption(options, name);
    if (!option) continue;
    if (std::string problem = CheckOptionValue(*option, value); !problem.empty()) return problem;
    if (std::string need = UnmetNeed(options, *option, values); !need.empty())
      return "the option " + name + " needs " + need;
  }
  return {};
}

std::string OptionValue(std::span<const ProviderOption> options,
                        const std::map<std::string, std::string>& values, std::string_view name) {
  if (auto found = values.find(std::string(name)); found != values.end()) return found->second;
  const ProviderOption* option = FindProviderOption(options, name);
  return option ? option->defaultValue : std::string();
}

ProviderOption EncodingOption(TextEncodings::Direction direction, CharacterEncoding byDefault,
                              std::string help) {
  return {.name = kEncodingOptionName,
          .kind = ProviderOption::Kind::kChoice,
          .choices = TextEncodings::Names(direction),
          .defaultValue = std::string(TextEncodings::NameOf(byDefault)),
          .valueName = "ENC",
          .help = std::move(help)};
}
