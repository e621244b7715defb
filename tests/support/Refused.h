// Refused: checks that a command was refused with the expected code, both as its answer and as the global
// error code, and resets the global error code for the next step.
#pragma once

#include <gtest/gtest.h>

#include "host/cmd/ErrorUtils.h"

namespace testing_support {

inline ::testing::AssertionResult Refused(ErrorCode result, ErrorCode expected = kInvalidParameterError) {
  ErrorCode global = ErrorUtils::PMGetGlobalErrorCode();
  ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  if (result != expected || global != expected)
    return ::testing::AssertionFailure() << "answered " << result << " (global " << global << "), expected "
                                         << expected;
  return ::testing::AssertionSuccess();
}

}  // namespace testing_support
