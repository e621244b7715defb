// ImportSummary: the one result an import hands its caller once the scan is over: the scan's own result,
// or a message about the decoding of the source, or about the inline error reports it left.
#pragma once

#include <cstdint>

namespace kesto {

class VyTextStream;

// `scanResult` is what Scan answered; `errorCount` the reports the agent inserted. A source that went bad
// gives 10021; otherwise replaced characters give 10022 or 10023, and then reports give 10003 or 10004, each
// only while the result is still 0. Counts become this thread's message parameter.
int32_t SummarizeImport(int32_t scanResult, const VyTextStream* source, int32_t errorCount);

}  // namespace kesto
