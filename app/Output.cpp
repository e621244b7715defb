// Messages to the user.
#include "app/Output.h"

#include <stdio_ext.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>

namespace pagehost {

void Error(const std::string& message) {
  std::fprintf(stderr, "pagehost: %s\n", message.c_str());
}

void Warning(const std::string& message) {
  std::fprintf(stderr, "pagehost: warning: %s\n", message.c_str());
}

int UsageError(const std::string& message) {
  Error(message);
  std::fprintf(stderr, "Try 'pagehost --help' for more information.\n");
  return kExitUsage;
}

std::string SystemReason(int error) {
  std::string text = std::strerror(error);
  if (!text.empty()) text[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
  return text;
}

namespace {

bool lossReported = false;

void ReportLoss(int error) {
  if (lossReported) return;
  lossReported = true;
  Error(error != 0 ? "cannot write to standard output: " + SystemReason(error)
                   : "cannot write to standard output");
}

}  // namespace

// std::cout shares the C stream (the library's default), so flushing it flushes stdout.
bool FlushStandardOutput() {
  errno = 0;
  std::cout.flush();
  int error = errno;
  if (std::fflush(stdout) != 0) error = errno;
  if (std::ferror(stdout) == 0 && std::cout.good()) return true;
  ReportLoss(error);
  return false;
}

// Closing stdout covers std::cout too. The reason is the one of the last failing write; a failure in an
// earlier write is still reported, without one. A stdout that was never open (EBADF with nothing written)
// is no failure.
int CloseStandardOutput(int status) {
  errno = 0;
  std::cout.flush();
  int error = errno;
  bool pending = __fpending(stdout) != 0;
  bool failed = std::ferror(stdout) != 0 || !std::cout.good();
  errno = 0;
  if (std::fclose(stdout) != 0 && (pending || errno != EBADF)) {
    failed = true;
    error = errno;
  }
  if (!failed) return status;
  ReportLoss(error);
  return status == kExitOk ? kExitFailure : status;
}

}  // namespace pagehost
