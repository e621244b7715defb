// The global error code and the reason kept with it.
#include "host/cmd/ErrorUtils.h"

namespace {

struct GlobalError {
  ErrorCode code = kSuccess;
  std::string reason;
};

GlobalError& Current() {
  static GlobalError error;
  return error;
}

}  // namespace

ErrorCode ErrorUtils::PMGetGlobalErrorCode() {
  return Current().code;
}

void ErrorUtils::PMSetGlobalErrorCode(ErrorCode code) {
  PMSetGlobalErrorCode(code, {});
}

void ErrorUtils::PMSetGlobalErrorCode(ErrorCode code, std::string reason) {
  Current().code = code;
  Current().reason = code == kSuccess ? std::string() : std::move(reason);
}

const std::string& ErrorUtils::PMGetGlobalErrorReason() {
  return Current().reason;
}
