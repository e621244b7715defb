// KestoHostCodes: the host error codes the facade answers with, made from the engine's results (engine
// messages, file-system codes, a cancel), and their texts for the user.
#pragma once

#include <cstdint>

#include "host/core/WideString.h"

namespace kesto {

inline constexpr int32_t kKestoHostCodeFirst = 0xA8D00;
inline constexpr int32_t kKestoHostCodeLast = 0xA8DFF;

// 0 for 0; 2 for a cancel; engine message i (code 10000 + i) gives 0xA8D00 | (255 - (i + 18)); a
// file-system code at row d of the table gives 0xA8D00 | (255 - d); anything else 0xA8DFF.
int32_t HostErrorCode(int32_t result);

// Whether `code` stands for a file-system code (a row of the file-system table).
bool IsFileSystemCode(int32_t code);

// The text of a code from HostErrorCode: the engine message (with this thread's parameters) or the
// file-system message; "Unknown Error" for 0xA8DFF; empty for a code outside 0xA8D00..0xA8DFF.
WideString HostErrorText(int32_t code);

}  // namespace kesto
