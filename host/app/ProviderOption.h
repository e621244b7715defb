// ProviderOption: one option an import or export provider reads from its request, described once (name,
// kind, default, help) so that front ends build their switches, their checks and their help from it, as
// they do from the preferences providers' settings.
#pragma once

#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "host/res/TextEncodings.h"

struct ProviderOption {
  enum class Kind : uint8_t {
    kSwitch,  // "on" or "off"
    kChoice,  // one of `choices`
    kValue,   // any value that is not empty (a folder, a name)
  };
  // The key in the request's options, and the switch a command line gives it ("--encoding").
  std::string name;
  Kind kind = Kind::kSwitch;
  std::vector<std::string> choices;
  // The value a request that leaves the option out gets; empty when the user's preferences decide.
  std::string defaultValue;
  // A switch whose "--no-" form turns it off for one run (the preferences may have it on).
  bool negatable = false;
  // The option only goes with another option's value ("format=host").
  std::string needs;
  // The option is only for a source that is a file (not standard input).
  bool needsFile = false;
  // How help shows a choice's value ("ENC").
  std::string valueName;
  // One line each for the user: what the switch does, and for a negatable switch what its "--no-" form does.
  std::string help;
  std::string offHelp;
};

// The option named `name`; nullptr when `options` has none.
const ProviderOption* FindProviderOption(std::span<const ProviderOption> options, std::string_view name);
// Empty when `value` is one the option takes; otherwise what is wrong with it, naming the value and those
// taken ("unknown encoding 'ebcdic' (utf-8, utf-16le or mac-roman)").
std::string CheckOptionValue(const ProviderOption& option, std::string_view value);
// Empty when `values` gives option `option` no value, or one that is off, or when what it needs is there;
// otherwise what it needs ("format host").
std::string UnmetNeed(std::span<const ProviderOption> options, const ProviderOption& option,
                      const std::map<std::string, std::string>& values);
// Empty when every option of `values` that `options` describes has a value it takes and what it needs;
// otherwise what is wrong with the first that has not. Options `options` does not describe are left alone.
std::string CheckOptionValues(std::span<const ProviderOption> options,
                              const std::map<std::string, std::string>& values);
// The value of option `name` in `values`, else its default; empty when neither gives one.
std::string OptionValue(std::span<const ProviderOption> options,
                        const std::map<std::string, std::string>& values, std::string_view name);
inline constexpr const char* kEncodingOptionName = "encoding";
// The "encoding" option of a provider: the encodings offered for `direction`, `byDefault` when none is given.
ProviderOption EncodingOption(TextEncodings::Direction direction, CharacterEncoding byDefault,
                              std::string help = {});
