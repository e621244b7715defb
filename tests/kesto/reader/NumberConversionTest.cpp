// The measurement grammar and the number conversion flags.
#include "kesto/reader/NumberConversion.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "kesto/reader/Measurement.h"
#include "kesto/reader/ScannerErrors.h"
#include "tests/kesto/reader/ScannerTestSupport.h"

namespace kesto {
namespace {

using testing_reader::Readable;

constexpr double kMm = 2.834645669291339;

TEST(MeasurementTest, TermsUnitsAndArithmetic) {
  struct Row {
    std::u16string text;
    MeasureTarget target;
    bool ok;
    double value;
  } rows[] = {
      {u"12", MeasureTarget::kPoints, true, 12},
      {u"12pt", MeasureTarget::kPoints, true, 12},
      {u"12 PT", MeasureTarget::kPoints, true, 12},
      {u"1p", MeasureTarget::kPoints, true, 12},
      {u"1p6", MeasureTarget::kPoints, true, 18},
      {u"1P 6", MeasureTarget::kPoints, true, 18},
      {u"1c6", MeasureTarget::kPoints, true, 18},
      {u"1c", MeasureTarget::kPoints, true, 12.903874015748032},
      {u"2ag", MeasureTarget::kPoints, true, 2 * 5.142857142857143},
      {u"2AG", MeasureTarget::kPoints, true, 2 * 5.142857142857143},
      {u"10mm", MeasureTarget::kPoints, true, 10 * kMm},
      {u"1Cm", MeasureTarget::kPoints, true, 28.346456692913385},
      {u"1\"", MeasureTarget::kPoints, true, 72},
      {u"0.5\u201C", MeasureTarget::kPoints, true, 36},
      {u"1\u201D", MeasureTarget::kPoints, true, 72},
      {u"2+3*2", MeasureTarget::kPoints, true, 10},
      {u" 2 + 3 * 2 ", MeasureTarget::kPoints, true, 10},
      {u"-2+5", MeasureTarget::kPoints, true, 3},
      {u"12pt+2mm", MeasureTarget::kPoints, true, 12 + 2 * kMm},
      {u"10/4", MeasureTarget::kPoints, true, 2.5},
      {u"7/0", MeasureTarget::kPoints, true, std::numeric_limits<double>::max()},
      {u"1.23456", MeasureTarget::kPoints, true, 1.2345},
      {u"5.", MeasureTarget::kPoints, true, 5},
      {u".5", MeasureTarget::kPoints, true, 0.5},
      {u"", MeasureTarget::kPoints, false, 0},
      {u".", MeasureTarget::kPoints, false, 0},
      {u"2*-3", MeasureTarget::kPoints, false, 0},
      {u"1++2", MeasureTarget::kPoints, false, 0},
      {u"1x", MeasureTarget::kPoints, false, 0},
      {u"1m", MeasureTarget::kPoints, false, 0},
      {u"2+", MeasureTarget::kPoints, false, 0},
      {u"50%", MeasureTarget::kPoints, false, 0},
      {u"50", MeasureTarget::kPercentage, true, 0.5},
      {u"50%", MeasureTarget::kPercentage, true, 0.5},
      {u"25+25%", MeasureTarget::kPercentage, true, 0.5},
      {u"3", MeasureTarget::kPlain, true, 3},
      {u"3pt", MeasureTarget::kPlain, false, 0},
      {u"1p6", MeasureTarget::kPlain, false, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Readable(row.text));
    double value = 0;
    EXPECT_EQ(row.ok, ParseMeasurement(row.text, row.target, value));
    EXPECT_NEAR(row.value, value, 1e-9);
  }
}

TEST(MeasurementTest, HugeTermsGiveNoNumberRatherThanNaN) {
  std::u16string huge(400, u'9');
  double value = 1;
  EXPECT_FALSE(ParseMeasurement(huge + u"-" + huge, MeasureTarget::kPoints, value));
  EXPECT_EQ(1, value);
}

TEST(NumberConversionTest, FlagsDefaultsAndRanges) {
  constexpr uint32_t kRel = kNumberRelative;
  constexpr double kMax = std::numeric_limits<double>::max();
  struct Row {
    std::u16string text;
    uint32_t flags;
    double minimum, maximum, start;
    int32_t result;
    double value;
  } rows[] = {
      {u"", 0, 2, 720, 9, 0, 2},
      {u"$", 0, 2, 720, 9, kScanNoDefaultValue, 9},
      {u"$", kNumberDefaultAllowed, 2, 720, 9, kNumberDefault, 9},
      {u".", kRel, 2, 720, 9, 0, 9},
      {u".", 0, 2, 720, 9, kScanMalformedNumber, 9},
      {u".+2", kRel, 2, 720, 9, 0, 11},
      {u".-2mm", kRel, -720, 720, 9, 0, 9 - 2 * kMm},
      {u".*2", kRel, 2, 720, 9, 0, 18},
      {u"./2", kRel, 2, 720, 9, 0, 4.5},
      {u"./0", kRel, 0, 1e6, 9, 0, 1e6},
      {u".*2pt", kRel, 2, 720, 9, kScanMalformedNumber, 9},
      {u".+", kRel, 2, 720, 9, kScanMalformedNumber, 9},
      {u".5", kRel, 0, 720, 9, kScanNoSuchOperator, 9},
      {u".x", kRel, 0, 720, 9, kScanNoSuchOperator, 9},
      {u".+10", kRel | kNumberPercentage, 0, 1, 0.5, 0, 0.6},
      {u".*2", kRel | kNumberPercentage, 0, 4, 0.5, 0, 1.0},
      {u"1000", kNumberChecked, 0, 100, 7, kScanValueOutOfRange, 7},
      {u"-1", kNumberChecked, 0, 100, 7, kScanValueOutOfRange, 7},
      {u"1000", 0, 0, 100, 7, 0, 100},
      {u"-5", 0, 0, 100, 7, 0, 0},
      {u"abc", 0, 0, 100, 7, kScanMalformedNumber, 7},
      {u"7/0", 0, -kMax, kMax, 7, 0, kMax},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Readable(row.text) + " flags " + std::to_string(row.flags));
    double value = row.start;
    EXPECT_EQ(row.result, ConvertNumber(row.text, value, row.flags, row.minimum, row.maximum));
    EXPECT_NEAR(row.value, value, 1e-9);
  }
}

TEST(NumberConversionTest, IntegersAreCutTowardZeroAndMayBeChecked) {
  struct Row {
    std::u16string text;
    uint32_t flags;
    int32_t result;
    int32_t value;
  } rows[] = {
      {u"2.9", 0, 0, 2},
      {u"-2.9", 0, 0, -2},
      {u"200", kNumberChecked, kScanValueOutOfRange, 5},
      {u"200", 0, 0, 100},
      {u"2pt", 0, kScanMalformedNumber, 5},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Readable(row.text));
    int32_t value = 5;
    EXPECT_EQ(row.result, ConvertInteger(row.text, value, row.flags, -100, 100));
    EXPECT_EQ(row.value, value);
  }
}

}  // namespace
}  // namespace kesto
