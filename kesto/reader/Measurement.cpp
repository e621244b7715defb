// The measurement grammar: numbers of at most four decimals, units, and left-to-right arithmetic.
#include "kesto/reader/Measurement.h"

#include <cmath>
#include <limits>

namespace kesto {

namespace {

constexpr double kPointsPerUnit[] = {
    1.0,                 // none
    5.142857142857143,   // agate
    12.903874015748032,  // cicero
    2.834645669291339,   // millimetre
    28.346456692913385,  // centimetre
    72.0,                // inch
    1.0,                 // point
    12.0,                // pica
    1.0,                 // percent
};

// Decimals beyond this many are read and ignored.
constexpr int kMaxDecimals = 4;

char16_t Lower(char16_t c) {
  return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c;
}
bool IsDigit(char16_t c) {
  return c >= u'0' && c <= u'9';
}
bool IsInchMark(char16_t c) {
  return c == u'"' || c == u'\u201C' || c == u'\u201D';
}

class MeasureParser {
 public:
  MeasureParser(std::u16string_view text, MeasureTarget target) : text_(text), target_(target) {}

  bool Parse(double& value) {
    SkipBlanks();
    bool negative = false;
    if (Peek() == u'+' || Peek() == u'-') {
      negative = Take() == u'-';
      SkipBlanks();
    }
    double sum;
    if (!Term(sum)) return false;
    if (negative) sum = -sum;
    for (SkipBlanks(); !AtEnd(); SkipBlanks()) {
      char16_t op = Take();
      SkipBlanks();
      double term;
      if (!Term(term)) return false;
      switch (op) {
        case u'+':
          sum += term;
          break;
        case u'-':
          sum -= term;
          break;
        case u'*':
          sum *= term;
          break;
        case u'/':
          sum = term == 0 ? std::numeric_limits<double>::max() : sum / term;
          break;
        default:
          return false;
      }
    }
    // Huge terms can meet as infinity minus infinity; that is no number.
    if (std::isnan(sum)) return false;
    value = target_ == MeasureTarget::kPercentage ? sum / 100.0 : sum;
    return true;
  }

 private:
  bool AtEnd() const { return pos_ >= text_.size(); }
  char16_t Peek(size_t ahead = 0) const { return pos_ + ahead < text_.size() ? text_[pos_ + ahead] : u'\0'; }
  char16_t Take() { return text_[pos_++]; }
  void SkipBlanks() {
    while (Peek() == u' ' || Peek() == u'\t')
      ++pos_;
  }

  bool Number(double& value) {
    bool digits = false;
    value = 0;
    while (IsDigit(Peek())) {
      value = value * 10 + (Take() - u'0');
      digits = true;
    }
    if (Peek() == u'.') {
      ++pos_;
      double scale = 1;
      for (int decimals = 0; IsDigit(Peek()); ++decimals) {
        char16_t d = Take();
        if (decimals < kMaxDecimals) value += (d - u'0') * (scale /= 10);
        digits = true;
      }
    }
    return digits;
  }

  // A number and its unit, converted to the target.
  bool Term(double& value) {
    double number;
    if (!Number(number)) return false;
    SkipBlanks();
    MeasureUnit unit = MeasureUnit::kNone;
    char16_t c = Lower(Peek());
    if (c == u'a' && Lower(Peek(1)) == u'g') {
      pos_ += 2;
      unit = MeasureUnit::kAgate;
    } else if (c == u'm' && Lower(Peek(1)) == u'm') {
      pos_ += 2;
      unit = MeasureUnit::kMillimeter;
    } else if (c == u'c' && Lower(Peek(1)) == u'm') {
      pos_ += 2;
      unit = MeasureUnit::kCentimeter;
    } else if (c == u'p' && Lower(Peek(1)) == u't') {
      pos_ += 2;
      unit = MeasureUnit::kPoint;
    } else if (c == u'p' || c == u'c') {
      ++pos_;
      SkipBlanks();
      // "NpM" and "NcM": N twelves and M points.
      if (IsDigit(Peek()) || Peek() == u'.') {
        double extra;
        if (!Number(extra)) return false;
        return FromPoints(number * 12 + extra, value);
      }
      unit = c == u'p' ? MeasureUnit::kPica : MeasureUnit::kCicero;
    } else if (IsInchMark(Peek())) {
      ++pos_;
      unit = MeasureUnit::kInch;
    } else if (c == u'%') {
      if (target_ != MeasureTarget::kPercentage) return false;
      ++pos_;
      unit = MeasureUnit::kPercent;
    }
    if (unit == MeasureUnit::kNone) {
      value = number;
      return true;
    }
    return FromPoints(number * PointsPerUnit(unit), value);
  }

  // Points and percentages both have a unit of size 1; a plain number takes no unit.
  bool FromPoints(double points, double& value) const {
    if (target_ == MeasureTarget::kPlain) return false;
    value = points;
    return true;
  }

  std::u16string_view text_;
  MeasureTarget target_;
  size_t pos_ = 0;
};

}  // namespace

double PointsPerUnit(MeasureUnit unit) {
  auto index = static_cast<size_t>(unit);
  return index < std::size(kPointsPerUnit) ? kPointsPerUnit[index] : 1.0;
}

bool ParseMeasurement(std::u16string_view text, MeasureTarget target, double& value) {
  return MeasureParser(text, target).Parse(value);
}

}  // namespace kesto
