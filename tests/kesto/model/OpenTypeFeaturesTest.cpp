// The feature table, entries from codes and back, counts, the inline list and merging.
#include <gtest/gtest.h>

#include <set>

#include "host/text/AttributeClasses.h"
#include "kesto/model/OpenTypeFeatures.h"

using namespace kesto;

namespace {

FeatureCode C(const char* text) {
  return MakeFeatureCode(std::string_view(text));
}

FeatureList ListOf(std::initializer_list<FeatureEntry> entries) {
  FeatureList list;
  for (const FeatureEntry& e : entries)
    EXPECT_TRUE(list.push_back(e));
  return list;
}

TEST(OpenTypeFeaturesTest, CodesAreAssembledFirstCharacterMostSignificant) {
  EXPECT_EQ(C("ss03"), 0x73733033u);
  EXPECT_EQ(MakeFeatureCode(std::u16string_view(u"a2sc")), C("a2sc"));
  EXPECT_EQ(MakeFeatureCode(std::u16string_view(u"kernX")), C("kern"));
  EXPECT_EQ(C("ss0"), kNoFeatureCode);
  EXPECT_EQ(MakeFeatureCode(std::u16string_view(u"s\u00e9ss")), kNoFeatureCode);
  EXPECT_EQ(FeatureCodeText(C("dnom")), u"dnom");
}

TEST(OpenTypeFeaturesTest, TableHasEveryCodeOnceInSearchOrder) {
  auto table = FeatureTable();
  ASSERT_EQ(table.size(), 45u);
  std::set<FeatureCode> codes;
  for (const FeatureRow& row : table)
    EXPECT_TRUE(codes.insert(row.code).second)
        << std::string(FeatureCodeText(row.code).begin(), FeatureCodeText(row.code).end());
  EXPECT_EQ(table[0].code, C("salt"));
  EXPECT_EQ(table[11].code, C("locl"));
  EXPECT_EQ(table[12].code, C("ss01"));
  EXPECT_EQ(table[31].code, C("ss20"));
  EXPECT_EQ(table[32].code, C("sups"));
  EXPECT_EQ(table[44].code, C("isol"));
}

TEST(OpenTypeFeaturesTest, EntryFromCode) {
  struct Case {
    const char* code;
    bool on;
    FeatureEntry expected;
  };
  const Case cases[] = {
      {"ss03", true, {kTextAttrStylisticSets, 1 << 3}},
      {"ss20", true, {kTextAttrStylisticSets, 1 << 20}},
      {"ss03", false, {}},
      {"zero", true, {kTextAttrSlashedZero, 1}},
      {"zero", false, {kTextAttrSlashedZero, 0}},
      {"salt", true, {kTextAttrStylisticAlternates, 1}},
      {"ital", true, {kTextAttrItalicForms, 1}},
      {"a2sc", true, {kTextAttrCapitalization, 3}},
      {"dnom", true, {kTextAttrPosition, 6}},
      {"tlin", true, {kTextAttrFigureStyle, 1}},
      {"told", true, {kTextAttrFigureStyle, 4}},
      {"isol", true, {kTextAttrPositionalForm, 5}},
      {"isol", false, {kTextAttrPositionalForm, 0}},
      {"kern", true, {}},
      {"ss21", true, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.code) + (c.on ? " on" : " off"));
    EXPECT_EQ(FeatureEntryFromCode(C(c.code), c.on), c.expected);
  }
}

TEST(OpenTypeFeaturesTest, CodesOfEntriesAndTheirCount) {
  FeatureEntry sets{kTextAttrStylisticSets, (1 << 1) | (1 << 3)};
  EXPECT_EQ(FeatureCodeCount(sets), 2);
  EXPECT_EQ(FeatureCodeOf(sets, 0), C("ss01"));
  EXPECT_EQ(FeatureCodeOf(sets, 1), C("ss03"));
  EXPECT_EQ(FeatureCodeOf(sets, 2), kNoFeatureCode);
  // Bit 0 and bits above 20 name no set.
  FeatureEntry stray{kTextAttrStylisticSets, 1 | (1 << 21) | (1 << 20)};
  EXPECT_EQ(FeatureCodeCount(stray), 1);
  EXPECT_EQ(FeatureCodeOf(stray, 0), C("ss20"));

  EXPECT_EQ(FeatureCodeCount({}), 0);
  EXPECT_EQ(FeatureCodeOf({}, 0), kNoFeatureCode);
  FeatureEntry frac{kTextAttrFractions, 1};
  EXPECT_EQ(FeatureCodeCount(frac), 1);
  EXPECT_EQ(FeatureCodeOf(frac, 0), C("frac"));
  EXPECT_EQ(FeatureCodeOf(frac, 1), kNoFeatureCode);
  EXPECT_EQ(FeatureCodeOf({kTextAttrFigureStyle, 3}, 0), C("plin"));
  // Plain superscript has no OpenType row.
  EXPECT_EQ(FeatureCodeOf({kTextAttrPosition, 1}, 0), kNoFeatureCode);
  EXPECT_FALSE(HasFeatureRow(kTextAttrPosition, 1));
  EXPECT_TRUE(HasFeatureRow(kTextAttrPosition, 4));
}

TEST(OpenTypeFeaturesTest, EveryRowRoundTripsThroughItsEntry) {
  for (const FeatureRow& row : FeatureTable()) {
    SCOPED_TRACE(row.code);
    FeatureEntry entry = FeatureEntryFromCode(row.code, true);
    ASSERT_EQ(FeatureCodeCount(entry), 1);
    EXPECT_EQ(FeatureCodeOf(entry, 0), row.code);
  }
}

TEST(OpenTypeFeaturesTest, ListKeepsFourInlineThenMovesToTheHeapAndIsBounded) {
  FeatureList list;
  for (int32_t i = 0; i < 4; ++i)
    ASSERT_TRUE(list.push_back({ClassID(7000 + i), i}));
  EXPECT_FALSE(list.OnHeap());
  ASSERT_TRUE(list.push_back({ClassID(7004), 4}));
  EXPECT_TRUE(list.OnHeap());
  ASSERT_EQ(list.size(), 5u);
  for (int32_t i = 0; i < 5; ++i)
    EXPECT_EQ(list[i], (FeatureEntry{ClassID(7000 + i), i}));
  ASSERT_NE(list.Find(7003), nullptr);
  EXPECT_EQ(list.Find(7003)->value, 3);
  EXPECT_EQ(list.Find(1), nullptr);
  list.clear();
  EXPECT_TRUE(list.empty());
  EXPECT_FALSE(list.OnHeap());
  for (size_t i = 0; i < FeatureList::kMaxEntries; ++i)
    ASSERT_TRUE(list.push_back({kTextAttrSwash, 1}));
  EXPECT_FALSE(list.push_back({kTextAttrSwash, 1}));
  EXPECT_EQ(list.size(), FeatureList::kMaxEntries);
}

TEST(OpenTypeFeaturesTest, MergeRulesPerKindOfFeature) {
  struct Case {
    const char* name;
    FeatureList current;
    FeatureList wanted;
    FeatureList expected;
  };
  const FeatureEntry a2sc = FeatureEntryFromCode(C("a2sc"), true);
  const Case cases[] = {
      {"asking again for a2sc switches capitalization off", ListOf({{kTextAttrCapitalization, 3}}),
       ListOf({a2sc}), ListOf({{kTextAttrCapitalization, 0}})},
      {"another choice replaces the value", ListOf({{kTextAttrFigureStyle, 1}}),
       ListOf({{kTextAttrFigureStyle, 3}}), ListOf({{kTextAttrFigureStyle, 3}})},
      {"stylistic sets combine by exclusive or", ListOf({{kTextAttrStylisticSets, (1 << 1) | (1 << 3)}}),
       ListOf({{kTextAttrStylisticSets, (1 << 3) | (1 << 5)}}),
       ListOf({{kTextAttrStylisticSets, (1 << 1) | (1 << 5)}})},
      {"on/off features toggle", ListOf({{kTextAttrSwash, 1}, {kTextAttrFractions, 0}}),
       ListOf({{kTextAttrSwash, 1}, {kTextAttrFractions, 1}}),
       ListOf({{kTextAttrSwash, 0}, {kTextAttrFractions, 1}})},
      {"a feature the list lacks is appended", ListOf({{kTextAttrSwash, 1}}), ListOf({a2sc}),
       ListOf({{kTextAttrSwash, 1}, a2sc})},
      {"two sets asked together both apply", ListOf({}),
       ListOf({FeatureEntryFromCode(C("ss01"), true), FeatureEntryFromCode(C("ss03"), true)}),
       ListOf({{kTextAttrStylisticSets, (1 << 1) | (1 << 3)}})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FeatureList current = c.current;
    MergeFeatures(current, &c.wanted);
    EXPECT_TRUE(current == c.expected);
  }
}

TEST(OpenTypeFeaturesTest, MergeWithoutWantedListSwitchesEverythingOff) {
  FeatureList current = ListOf({{kTextAttrStylisticSets, 1 << 4},
                                {kTextAttrCapitalization, 3},
                                {kTextAttrSwash, 1},
                                {kTextAttrStylisticAlternates, 2}});
  MergeFeatures(current, nullptr);
  EXPECT_TRUE(current == ListOf({{kTextAttrStylisticSets, 0},
                                 {kTextAttrCapitalization, 0},
                                 {kTextAttrSwash, 0},
                                 {kTextAttrStylisticAlternates, 0}}));
}

}  // namespace
