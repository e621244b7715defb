// Backslash escapes and numeric character codes.
#include "kesto/reader/ParameterEscape.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "kesto/reader/ScannerInput.h"
#include "tests/kesto/reader/ScannerTestSupport.h"

namespace kesto {
namespace {

using testing_reader::MemorySource;
using testing_reader::Readable;

TEST(ParameterEscapeTest, WhatFollowsTheBackslash) {
  constexpr int32_t kWindows = 1;
  constexpr int32_t kMac = 0;
  struct Row {
    std::u16string input;  // after the backslash
    int32_t platform;
    int32_t result;
    std::u16string rest;
  } rows[] = {
      {u"n", kWindows, 'n', u""},
      {u"\"x", kWindows, '"', u"x"},
      {u"#65", kWindows, 'A', u""},
      {u"#233", kWindows, 0xE9, u""},
      {u"#146", kWindows, 0x2019, u""},
      {u"#146", kMac, 0xED, u""},
      {u"#129", kWindows, 129, u""},  // unassigned in code page 1252: kept as it is
      {u"#300", kWindows, '?', u""},
      {u"#8217", kWindows, '?', u"7"},
      {u"#x", kWindows, '?', u"x"},
      {u"#U+263A", kWindows, 0x263A, u""},
      {u"#U263Ax", kWindows, 0x263A, u"x"},
      {u"#U+1F600", kWindows, 0x1F600, u""},
      {u"#U+110000", kWindows, '?', u""},
      {u"#UD800", kWindows, '?', u""},
      {u"#Ug", kWindows, '?', u"g"},
      {u"\x01x", kWindows, kEscapeNothing, u"\x01x"},
      {u"\rx", kWindows, kEscapeNothing, u"\rx"},
      {u"", kWindows, ScannerInput::kEnd, u""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Readable(row.input) + " platform " + std::to_string(row.platform));
    auto source = MemorySource::FromText(row.input);
    ScannerInput input;
    input.Attach(source->Stream());
    EXPECT_EQ(row.result, ReadEscape(input, row.platform));
    std::u16string rest;
    for (int32_t c; (c = input.Next()) >= 0;)
      rest += static_cast<char16_t>(c);
    EXPECT_EQ(Readable(row.rest), Readable(rest));
  }
}

}  // namespace
}  // namespace kesto
