// Inline error reports.
#include "kesto/reader/ErrorReport.h"

#include <string>

#include "kesto/reader/ErrorMessages.h"

namespace kesto {

WideString MakeErrorReport(std::u16string_view message, std::u16string_view tagName, int32_t paramIndex,
                           std::u16string_view extra) {
  WideString report = ReportFragmentText(ReportFragment::kOpening);
  if (message.empty())
    report += ReportFragmentText(ReportFragment::kUnknownError);
  else
    report += message;
  if (!tagName.empty()) {
    report += ReportFragmentText(ReportFragment::kTag);
    report += tagName;
    if (paramIndex != 0) {
      report += ReportFragmentText(ReportFragment::kParam);
      for (char c : std::to_string(paramIndex))
        report += static_cast<char16_t>(c);
    }
  }
  if (!extra.empty()) {
    report += u" (";
    report += extra;
    report += u")";
  }
  report += ReportFragmentText(ReportFragment::kClosing);
  return report;
}

WideString ScannerErrorReport(int32_t code, std::u16string_view tagName, int32_t paramIndex,
                              std::u16string_view extra) {
  return MakeErrorReport(ScannerErrorMessage(code), tagName, paramIndex, extra);
}

WideString BuilderErrorReport(int32_t code, std::u16string_view tagName, std::u16string_view extra) {
  return MakeErrorReport(BuilderErrorMessage(code), tagName, 0, extra);
}

}  // namespace kesto
