// Attribute objects and lists: value kinds, freezing, order by class, equality by value, persistence
// (including damaged bytes and classes nobody registered) and the JSON rendering.
#include <cmath>
#include <limits>
#include <map>
#include <thread>

#include "host/db/MemoryStream.h"
#include "host/text/TabStopList.h"
#include "host/text/TextAttribute.h"
#include "tests/host/text/TextFixture.h"

namespace text_test {
namespace {

class AttributeBossListTest : public ::testing::Test {
 protected:
  void SetUp() override { testing_support::EnsureHost(); }

  static std::vector<uint8_t> Write(AttributeBossList& list) {
    MemoryWriteStream out;
    list.ReadWrite(&out);
    return out.TakeBytes();
  }
  static bool Read(const std::vector<uint8_t>& bytes, AttributeBossList& list) {
    MemoryReadStream in(bytes);
    list.ReadWrite(&in);
    return in.IsGood() && in.Remaining() == 0;
  }
};

TEST_F(AttributeBossListTest, AttributesTakeOnlyValuesOfTheirKind) {
  struct Row {
    const char* what;
    ClassID cls;
    AttributeValue value;
    ErrorCode expected;
  };
  const Row rows[] = {
      {"a real", kTextAttrPointSize, 10.5, kSuccess},
      {"an int for a real", kTextAttrPointSize, int32_t{10}, kInvalidParameterError},
      {"not a number", kTextAttrPointSize, std::numeric_limits<double>::quiet_NaN(), kInvalidParameterError},
      {"infinity", kTextAttrLeading, std::numeric_limits<double>::infinity(), kInvalidParameterError},
      {"out of the declared range is kept", kTextAttrKerningValue, kKerningByMethod, kSuccess},
      {"an enumeration", kTextAttrAlignment, int32_t{4}, kSuccess},
      {"a 16-bit integer", kTextAttrKeepWithNext, int16_t{3}, kSuccess},
      {"a string", kTextAttrFontStyle, WideString(u"Bold"), kSuccess},
      {"a reference", kTextAttrFillColor, UID(12), kSuccess},
      {"a class", kTextAttrKerningMethod, ClassID(0x20420), kSuccess},
      {"a null object", kTextAttrTabStops, ObjectRef(), kInvalidParameterError},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    InterfacePtr<ITextAttribute> attribute = CreateTextAttribute(row.cls);
    ASSERT_TRUE(attribute);
    EXPECT_EQ(attribute->SetValue(row.value), row.expected);
  }
  EXPECT_FALSE(CreateTextAttribute(0x7777777)) << "no such class";
}

TEST_F(AttributeBossListTest, ListsHoldFrozenCopiesSortedByClass) {
  InterfacePtr<ITextAttribute> size = CreateTextAttribute(kTextAttrPointSize, 12.0);
  AttributeBossList list;
  ASSERT_EQ(list.ApplyValue(kTextAttrAlignment, int32_t{2}), kSuccess);
  ASSERT_EQ(list.ApplyAttribute(size.get()), kSuccess);
  ASSERT_EQ(list.ApplyValue(kTextAttrFillColor, UID(5)), kSuccess);
  ASSERT_EQ(list.CountBosses(), 3);
  EXPECT_EQ(list.GetClassN(0), kTextAttrFillColor);
  EXPECT_EQ(list.GetClassN(1), kTextAttrPointSize);
  EXPECT_EQ(list.GetClassN(2), kTextAttrAlignment);
  // Changing the caller's attribute afterwards does not reach the list's copy, which refuses changes.
  ASSERT_EQ(size->SetValue(20.0), kSuccess);
  EXPECT_EQ(std::get<double>(list.GetByClass(kTextAttrPointSize)->GetValue()), 12);
  EXPECT_EQ(const_cast<ITextAttribute*>(list.GetByClass(kTextAttrPointSize))->SetValue(30.0), kFailure);
  // A later attribute of the same class replaces the earlier one.
  ASSERT_EQ(list.ApplyAttribute(size.get()), kSuccess);
  EXPECT_EQ(list.CountBosses(), 3);
  EXPECT_EQ(std::get<double>(list.GetByClass(kTextAttrPointSize)->GetValue()), 20);
  EXPECT_TRUE(list.ClearOverride(kTextAttrFillColor));
  EXPECT_FALSE(list.ClearOverride(kTextAttrFillColor));
  EXPECT_EQ(list.FilterByScope(true), List({{kTextAttrAlignment, int32_t{2}}}));
  // A frozen attribute goes in as the very object, in its class's place, replacing one of its class.
  for (const char16_t* face : {u"Bold", u"Italic"}) {
    InterfacePtr<ITextAttribute> frozen = CreateTextAttribute(kTextAttrFontStyle, WideString(face));
    frozen->Freeze();
    list.ApplyFrozen(kTextAttrFontStyle, frozen);
    EXPECT_EQ(list.GetByClass(kTextAttrFontStyle), frozen.get());
    EXPECT_EQ(list.CountBosses(), 3);
    for (int32_t n = 1; n < list.CountBosses(); ++n)
      EXPECT_LT(list.GetClassN(n - 1), list.GetClassN(n));
  }
}

TEST_F(AttributeBossListTest, ListsCompareByValue) {
  auto stops = [](double position) {
    auto list = std::make_shared<TabStopList>();
    EXPECT_TRUE(list->Add({position, TabAlignment::kLeft, u'.', u""}));
    return ObjectRef(list);
  };
  struct Row {
    const char* what;
    AttributeBossList a;
    AttributeBossList b;
    bool equal;
  };
  const Row rows[] = {
      {"same values, separate objects", List({{kTextAttrPointSize, 12.0}}),
       List({{kTextAttrPointSize, 12.0}}), true},
      {"reals compare exactly", List({{kTextAttrPointSize, 12.0}}), List({{kTextAttrPointSize, 12.0000001}}),
       false},
      {"order of applying does not matter", List({{kTextAttrPointSize, 12.0}, {kTextAttrUnderline, true}}),
       List({{kTextAttrUnderline, true}, {kTextAttrPointSize, 12.0}}), true},
      {"one more attribute", List({{kTextAttrUnderline, true}}),
       List({{kTextAttrUnderline, true}, {6913, UID(1)}}), false},
      {"equal tab-stop tables", List({{kTextAttrTabStops, stops(36)}}),
       List({{kTextAttrTabStops, stops(36)}}), true},
      {"different tab-stop tables", List({{kTextAttrTabStops, stops(36)}}),
       List({{kTextAttrTabStops, stops(72)}}), false},
      {"empty lists", AttributeBossList(), AttributeBossList(), true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(row.a == row.b, row.equal);
    if (row.equal) {
      EXPECT_EQ(row.a.Hash(), row.b.Hash());
    }
    // Interned, equal lists are one object.
    AttrListRef a = MakeAttrListRef(row.a);
    EXPECT_EQ(SameAttributes(a, MakeAttrListRef(row.b)), row.equal);
    EXPECT_EQ(*a, row.a);
  }
}

TEST_F(AttributeBossListTest, InternedListsLastAsLongAsAnOwnerAndAreOneAcrossThreads) {
  std::weak_ptr<const AttributeBossList> gone = MakeAttrListRef(List({{kTextAttrPointSize, 77.0}}));
  EXPECT_TRUE(gone.expired());
  AttrListRef again = MakeAttrListRef(List({{kTextAttrPointSize, 77.0}}));
  EXPECT_EQ(*again, List({{kTextAttrPointSize, 77.0}}));
  EXPECT_EQ(MakeAttrListRef(AttributeBossList()), EmptyAttributeList());

  constexpr int kThreads = 4, kLists = 400, kDistinct = 25;
  std::vector<std::vector<AttrListRef>> made(kThreads);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&made, t] {
      for (int i = 0; i < kLists; ++i) {
        made[t].push_back(MakeAttrListRef(List({{kTextAttrPointSize, 6.0 + (i + t) % kDistinct}})));
        if (i % 3 == 0) made[t].pop_back();  // lists let go while others make them
      }
    });
  }
  for (std::thread& thread : threads)
    thread.join();
  std::map<double, const AttributeBossList*> byValue;
  for (const auto& lists : made) {
    for (const AttrListRef& list : lists) {
      double size = *GetValueAs<double>(list->GetByClass(kTextAttrPointSize));
      auto [at, added] = byValue.emplace(size, list.get());
      EXPECT_EQ(at->second, list.get()) << size;
    }
  }
  EXPECT_EQ(byValue.size(), size_t{kDistinct});
}

// Every host class's default, plus a tab-stop table and an attribute nobody describes, reads back equal.
TEST_F(AttributeBossListTest, ListsReadBackWhatTheyWrote) {
  AttributeBossList list;
  for (const AttributeClassInfo* info : AttributeClasses::All())
    ASSERT_EQ(list.ApplyValue(info->cls, info->defaultValue), kSuccess);
  auto stops = std::make_shared<TabStopList>();
  ASSERT_TRUE(stops->Add({144, TabAlignment::kOnCharacter, u',', u"-."}));
  ASSERT_EQ(list.ApplyValue(kTextAttrTabStops, ObjectRef(stops)), kSuccess);
  ASSERT_EQ(list.ApplyValue(kTextAttrFontStyle, WideString(u"Bold \U0001F600")), kSuccess);
  ASSERT_EQ(list.ApplyAttribute(TextAttribute::CreateOpaque(0x99999, {9, 8, 7}).get()), kSuccess);
  std::vector<uint8_t> bytes = Write(list);
  AttributeBossList back;
  ASSERT_TRUE(Read(bytes, back));
  EXPECT_EQ(back, list);
  EXPECT_EQ(Write(back), bytes);
}

TEST_F(AttributeBossListTest, DamagedBytesFailTheStream) {
  AttributeBossList list = List({{kTextAttrPointSize, 12.0}, {kTextAttrFontStyle, WideString(u"Italic")}});
  std::vector<uint8_t> bytes = Write(list);
  struct Row {
    const char* what;
    std::vector<uint8_t> bytes;
  };
  std::vector<uint8_t> wrongSize = bytes;
  wrongSize[8] = 3;  // the first value (the font style) claims 3 bytes
  std::vector<uint8_t> hugeCount = bytes;
  hugeCount[3] = 0x7F;
  const Row rows[] = {
      {"cut short", std::vector<uint8_t>(bytes.begin(), bytes.end() - 3)},
      {"a value of the wrong size", wrongSize},
      {"a count larger than the bytes", hugeCount},
      {"nothing at all", {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    AttributeBossList back;
    EXPECT_FALSE(Read(row.bytes, back));
  }
}

TEST_F(AttributeBossListTest, JsonKeysValuesByClassNumber) {
  auto stops = std::make_shared<TabStopList>();
  ASSERT_TRUE(stops->Add({72, TabAlignment::kRight, u'.', u"."}));
  struct Row {
    const char* what;
    AttributeBossList list;
    std::string json;
  };
  const Row rows[] = {
      {"empty", {}, "{}"},
      {"numbers in shortest form", List({{kTextAttrPointSize, 12.0}, {kTextAttrTracking, 0.05}}),
       "{\"6915\":12,\"6923\":0.05}"},
      {"whole numbers without exponent", List({{kTextAttrShade, 100.0}, {kTextAttrBaselineShift, -1234.5}}),
       "{\"6928\":-1234.5,\"6978\":100}"},
      {"negative zero as zero", List({{kTextAttrTracking, -0.0}}), "{\"6923\":0}"},
      {"booleans and enumerations", List({{kTextAttrUnderline, true}, {kTextAttrAlignment, int32_t{3}}}),
       "{\"6954\":true,\"7038\":3}"},
      {"references stay numbers", List({{kTextAttrFillColor, UID(42)}}), "{\"6913\":42}"},
      {"strings escaped", List({{kTextAttrFontStyle, WideString(u"A \"b\"\\\u00e9")}}),
       "{\"6914\":\"A \\\"b\\\"\\\\\xc3\xa9\"}"},
      {"tab stops", List({{kTextAttrTabStops, ObjectRef(stops)}}),
       "{\"6953\":[{\"position\":72,\"alignment\":2,\"alignCharacter\":\".\",\"leader\":\".\"}]}"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_EQ(row.list.ToJson(), row.json);
  }
}

}  // namespace
}  // namespace text_test
