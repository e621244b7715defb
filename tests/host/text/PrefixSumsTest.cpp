// Running totals: prefixes, search (passing over empty elements) and appends agree with a plain sum.
#include <gtest/gtest.h>

#include <numeric>
#include <random>

#include "host/text/PrefixSums.h"

namespace {

::testing::AssertionResult AgreesWith(const PrefixSums& sums, const std::vector<int64_t>& values) {
  int64_t prefix = 0;
  for (size_t i = 0; i <= values.size(); ++i) {
    if (sums.Prefix(i) != prefix) return ::testing::AssertionFailure() << "prefix of " << i;
    if (i < values.size()) prefix += values[i];
  }
  if (sums.Total() != prefix) return ::testing::AssertionFailure() << "total";
  for (int64_t offset = 0; offset < prefix; ++offset) {
    size_t i = sums.Find(offset);
    if (i >= values.size() || sums.Prefix(i) > offset || sums.Prefix(i + 1) <= offset)
      return ::testing::AssertionFailure() << "find " << offset << " gave " << i;
  }
  if (sums.Find(prefix) != values.size()) return ::testing::AssertionFailure() << "find past the end";
  return ::testing::AssertionSuccess();
}

TEST(PrefixSumsTest, UpdatesAndAppendsKeepTotalsRight) {
  std::mt19937 random(3);
  for (size_t size : {0u, 1u, 2u, 7u, 64u, 100u}) {
    SCOPED_TRACE("size " + std::to_string(size));
    std::vector<int64_t> values(size);
    for (auto& v : values)
      v = random() % 4;  // zeros included: empty elements must be passed over
    PrefixSums sums;
    sums.Assign(values);
    ASSERT_TRUE(AgreesWith(sums, values));
    for (int step = 0; step < 50; ++step) {
      if (values.empty() || random() % 3 == 0) {
        values.push_back(random() % 5);
        sums.PushBack(values.back());
      } else {
        size_t i = random() % values.size();
        int64_t value = random() % 6;
        sums.Set(i, value);
        values[i] = value;
      }
      ASSERT_TRUE(AgreesWith(sums, values)) << "after step " << step;
    }
  }
}

}  // namespace
