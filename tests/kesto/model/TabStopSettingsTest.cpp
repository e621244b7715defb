// Tab stops from tag-side alignment codes, align-on characters and leaders.
#include <gtest/gtest.h>

#include "kesto/model/TabStopSettings.h"

using namespace kesto;

namespace {

TEST(TabStopSettingsTest, AlignmentCodes) {
  struct Case {
    int32_t code;
    bool accepted;
    TabAlignment alignment;
    char16_t character;
  };
  const Case cases[] = {
      {0, true, TabAlignment::kLeft, u'.'},        {1, true, TabAlignment::kCenter, u'.'},
      {2, true, TabAlignment::kRight, u'.'},       {3, true, TabAlignment::kLeft, u'.'},
      {4, true, TabAlignment::kOnCharacter, u'.'}, {5, true, TabAlignment::kOnCharacter, u','},
      {6, false, TabAlignment::kLeft, u'.'},       {-1, false, TabAlignment::kLeft, u'.'},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    SetDefaultAlignCharacter(u'.');
    TabStop stop = NewTabStop(72);
    EXPECT_EQ(SetTabAlignment(stop, c.code), c.accepted);
    EXPECT_EQ(stop.alignment, c.alignment);
    EXPECT_EQ(stop.alignCharacter, c.character);
    EXPECT_EQ(stop.position, 72);
  }
}

TEST(TabStopSettingsTest, AnAlignOnCharacterBecomesTheDefaultForLaterStops) {
  SetDefaultAlignCharacter(u'.');
  TabStop first = NewTabStop(10);
  ASSERT_TRUE(SetTabAlignment(first, 5));
  EXPECT_EQ(DefaultAlignCharacter(), u',');
  TabStop second = NewTabStop(20);
  EXPECT_EQ(second.alignCharacter, u',');
  ASSERT_TRUE(SetTabAlignCharacter(second, u':'));
  EXPECT_EQ(NewTabStop(30).alignCharacter, u':');
  EXPECT_FALSE(SetTabAlignCharacter(second, 0));
  SetDefaultAlignCharacter(u'.');
}

TEST(TabStopSettingsTest, Leaders) {
  struct Case {
    char16_t first;
    char16_t second;
    bool accepted;
    const char16_t* leader;
  };
  const Case cases[] = {
      {u'.', 0, true, u"."},   {u'.', u' ', true, u". "}, {u'-', u'=', true, u"-="}, {u' ', 0, true, u""},
      {u' ', u' ', true, u""}, {u' ', u'.', true, u" ."}, {0, u'.', false, u"~"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << int(c.first) << "," << int(c.second));
    TabStop stop = NewTabStop(0);
    stop.leader.assign(1, u'~');
    EXPECT_EQ(SetTabLeader(stop, c.first, c.second), c.accepted);
    EXPECT_EQ(stop.leader, c.leader);
  }
}

}  // namespace
