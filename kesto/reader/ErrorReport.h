// ErrorReport: the short text an import leaves in a story where it met an error:
// "«Kesto error: <message>: tag <name> param #<n> (<extra>)»".
#pragma once

#include <cstdint>
#include <string_view>

#include "host/core/WideString.h"

namespace kesto {

// The report for `message` ("<Unknown error>" when empty). The tag part is left out for an empty
// `tagName`, the parameter part for `paramIndex` 0, the parenthesis for an empty `extra`.
WideString MakeErrorReport(std::u16string_view message, std::u16string_view tagName, int32_t paramIndex,
                           std::u16string_view extra = {});

// The report of scanner error `code`, or of builder error `code`, by their message lists.
WideString ScannerErrorReport(int32_t code, std::u16string_view tagName, int32_t paramIndex,
                              std::u16string_view extra = {});
WideString BuilderErrorReport(int32_t code, std::u16string_view tagName, std::u16string_view extra = {});

}  // namespace kesto
