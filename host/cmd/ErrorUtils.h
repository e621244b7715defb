// The host's global error code: set by a failing command (or by a caller), read and reset by callers.
#pragma once

#include "host/core/IDs.h"

namespace ErrorUtils {
ErrorCode PMGetGlobalErrorCode();
void PMSetGlobalErrorCode(ErrorCode code);
}  // namespace ErrorUtils
