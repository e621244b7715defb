// Tab-stop tables: order, replacement, bounds, and reading hostile bytes into a sound table.
#include <gtest/gtest.h>

#include <limits>

#include "host/db/MemoryStream.h"
#include "host/text/AttributeClasses.h"
#include "host/text/TabStopList.h"

namespace {

std::vector<double> Positions(const TabStopList& list) {
  std::vector<double> out;
  for (const TabStop& stop : list.Stops())
    out.push_back(stop.position);
  return out;
}

TEST(TabStopListTest, StopsStayOrderedOnePerPosition) {
  TabStopList list;
  struct Row {
    const char* what;
    TabStop stop;
    bool added;
  };
  const Row rows[] = {
      {"a stop", {144, TabAlignment::kLeft, u'.', u""}, true},
      {"an earlier stop goes first", {72, TabAlignment::kCenter, u'.', u""}, true},
      {"the same position replaces", {72, TabAlignment::kRight, u'.', u"."}, true},
      {"negative position", {-1, TabAlignment::kLeft, u'.', u""}, false},
      {"beyond the largest measurement", {kLargestMeasurement + 1, TabAlignment::kLeft, u'.', u""}, false},
      {"not a number", {std::numeric_limits<double>::quiet_NaN(), TabAlignment::kLeft, u'.', u""}, false},
      {"an overlong leader",
       {36, TabAlignment::kLeft, u'.', WideString(TabStopList::kMaxLeader + 1, u'.')},
       false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(list.Add(row.stop), row.added);
  }
  EXPECT_EQ(Positions(list), (std::vector<double>{72, 144}));
  EXPECT_EQ(list.Stops()[0].alignment, TabAlignment::kRight);
  EXPECT_TRUE(list.Remove(144));
  EXPECT_FALSE(list.Remove(144));
}

TEST(TabStopListTest, ReadingHostileBytesGivesASoundTable) {
  MemoryWriteStream out;
  uint32_t count = 4;
  out.XferUInt32(count);
  auto stop = [&](double position, uint8_t alignment, WideString leader) {
    int16_t character = '.';
    out.XferReal(position);
    out.XferByte(alignment);
    out.XferInt16(character);
    out.XferString(leader);
  };
  stop(200, 9, u"");                   // alignment out of range: clamped
  stop(-5, 0, u"");                    // dropped
  stop(100, 1, WideString(40, u'x'));  // overlong leader: dropped
  stop(50, 2, u"-");
  MemoryReadStream in(out.Bytes());
  TabStopList list;
  list.ReadWrite(&in);
  EXPECT_TRUE(in.IsGood());
  EXPECT_EQ(Positions(list), (std::vector<double>{50, 200}));
  EXPECT_EQ(list.Stops()[1].alignment, TabAlignment::kOnCharacter);

  std::vector<uint8_t> cut(out.Bytes().begin(), out.Bytes().begin() + 10);
  MemoryReadStream short_(cut);
  TabStopList partial;
  partial.ReadWrite(&short_);
  EXPECT_FALSE(short_.IsGood());
  EXPECT_TRUE(partial.empty());
}

}  // namespace
