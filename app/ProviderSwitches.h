// ProviderSwitches: the command-line switches of an import or export provider's options, and their help,
// built from the provider's descriptions: "--NAME VALUE" (or "--NAME=VALUE") for a choice, "--NAME" and,
// where the preferences keep the switch, "--no-NAME" for a switch.
#pragma once

#include <map>
#include <span>
#include <string>

#include "app/CommandLine.h"
#include "host/app/ProviderOption.h"

namespace pagehost {

enum class SwitchTaken : uint8_t { kNone, kTaken, kError };

// Takes the next word of `args`, and a choice's value, into `values` when it is the switch of one of
// `options`. kError, consuming nothing, when the value is missing or not one the option takes: `error` then
// says why, naming `command` for a value that is not taken.
SwitchTaken TakeProviderSwitch(CommandLine& args, std::span<const ProviderOption> options,
                               const std::string& command, std::map<std::string, std::string>& values,
                               std::string& error);
// The first option of `values` that lacks what it needs, as a user would fix it ("--short-names needs
// --format host"); empty when none does.
std::string UnmetSwitchNeeds(std::span<const ProviderOption> options,
                             const std::map<std::string, std::string>& values);
// Help lines for the switches of `options`, each description starting at column `width`.
std::string ProviderSwitchesHelp(std::span<const ProviderOption> options, size_t width);

}  // namespace pagehost
