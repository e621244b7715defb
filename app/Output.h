// How pagehost talks to its user: messages on standard error, exit statuses, and the end of standard output.
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
// The system's text for an errno value, in lower case as it reads inside a message ("permission denied").
std::string SystemReason(int error);

// Flushes standard output. When anything written to it was lost, says so (once for the run) and answers
// false, so that a command can leave its files unwritten rather than fail after writing them.
bool FlushStandardOutput();

// Flushes and closes standard output. When anything written to it was lost (a full disk, a closed pipe
// reader), says so and answers kExitFailure in place of a successful `status`; otherwise answers `status`.
int CloseStandardOutput(int status);

}  // namespace pagehost
