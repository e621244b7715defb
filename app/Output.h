// How pagehost talks to its user: messages on standard error, exit statuses.
#pragma once

#include <string>

namespace pagehost {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// "pagehost: <message>" on standard error.
void Error(const std::string& message);
void Warning(const std::string& message);
// An error about the command line, followed by a hint to --help; answers kExitUsage.
int UsageError(const std::string& message);

}  // namespace pagehost
