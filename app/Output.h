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

// Sends std::cout through the C stream in a way that keeps the reason of the first write that failed, which
// the C stream forgets once it drops what it could not write (so that a long output lost to a full disk
// still says why). Call once before writing.
void KeepStandardOutputErrors();

// Flushes standard output. When anything written to it was lost, says so (once for the run) and answers
// false, so that a command can leave its files unwritten rather than fail after writing them.
bool FlushStandardOutput();

// Flushes and closes standard output. When anything written to it was lost (a full disk, a closed pipe
// reader), says so and answers kExitFailure in place of a successful `status`; otherwise answers `status`.
int CloseStandardOutput(int status);

}  // namespace pagehost
