// The plain prefix found eight units at a time is the one a unit-by-unit test finds, whatever lies around
// the boundaries of printable ASCII and whichever units are reserved.
#include <gtest/gtest.h>

#include <random>

#include "kesto/writer/StoryTextWalk.h"

TEST(StoryTextWalkTest, PlainPrefixAgreesWithTheUnitTest) {
  std::mt19937 random(5);
  const char16_t units[] = {0x1F, 0x20, u'a', u'<',   u'>',   u'@', u'\\',
                            0x7E, 0x7F, 0x80, 0xFF3C, 0x8020, 0x0D};
  for (std::u16string_view reserved : {std::u16string_view(u"<>@\\"), std::u16string_view(u"<>\\")}) {
    for (int trial = 0; trial < 2000; ++trial) {
      std::u16string text(random() % 40, u'a');
      // Mostly plain, so that long prefixes occur.
      for (char16_t& c : text)
        c = random() % 4 == 0 ? units[random() % std::size(units)] : u'a';
      int32_t expected = 0;
      while (expected < static_cast<int32_t>(text.size()) && kesto::IsPlainUnit(text[expected], reserved))
        ++expected;
      ASSERT_EQ(kesto::PlainPrefix(text.data(), static_cast<int32_t>(text.size()), reserved), expected)
          << "trial " << trial;
    }
  }
}
