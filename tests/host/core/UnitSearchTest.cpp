// Finding, visiting and counting a unit several at a time agrees with a plain loop, wherever the unit falls
// in a word and whatever units lie next to it (including ones that differ from it in one bit or by one).
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "host/core/UnitSearch.h"

TEST(UnitSearchTest, AgreesWithAPlainLoop) {
  std::mt19937 random(11);
  const char16_t units[] = {0x0D, 0x0C, 0x0E, 0x8D, 0x0D0D, 0xFFFF, 0x0000, 0x8000, u'a', 0x09};
  for (char16_t wanted : {char16_t{0x0D}, char16_t{0x09}, char16_t{0x0000}, char16_t{0xFFFF}}) {
    for (int trial = 0; trial < 300; ++trial) {
      std::u16string text(random() % 40, u'x');
      // Every other trial is mostly the wanted unit, so that whole words of it occur.
      for (char16_t& c : text)
        c = trial % 2 && random() % 8 != 0 ? wanted : units[random() % std::size(units)];
      size_t from = text.empty() ? 0 : random() % (text.size() + 1);
      size_t expected = text.find(wanted, from);
      ASSERT_EQ(FindUnit(text, wanted, from), expected) << "trial " << trial << " from " << from;
      ASSERT_EQ(FindLastUnit(text, wanted), text.rfind(wanted)) << "trial " << trial;
      ASSERT_EQ(CountUnit(text, wanted), static_cast<size_t>(std::count(text.begin(), text.end(), wanted)))
          << "trial " << trial;
      std::vector<size_t> visited, expectedOffsets;
      ForEachUnit(text, wanted, [&](size_t i) { visited.push_back(i); });
      for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == wanted) expectedOffsets.push_back(i);
      }
      ASSERT_EQ(visited, expectedOffsets) << "trial " << trial;
    }
  }
}

// Counting keeps per-lane tallies that are summed before they can overflow.
TEST(UnitSearchTest, CountsLongRowsExactly) {
  for (size_t size : {size_t{262136}, size_t{262151}, size_t{600003}}) {
    std::u16string text(size, u'\r');
    text[size / 2] = u'x';
    EXPECT_EQ(size - 1, CountUnit(text, u'\r')) << size;
  }
}
