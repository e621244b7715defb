// The writer's number formats: measurements rounded half up to three decimals, and integers.
#include "kesto/writer/NumberFormat.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace kesto {
namespace {

std::string Measure(double value) {
  char16_t text[kNumberTextUnits];
  size_t n = FormatNumber(value, text);
  return std::string(text, text + n);
}

TEST(NumberFormatTest, MeasurementsHaveAtMostThreeDecimals) {
  const struct {
    double value;
    const char* text;
  } kRows[] = {
      {12, "12"},           {0.5, "0.5"}, {1.0004, "1"},       {-2.25, "-2.25"},   {0.1235, "0.124"},
      {-0.0001, "0"},       {0, "0"},     {-0.0005, "-0.001"}, {72.999, "72.999"}, {72.9996, "73"},
      {1e12, "2147483647"}, {NAN, "0"},   {-17.1, "-17.1"},    {100.25, "100.25"},
  };
  for (const auto& row : kRows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(row.text, Measure(row.value));
  }
}

TEST(NumberFormatTest, IntegersInDecimal) {
  for (long long value : {0LL, 7LL, -7LL, 2147483647LL, -2147483648LL}) {
    char16_t text[24];
    size_t n = FormatInteger(value, text);
    EXPECT_EQ(std::to_string(value), std::string(text, text + n));
  }
}

}  // namespace
}  // namespace kesto
