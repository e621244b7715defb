// ErrorMessages: Kesto's three message lists (scanner errors, builder errors, engine messages) and the
// fragments of an inline error report, registered as the plug-in's string lists and looked up by code.
#pragma once

#include <cstdint>

#include "host/core/IDs.h"
#include "host/core/WideString.h"
#include "kesto/include/KestoID.h"

namespace kesto {

// String-list resource IDs of the Kesto plug-in.
inline constexpr int32_t kScannerErrorListID = kKestoPrefix + 0xE0;
inline constexpr int32_t kBuilderErrorListID = kKestoPrefix + 0xE1;
inline constexpr int32_t kEngineMessageListID = kKestoPrefix + 0xE2;
inline constexpr int32_t kReportFragmentListID = kKestoPrefix + 0xE3;

// Engine code of the first engine message; the n-th message (from 1) has code kFirstEngineCode + n - 1.
inline constexpr int32_t kFirstEngineCode = 10000;

// Positions in the report fragment list.
enum class ReportFragment : int32_t { kOpening = 0, kUnknownError = 1, kClosing = 2, kTag = 3, kParam = 4 };

// Registers the four lists under the Kesto plug-in. Answers the host's error code.
ErrorCode RegisterKestoMessageLists();

// The text of scanner error `code` (1–52), builder error `code` (1–54) or engine code `code` (10000…);
// empty when the list has no string for it. The registered lists are used when present, else the
// built-in texts.
WideString ScannerErrorMessage(int32_t code);
WideString BuilderErrorMessage(int32_t code);
WideString EngineMessageText(int32_t engineCode);
WideString ReportFragmentText(ReportFragment fragment);

}  // namespace kesto
