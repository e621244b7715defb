// The attribute class table: the classes the plug-ins name, with scope, kind and range; sound defaults;
// registration of plug-in classes.
#include <gtest/gtest.h>

#include <set>

#include "host/db/MemoryStream.h"
#include "host/text/AttributeBossList.h"
#include "host/text/AttributeClasses.h"
#include "tests/support/TestHost.h"

namespace {

constexpr auto kChar = AttributeScope::kCharacter;
constexpr auto kPara = AttributeScope::kParagraph;

class AttributeClassesTest : public ::testing::Test {
 protected:
  void SetUp() override { testing_support::EnsureHost(); }
};

TEST_F(AttributeClassesTest, ClassesHaveTheirScopeKindAndRange) {
  struct Row {
    uint32_t cls;
    AttributeScope scope;
    AttributeKind kind;
    double min;
    double max;
  };
  const Row rows[] = {
      {6913, kChar, AttributeKind::kUID, 0, 0},
      {6914, kChar, AttributeKind::kString, 0, 0},
      {6915, kChar, AttributeKind::kReal, 0.1, 1296},
      {6919, kChar, AttributeKind::kClassID, 0, 0},
      {6920, kChar, AttributeKind::kBool, 0, 1},
      {6929, kChar, AttributeKind::kEnum, 0, 3},
      {6939, kChar, AttributeKind::kReal, -1, 5000},
      {6941, kChar, AttributeKind::kUID, 0, 0},
      {6956, kChar, AttributeKind::kEnum, 0, 4},
      {6972, kChar, AttributeKind::kEnum, 0, 6},
      {6978, kChar, AttributeKind::kReal, -1, 100},
      {7034, kChar, AttributeKind::kInt16, 0, 32767},
      {7041, kChar, AttributeKind::kEnum, 0, 5},
      {7049, kChar, AttributeKind::kInt32, 0, 0x1FFFFE},
      {7114, kChar, AttributeKind::kBool, 0, 1},
      {17046, kChar, AttributeKind::kBool, 0, 1},
      {6925, kPara, AttributeKind::kInt16, 0, 150},
      {6926, kPara, AttributeKind::kInt16, 0, 25},
      {6936, kPara, AttributeKind::kReal, -kLargestMeasurement, kLargestMeasurement},
      {6953, kPara, AttributeKind::kObject, 0, 0},
      {6969, kPara, AttributeKind::kInt16, 0, 5},
      {6970, kPara, AttributeKind::kInt16, 1, 50},
      {6989, kPara, AttributeKind::kReal, 0, 1080},
      {7004, kPara, AttributeKind::kBool, 0, 1},
      {7018, kPara, AttributeKind::kEnum, 0, 5},
      {7025, kPara, AttributeKind::kUID, 0, 0},
      {7038, kPara, AttributeKind::kEnum, 0, 9},
      {16998, kPara, AttributeKind::kBool, 0, 1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE("class " + std::to_string(row.cls));
    const AttributeClassInfo* info = AttributeClasses::Find(row.cls);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->scope, row.scope);
    EXPECT_EQ(info->kind, row.kind);
    EXPECT_EQ(info->min, row.min);
    EXPECT_EQ(info->max, row.max);
    EXPECT_EQ(AttributeClasses::IsParagraphAttribute(row.cls), row.scope == kPara);
  }
}

TEST_F(AttributeClassesTest, EveryClassHasAUniqueNameAndASoundDefault) {
  std::set<std::string> names;
  for (const AttributeClassInfo* info : AttributeClasses::All()) {
    SCOPED_TRACE(info->name);
    EXPECT_TRUE(names.insert(info->name).second) << "name used twice";
    EXPECT_TRUE(ValueFitsKind(info->defaultValue, info->kind));
    EXPECT_TRUE(AttributeClasses::IsInRange(*info, info->defaultValue));
  }
  EXPECT_GE(names.size(), 70u);
}

TEST_F(AttributeClassesTest, RangeChecksWidenRealsSlightly) {
  const AttributeClassInfo& size = *AttributeClasses::Find(kTextAttrPointSize);
  const AttributeClassInfo& lines = *AttributeClasses::Find(kTextAttrDropCapLines);
  struct Row {
    const AttributeClassInfo* info;
    AttributeValue value;
    bool inRange;
  };
  const Row rows[] = {
      {&size, 1296.0, true},        {&size, 1296.000000001, true}, {&size, 1296.1, false},
      {&size, 0.1 - 1e-9, true},    {&size, 0.0, false},           {&lines, int16_t{25}, true},
      {&lines, int16_t{26}, false}, {&lines, int16_t{-1}, false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(ValueToJson(row.value));
    EXPECT_EQ(AttributeClasses::IsInRange(*row.info, row.value), row.inRange);
  }
}

// A plug-in's object-valued attribute class: registered once, created by class, kept in lists by value.
class Note final : public AttributeObject {
 public:
  WideString text;
  bool Equals(const AttributeObject& other) const override {
    const auto* note = dynamic_cast<const Note*>(&other);
    return note && note->text == text;
  }
  std::shared_ptr<AttributeObject> Copy() const override { return std::make_shared<Note>(*this); }
  void ReadWrite(IPMStream* stream) override { stream->XferString(text); }
  std::string ToJson() const override { return JsonQuote(text); }
};

TEST_F(AttributeClassesTest, PlugInsRegisterTheirOwnClasses) {
  constexpr ClassID kNoteClass = 0xA8DF0;
  if (!AttributeClasses::Find(kNoteClass)) {
    AttributeClassInfo info;
    info.cls = kNoteClass;
    info.name = "note";
    info.kind = AttributeKind::kObject;
    info.makeObject = [] { return std::make_shared<Note>(); };
    ASSERT_EQ(AttributeClasses::Register(info), kSuccess);
  }
  AttributeClassInfo again;
  again.cls = kNoteClass;
  again.name = "note";
  again.kind = AttributeKind::kObject;
  again.makeObject = [] { return std::make_shared<Note>(); };
  EXPECT_EQ(AttributeClasses::Register(again), kInvalidParameterError) << "the class is taken";
  AttributeClassInfo noFactory;
  noFactory.cls = 0xA8DF1;
  noFactory.name = "broken";
  noFactory.kind = AttributeKind::kObject;
  EXPECT_EQ(AttributeClasses::Register(noFactory), kInvalidParameterError);

  auto note = std::make_shared<Note>();
  note->text = u"margin note";
  AttributeBossList list;
  ASSERT_EQ(list.ApplyValue(kNoteClass, ObjectRef(note)), kSuccess);
  MemoryWriteStream out;
  list.ReadWrite(&out);
  MemoryReadStream in(out.Bytes());
  AttributeBossList back;
  back.ReadWrite(&in);
  EXPECT_TRUE(in.IsGood());
  EXPECT_EQ(back, list);
  EXPECT_EQ(back.ToJson(), "{\"691696\":\"margin note\"}");
}

}  // namespace
