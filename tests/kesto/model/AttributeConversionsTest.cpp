// Tag-side values and what the host stores for them, both ways, and the type-style bit rules.
#include <gtest/gtest.h>

#include "host/text/AttributeClasses.h"
#include "kesto/model/AttributeConversions.h"
#include "kesto/model/TypeStyle.h"

using namespace kesto;

namespace {

TEST(AttributeConversionsTest, LeadingEncoding) {
  struct Case {
    double value;
    bool relative;
    double stored;
    Leading readBack;
  };
  const Case cases[] = {
      {2, true, 3922, {2, true}},         {-2, true, 3918, {-2, true}},
      {0, true, 3920, {0, true}},         {-1080, true, 2840, {-1080, true}},
      {-2000, true, 2840, {-1080, true}}, {1080, true, 5000, {1080, true}},
      {4000, true, 5000, {1080, true}},   {0, false, -1, {0, false}},
      {14, false, 14, {14, false}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.value << (c.relative ? " relative" : " absolute"));
    double stored = EncodeLeading(c.value, c.relative);
    EXPECT_EQ(stored, c.stored);
    EXPECT_EQ(DecodeLeading(stored, true), c.readBack);
  }
  // Through a style a large stored value is plain absolute leading.
  EXPECT_EQ(DecodeLeading(3922, false), (Leading{3922, false}));
  EXPECT_EQ(DecodeLeading(-1, false), (Leading{0, false}));
}

TEST(AttributeConversionsTest, LeadingOverARun) {
  struct Case {
    Leading leading;
    double pointSize;
    double stored;
  };
  const Case cases[] = {
      {{2, true}, 10, 12},        {{-4, true}, 12, 8},  {{-20, true}, 12, 0},
      {{1080, true}, 4500, 5000}, {{0, false}, 12, -1}, {{14, false}, 30, 14},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.leading.value << (c.leading.relative ? " relative over " : " over ")
                                    << c.pointSize);
    EXPECT_EQ(LeadingOverRun(c.leading, c.pointSize), c.stored);
  }
}

TEST(AttributeConversionsTest, KerningTrackingAndShade) {
  EXPECT_EQ(EncodeKerning(-10000), kKerningByMethod);
  EXPECT_EQ(DecodeKerning(kKerningByMethod), -10000);
  EXPECT_EQ(EncodeKerning(20), 0.1);
  EXPECT_EQ(DecodeKerning(0.1), 20);
  EXPECT_EQ(EncodeKerning(-200), -1);
  EXPECT_EQ(EncodeTracking(10), 0.05);
  EXPECT_EQ(DecodeTracking(0.05), 10);
  EXPECT_EQ(EncodeShade(0.5), 50);
  EXPECT_EQ(DecodeShade(50), 0.5);
  EXPECT_EQ(DecodeShade(-1), 1);
}

TEST(AttributeConversionsTest, EnumeratedConversions) {
  struct Case {
    int32_t tag;
    int32_t figure;
    int32_t positional;
    int32_t position;
  };
  const Case cases[] = {
      {0, 4, 0, 0}, {1, 0, 1, 1}, {2, 1, 2, 2}, {4, 3, 4, 4},
      {5, 4, 5, 5}, {6, 4, 0, 6}, {7, 4, 0, 1}, {-3, 4, 0, -3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tag);
    EXPECT_EQ(EncodeFigureStyle(c.tag), c.figure);
    EXPECT_EQ(EncodePositionalForm(c.tag), c.positional);
    EXPECT_EQ(EncodePosition(c.tag), c.position);
  }
  // Stored values back to tag values: the font's default figure style (4) and unknown values read as 0.
  const int32_t stored[] = {-1, 0, 3, 4, 5, 6};
  const int32_t figure[] = {0, 1, 4, 0, 0, 0};
  const int32_t positional[] = {0, 0, 3, 4, 5, 0};
  for (size_t i = 0; i < std::size(stored); ++i) {
    SCOPED_TRACE(stored[i]);
    EXPECT_EQ(DecodeFigureStyle(stored[i]), figure[i]);
    EXPECT_EQ(DecodePositionalForm(stored[i]), positional[i]);
  }
}

TEST(AttributeConversionsTest, TogglesKeepExclusivePairsApart) {
  struct Case {
    TypeStyle flags;
    int32_t bit;
    TypeStyle expected;
  };
  const Case cases[] = {
      {Flag(kSubscriptBit), kSuperscriptBit, Flag(kSuperscriptBit)},
      {Flag(kSuperscriptBit), kSubscriptBit, Flag(kSubscriptBit)},
      {Flag(kSuperscriptBit), kSuperscriptBit, kPlain},
      {Flag(kSmallCapsBit), kAllCapsBit, Flag(kAllCapsBit)},
      {Flag(kAllCapsBit), kSmallCapsBit, Flag(kSmallCapsBit)},
      {Flag(kBoldBit), kBoldBit, kPlain},
      {Flag(kBoldBit), kItalicBit, kFaceBits},
      {Flag(kBoldBit), 12, Flag(kBoldBit)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bit);
    EXPECT_EQ(ToggleBit(c.flags, c.bit), c.expected);
  }
}

TEST(AttributeConversionsTest, FlagsAndAttributesOfEachGroup) {
  EXPECT_EQ(WithUnderline(Flag(kWordUnderlineBit), 1), Flag(kUnderlineBit));
  EXPECT_EQ(WithUnderline(Flag(kUnderlineBit), 0), kPlain);
  EXPECT_EQ(WithCapitalization(Flag(kAllCapsBit), kCapsSmall), Flag(kSmallCapsBit));
  EXPECT_EQ(WithCapitalization(Flag(kAllCapsBit), kCapsAllSmall), kPlain);
  EXPECT_EQ(WithPosition(Flag(kSubscriptBit) | Flag(kBoldBit), kPositionSuperior),
            Flag(kSuperiorBit) | Flag(kBoldBit));
  EXPECT_EQ(WithStrikeThrough(kPlain, true), Flag(kStrikeThroughBit));

  EXPECT_EQ(CapitalizationOf(Flag(kAllCapsBit) | Flag(kSmallCapsBit)), kCapsAll);
  EXPECT_EQ(CapitalizationOf(Flag(kSmallCapsBit)), kCapsSmall);
  EXPECT_EQ(PositionOf(Flag(kSuperiorBit)), kPositionSuperscript);
  EXPECT_EQ(PositionOf(Flag(kSubscriptBit)), kPositionSubscript);
  EXPECT_EQ(PositionOf(kPlain), kPositionNormal);
  EXPECT_TRUE(UnderlineOf(Flag(kWordUnderlineBit)));
  EXPECT_FALSE(StrikeThroughOf(Flag(kUnderlineBit)));
}

}  // namespace
