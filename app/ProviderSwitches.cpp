// Command-line switches from provider option descriptions.
#include "app/ProviderSwitches.h"

namespace pagehost {
namespace {

constexpr size_t kHelpColumns = 106;

// "a (default), b or c".
std::string ChoicesText(const ProviderOption& option) {
  std::string text;
  for (size_t i = 0; i < option.choices.size(); ++i) {
    text += (i == 0 ? "" : i + 1 == option.choices.size() ? " or " : ", ") + option.choices[i];
    if (option.choices[i] == option.defaultValue) text += " (default)";
  }
  return text;
}

// `head` padded to `width`, then `text` wrapped at word ends onto lines indented to `width`.
std::string HelpEntry(std::string head, const std::string& text, size_t width) {
  head.resize(std::max(head.size() + 1, width), ' ');
  std::string out = head;
  size_t column = head.size(), at = 0;
  while (at < text.size()) {
    size_t end = std::min(text.find(' ', at), text.size());
    std::string word = text.substr(at, end - at);
    if (column > width && column + 1 + word.size() > kHelpColumns) {
      out += "\n" + std::string(width, ' ');
      column = width;
    } else if (column > width) {
      out += ' ';
      ++column;
    }
    out += word;
    column += word.size();
    at = end + 1;
  }
  return out + "\n";
}

}  // namespace

SwitchTaken TakeProviderSwitch(CommandLine& args, std::span<const ProviderOption> options,
                               const std::string& command, std::map<std::string, std::string>& values,
                               std::string& error) {
  for (const ProviderOption& option : options) {
    std::string flag = "--" + option.name;
    if (option.kind == ProviderOption::Kind::kSwitch) {
      if (args.TakeFlag(flag)) {
        values[option.name] = "on";
        return SwitchTaken::kTaken;
      }
      if (option.negatable && args.TakeFlag("--no-" + option.name)) {
        values[option.name] = "off";
        return SwitchTaken::kTaken;
      }
      continue;
    }
    std::string missing;
    std::optional<std::string> value = args.TakeValue(flag, "", missing);
    if (!missing.empty()) {
      error = "option " + missing + " needs a value";
      return SwitchTaken::kError;
    }
    if (!value) continue;
    if (std::string problem = CheckOptionValue(option, *value); !problem.empty()) {
      error = command + ": " + problem;
      return SwitchTaken::kError;
    }
    values[option.name] = *value;
    return SwitchTaken::kTaken;
  }
  return SwitchTaken::kNone;
}

std::string UnmetSwitchNeeds(std::span<const ProviderOption> options,
                             const std::map<std::string, std::string>& values) {
  for (const ProviderOption& option : options) {
    if (std::string need = UnmetNeed(options, option, values); !need.empty())
      return "--" + option.name + " needs --" + need;
  }
  return {};
}

std::string ProviderSwitchesHelp(std::span<const ProviderOption> options, size_t width) {
  std::string help;
  for (const ProviderOption& option : options) {
    if (option.kind == ProviderOption::Kind::kChoice) {
      std::string text = ChoicesText(option) + (option.help.empty() ? "" : ": " + option.help);
      help += HelpEntry("  --" + option.name + " " + option.valueName, text, width);
      continue;
    }
    if (option.kind == ProviderOption::Kind::kValue) {
      help += HelpEntry("  --" + option.name + " " + option.valueName, option.help, width);
      continue;
    }
    help += HelpEntry("  --" + option.name, option.help, width);
    if (option.negatable) help += HelpEntry("  --no-" + option.name, option.offHelp, width);
  }
  return help;
}

}  // namespace pagehost
