// Number conversion: "$", relative forms, the measurement grammar and the range rule.
#include "kesto/reader/NumberConversion.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "kesto/reader/Measurement.h"
#include "kesto/reader/ScannerErrors.h"

namespace kesto {

namespace {

MeasureTarget TargetOf(uint32_t flags) {
  if (flags & kNumberPercentage) return MeasureTarget::kPercentage;
  if (flags & kNumberPlain) return MeasureTarget::kPlain;
  return MeasureTarget::kPoints;
}

// ".+v", ".-v", ".*v", "./v" applied to `value`; "*" and "/" take a plain number.
int32_t ApplyRelative(std::u16string_view rest, uint32_t flags, double& value) {
  char16_t op = rest.front();
  rest.remove_prefix(1);
  bool scaling = op == u'*' || op == u'/';
  if (!scaling && op != u'+' && op != u'-') return kScanNoSuchOperator;
  double v;
  if (!ParseMeasurement(rest, scaling ? MeasureTarget::kPlain : TargetOf(flags), v))
    return kScanMalformedNumber;
  switch (op) {
    case u'+':
      value += v;
      break;
    case u'-':
      value -= v;
      break;
    case u'*':
      value *= v;
      break;
    default:
      value = v == 0 ? std::numeric_limits<double>::max() : value / v;
      break;
  }
  return std::isnan(value) ? kScanMalformedNumber : 0;
}

}  // namespace

int32_t ConvertNumber(std::u16string_view text, double& target, uint32_t flags, double minimum,
                      double maximum) {
  if (text == u"$") return (flags & kNumberDefaultAllowed) ? kNumberDefault : kScanNoDefaultValue;
  double value = 0;
  if ((flags & kNumberRelative) && !text.empty() && text.front() == u'.') {
    if (text.size() == 1) return 0;
    value = target;
    if (int32_t code = ApplyRelative(text.substr(1), flags, value)) return code;
  } else if (!text.empty() && !ParseMeasurement(text, TargetOf(flags), value)) {
    return kScanMalformedNumber;
  }
  if (value < minimum || value > maximum) {
    if (flags & kNumberChecked) return kScanValueOutOfRange;
    value = std::clamp(value, minimum, maximum);
  }
  target = value;
  return 0;
}

int32_t ConvertInteger(std::u16string_view text, int32_t& target, uint32_t flags, int32_t minimum,
                       int32_t maximum) {
  double value = target;
  int32_t code = ConvertNumber(text, value, flags | kNumberPlain, minimum, maximum);
  if (code == 0) target = static_cast<int32_t>(std::trunc(value));
  return code;
}

}  // namespace kesto
