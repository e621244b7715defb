// Messages to the user.
#include "app/Output.h"

#include <stdio_ext.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <streambuf>

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
int firstWriteError = 0;  // errno of the first write through std::cout that failed

// std::cout's buffer: hands everything to the C stream at once, as std::cout does by default, noting why a
// write failed.
class StandardOutputBuffer final : public std::streambuf {
 protected:
  int_type overflow(int_type c) override {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    if (std::fputc(c, stdout) != EOF) return c;
    Note();
    return traits_type::eof();
  }
  std::streamsize xsputn(const char* s, std::streamsize n) override {
    auto written = static_cast<std::streamsize>(std::fwrite(s, 1, static_cast<size_t>(n), stdout));
    if (written < n) Note();
    return written;
  }
  int sync() override {
    if (std::fflush(stdout) == 0) return 0;
    Note();
    return -1;
  }

 private:
  static void Note() {
    if (firstWriteError == 0) firstWriteError = errno;
  }
};

void ReportLoss(int error) {
  if (lossReported) return;
  lossReported = true;
  if (error == 0) error = firstWriteError;
  Error(error != 0 ? "cannot write to standard output: " + SystemReason(error)
                   : "cannot write to standard output");
}

}  // namespace

void KeepStandardOutputErrors() {
  // Never destroyed: std::cout is flushed after every static object is gone.
  static auto* buffer = new StandardOutputBuffer;
  std::cout.rdbuf(buffer);
}

// std::cout shares the C stream, so flushing it flushes stdout.
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
