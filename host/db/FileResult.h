// FileResult: how an operation on a file ended: a host error code and, on failure, a message for the user
// that names the user's file and the system's reason.
#pragma once

#include <string>

#include "host/core/IDs.h"

struct FileResult {
  ErrorCode error = kSuccess;
  std::string message;  // empty on success
  bool ok() const { return error == kSuccess; }
};
