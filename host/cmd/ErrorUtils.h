// The host's global error code: set by a failing command (or by a caller), read and reset by callers.
//
// A command that knows why it failed leaves that reason with its code, in the terms of the person who asked
// for the change ("item 12 is locked", "a spread holds at most 10 pages"): a lower-case clause without a
// final stop that names objects as the user names them. The reason belongs to the code it was set with: it
// is kept while that code stays set and goes when the code is set again or reset to kSuccess. A front end
// reads both before it resets the code and shows the reason, or its own text when there is none.
#pragma once

#include <string>

#include "host/core/IDs.h"

namespace ErrorUtils {
ErrorCode PMGetGlobalErrorCode();
// Sets the code and forgets any reason kept with the code before.
void PMSetGlobalErrorCode(ErrorCode code);
// Sets the code with the reason of the failure (ignored when `code` is kSuccess).
void PMSetGlobalErrorCode(ErrorCode code, std::string reason);
// The reason kept with the current code; empty when it was set without one.
const std::string& PMGetGlobalErrorReason();
}  // namespace ErrorUtils
