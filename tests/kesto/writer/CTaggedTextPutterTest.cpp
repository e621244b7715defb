// The writer's buffer and shared formats: deliveries to the agent, surrogate pairs kept whole, the first
// error ending deliveries, and the escapes of strings and style names.
#include "kesto/writer/CTaggedTextPutter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kesto {
namespace {

// Keeps every delivery; answers `answer` from the delivery numbered `failAt` on.
class RecordingAgent : public CTagPutterAgent {
 public:
  int32_t Write(const char16_t* units, int32_t count) override {
    deliveries.emplace_back(units, units + count);
    return static_cast<int32_t>(deliveries.size()) >= failAt ? answer : 0;
  }
  std::vector<std::u16string> deliveries;
  int32_t failAt = 1 << 30;
  int32_t answer = 0;
};

// A putter whose walk writes what the test gives it.
class ScriptedPutter : public CTaggedTextPutter {
 public:
  explicit ScriptedPutter(int32_t units = -1) : CTaggedTextPutter(units) {}
  template <class Body>
  int32_t Run(RecordingAgent& agent, Body body) {
    return PutTwoPasses(nullptr, &agent, [&] {
      if (!IsCollecting()) body();
      return GetError();
    });
  }
};

std::string Narrow(const std::u16string& text) {
  return std::string(text.begin(), text.end());
}

TEST(CTaggedTextPutterTest, BufferSizeIsKeptBetweenItsBounds) {
  const struct {
    int32_t requested, capacity;
  } kRows[] = {{-1, 256}, {0, 256}, {300, 300}, {1024, 1024}, {5000, 1024}};
  for (const auto& row : kRows) {
    SCOPED_TRACE(row.requested);
    EXPECT_EQ(row.capacity, ScriptedPutter(row.requested).GetBufferCapacity());
  }
}

TEST(CTaggedTextPutterTest, FullBuffersAreDeliveredAndTheRestAtTheEnd) {
  ScriptedPutter putter;
  putter.SetOptions(kPutFragment);
  RecordingAgent agent;
  EXPECT_EQ(0, putter.Run(agent, [&] {
    for (int i = 0; i < 600; ++i)
      putter.PutChar(u'a' + i % 26);
  }));
  ASSERT_EQ(3u, agent.deliveries.size());
  EXPECT_EQ(256u, agent.deliveries[0].size());
  EXPECT_EQ(256u, agent.deliveries[1].size());
  EXPECT_EQ(88u, agent.deliveries[2].size());
}

TEST(CTaggedTextPutterTest, ASurrogatePairIsNeverSplitAcrossDeliveries) {
  ScriptedPutter putter;
  putter.SetOptions(kPutFragment);
  RecordingAgent agent;
  (void)putter.Run(agent, [&] {
    for (int i = 0; i < 255; ++i)
      putter.PutChar(u'x');
    putter.PutChar(0x1F600);
    putter.PutChar(0);         // ignored
    putter.PutChar(0x110000);  // ignored
  });
  ASSERT_EQ(2u, agent.deliveries.size());
  EXPECT_EQ(255u, agent.deliveries[0].size());
  EXPECT_EQ(u"\U0001F600", agent.deliveries[1]);
}

TEST(CTaggedTextPutterTest, TheFirstErrorEndsDeliveriesAndIsAnswered) {
  ScriptedPutter putter;
  putter.SetOptions(kPutFragment);
  RecordingAgent agent;
  agent.failAt = 1;
  agent.answer = 7;
  EXPECT_EQ(7, putter.Run(agent, [&] {
    for (int i = 0; i < 2000; ++i)
      putter.PutChar(u'y');
  }));
  EXPECT_EQ(1u, agent.deliveries.size());
  EXPECT_EQ(7, putter.GetError());
}

TEST(CTaggedTextPutterTest, StringsAndStyleNamesAreEscaped) {
  const struct {
    const char16_t* text;
    bool styleName, quote, escape;
    const char* written;
  } kRows[] = {
      {u"a\"b\\c:d=e>f", false, true, true, "\"a\\\"b\\\\c:d=e>f\""},
      {u"a\"b\\c:d=e>f", false, false, true, "a\\\"b\\\\c\\:d\\=e\\>f"},
      {u"a\"b:c", false, false, false, "a\"b:c"},
      {u"tab\there\r", false, true, true, "\"tabhere\""},
      {u"Group\uE00BBody", true, false, false, "Group|Body"},
      {u"a|b:c", true, false, false, "a\\|b\\:c"},
      {u"a|b:c", true, true, false, "\"a\\|b:c\""},
      {u"Note=1>x", true, false, false, "Note\\=1\\>x"},
  };
  for (const auto& row : kRows) {
    SCOPED_TRACE(row.written);
    ScriptedPutter putter;
    putter.SetOptions(kPutFragment);
    RecordingAgent agent;
    (void)putter.Run(agent, [&] {
      if (row.styleName)
        putter.PutStyleName(row.text, row.quote);
      else
        putter.PutText(row.text, row.quote, row.escape);
    });
    ASSERT_EQ(1u, agent.deliveries.size());
    EXPECT_EQ(row.written, Narrow(agent.deliveries[0]));
  }
}

}  // namespace
}  // namespace kesto
