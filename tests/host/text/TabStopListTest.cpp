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

// A stop the list would refuse, or one out of order, marks the data damaged and leaves the table empty.
TEST(TabStopListTest, ReadingHostileBytesGivesASoundTable) {
  struct Stop {
    double position;
    uint8_t alignment;
    WideString leader;
  };
  MemoryWriteStream out;
  auto write = [&](const std::vector<Stop>& stops) {
    out.Clear();
    auto count = static_cast<uint32_t>(stops.size());
    out.XferUInt32(count);
    for (Stop stop : stops) {
      int16_t character = '.';
      out.XferReal(stop.position);
      out.XferByte(stop.alignment);
      out.XferInt16(character);
      out.XferString(stop.leader);
    }
  };
  const struct {
    const char* what;
    std::vector<Stop> stops;
    bool good;
  } rows[] = {
      {"sound", {{50, 2, u"-"}, {200, 3, u""}}, true},
      {"alignment out of range", {{200, 9, u""}}, false},
      {"negative position", {{-5, 0, u""}}, false},
      {"overlong leader", {{100, 1, WideString(40, u'x')}}, false},
      {"out of order", {{200, 0, u""}, {50, 0, u""}}, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    write(row.stops);
    MemoryReadStream in(out.Bytes());
    TabStopList list;
    list.ReadWrite(&in);
    EXPECT_EQ(in.IsGood(), row.good);
    EXPECT_EQ(list.Stops().size(), row.good ? row.stops.size() : 0u);
  }
  write({{50, 2, u"-"}, {200, 3, u""}});

  std::vector<uint8_t> cut(out.Bytes().begin(), out.Bytes().begin() + 10);
  MemoryReadStream short_(cut);
  TabStopList partial;
  partial.ReadWrite(&short_);
  EXPECT_FALSE(short_.IsGood());
  EXPECT_TRUE(partial.empty());
}

}  // namespace
