// NotificationTrace: --trace-notifications FILE: every notification the documents of a pagehost command
// send their observers, one JSON object per line: the role (signal, before, after, change, before-undo ...),
// the class (number and, when registered, name), the protocol, the items and, for an after message,
// whether the command failed. Documents are followed from their after-new or after-open signal on.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace pagehost {

inline constexpr const char* kTraceOption = "--trace-notifications";

// Takes "--trace-notifications FILE" (or "=FILE") from anywhere in `words`; the file, or nothing. A missing
// file name sets `missing`.
std::optional<std::string> TakeTraceOption(std::vector<std::string>& words, bool& missing);

// Opens FILE and starts following documents (those made or opened afterwards); an empty text, or why FILE
// cannot be written.
std::string StartNotificationTrace(const std::string& file);
// Stops following and closes the file; false when writing it failed.
bool StopNotificationTrace();

}  // namespace pagehost
