// The import target: one import is one named undo step that restores the story exactly, and the plug-in's
// three attributes reach pending and inserted text.
#include "kesto/model/XStory.h"

#include <gtest/gtest.h>

#include <functional>

#include "host/db/MemoryStream.h"
#include "host/text/AttributeClasses.h"
#include "tests/kesto/model/StoryTestSupport.h"

namespace kesto {
namespace {

using kesto_test::Attrs;

class XStoryTest : public kesto_test::StoryTest {
 protected:
  static bool Insert(VyStory& story, std::u16string_view text) {
    return story.InsertText(text.data(), static_cast<int32_t>(text.size()));
  }
  // The whole story as text and runs, for exact comparison.
  std::string State() const { return Text() + " | " + ParagraphRuns() + " | " + CharacterRuns(); }
  // An import of several paragraphs with style and override changes, plug-in attributes and a replaced
  // selection.
  void Import(XStory& story) {
    UID heading = Named(StyleKind::kParagraph, "Heading");
    UID em = Named(StyleKind::kCharacter, "Em");
    db_->ClearUndo();
    story.BeginImport();
    ASSERT_TRUE(story.Paragraph().SetStyle(heading));
    ASSERT_TRUE(story.Character().SetReal(kTextAttrPointSize, 24.0));
    ASSERT_TRUE(Insert(story, u"Title\r"));
    ASSERT_TRUE(story.Paragraph().SetStyle(Root(StyleKind::kParagraph)));
    ASSERT_TRUE(story.Paragraph().SetLeading(3, true));
    ASSERT_TRUE(story.Character().ClearOverride(kTextAttrPointSize));
    ASSERT_TRUE(Insert(story, u"Body "));
    ASSERT_TRUE(story.Character().SetStyle(em));
    ASSERT_TRUE(Insert(story, u"text"));
    ASSERT_TRUE(story.ApplyNumeric(0, 5, 1, 2, 3));
    ASSERT_TRUE(story.ApplyText(6, 15, u"note", 1, 2, 3));
    ASSERT_TRUE(Insert(story, u"\rlast"));
    story.EndImport();
  }
};

TEST_F(XStoryTest, OneUndoRestoresTheStoryExactlyAndRedoTheImport) {
  Seed(u"before|after");
  ASSERT_EQ(TextCmdUtils::ApplyOverrides(UIDRef(db_, story_), TextStrand::kCharacter, 2, 8,
                                         Attrs({{kTextAttrBaselineShift, 4.0}})),
            kSuccess);
  std::string before = State();
  {
    XStory story(db_, story_, 6, 7);  // the "|" is replaced
    Import(story);
    EXPECT_FALSE(story.IsImporting());
  }
  std::string after = State();
  EXPECT_EQ(Text(), "beforeTitle/Body text/lastafter/");
  ASSERT_TRUE(db_->CanUndo());
  EXPECT_EQ(db_->GetUndoName(), "A8DcImport");
  ASSERT_EQ(db_->Undo(), kSuccess);
  EXPECT_FALSE(db_->CanUndo()) << "the import took more than one undo step";
  EXPECT_EQ(State(), before);
  EXPECT_TRUE(Sound());
  ASSERT_EQ(db_->Redo(), kSuccess);
  EXPECT_EQ(State(), after);
  EXPECT_TRUE(Sound());
}

TEST_F(XStoryTest, ImportStillOpenIsEndedWithTheStory) {
  {
    XStory story(db_, story_, 0, 0);
    db_->ClearUndo();
    story.BeginImport();
    story.BeginImport();  // a second begin keeps the one sequence
    ASSERT_TRUE(Insert(story, u"a\rb"));
  }
  EXPECT_EQ(Text(), "a/b/");
  EXPECT_EQ(db_->GetUndoName(), "A8DcImport");
  ASSERT_EQ(db_->Undo(), kSuccess);
  EXPECT_EQ(Text(), "/");
  EXPECT_FALSE(db_->CanUndo());
}

TEST_F(XStoryTest, PluginAttributesReachPendingAndInsertedText) {
  XStory story(db_, story_, 0, 0);
  ASSERT_TRUE(Insert(story, u"ab\rcd"));
  HiddenTextRecord record{};
  record[0] = 0x41;
  record[kHiddenTextRecordSize - 1] = 7;
  EXPECT_TRUE(story.ApplyHiddenText(1, 4, record));  // "b", its return and the pending "c"
  EXPECT_TRUE(story.ApplyNumeric(0, 1, -1, 0, 1 << 30));
  EXPECT_TRUE(story.ApplyText(4, 5, u"t", -1, 0, 32767));
  EXPECT_FALSE(story.ApplyNumeric(2, 2, 1, 2, 3)) << "an empty range applies nothing";
  story.Finish(0);
  const struct {
    int32_t index;
    ClassID cls;
    bool present;
  } rows[] = {{0, kKestoNumericAttr, true},     {0, kKestoHiddenTextAttr, false},
              {1, kKestoHiddenTextAttr, true},  {3, kKestoHiddenTextAttr, true},
              {4, kKestoHiddenTextAttr, false}, {4, kKestoTextAttr, true},
              {2, kKestoNumericAttr, false}};
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::Message() << row.index << " " << row.cls.Get());
    TextRun run = model_->GetRunAt(TextStrand::kCharacter, row.index);
    EXPECT_EQ(run.overrides->ContainsClass(row.cls), row.present);
  }
  auto held = [&](int32_t index, ClassID cls) {
    const ObjectRef* value =
        GetValueAs<ObjectRef>(model_->GetRunAt(TextStrand::kCharacter, index).overrides->GetByClass(cls));
    return value ? value->get() : nullptr;
  };
  auto* hidden = dynamic_cast<const HiddenTextValue*>(held(3, kKestoHiddenTextAttr));
  ASSERT_NE(hidden, nullptr);
  EXPECT_EQ(hidden->record, record);
  auto* numeric = dynamic_cast<const NumericValue*>(held(0, kKestoNumericAttr));
  ASSERT_NE(numeric, nullptr);
  EXPECT_EQ(numeric->values, (std::array<int32_t, 3>{-1, 0, 1 << 30}));
  auto* text = dynamic_cast<const TextValue*>(held(4, kKestoTextAttr));
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->text, u"t");
  EXPECT_EQ(text->numbers, (std::array<int16_t, 3>{-1, 0, 32767}));
}

TEST_F(XStoryTest, PluginAttributesSurviveSavingAndReading) {
  const struct {
    const char* name;
    std::function<void(AttributeObject&)> fill;
    ClassID cls;
  } rows[] = {
      {"hidden text", [](AttributeObject& o) { static_cast<HiddenTextValue&>(o).record[1291] = 9; },
       kKestoHiddenTextAttr},
      {"numeric",
       [](AttributeObject& o) {
         static_cast<NumericValue&>(o).values = {5, -6, 7};
       },
       kKestoNumericAttr},
      {"text", [](AttributeObject& o) { static_cast<TextValue&>(o).text = u"\u00e9t\u00e9"; },
       kKestoTextAttr},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    InterfacePtr<ITextAttribute> blank = CreateTextAttribute(row.cls);
    ASSERT_TRUE(blank);
    std::shared_ptr<AttributeObject> value = (*GetValueAs<ObjectRef>(blank.get()))->Copy();
    row.fill(*value);
    AttributeBossList list;
    ASSERT_EQ(list.ApplyAttribute(CreateTextAttribute(row.cls, ObjectRef(value)).get()), kSuccess);
    MemoryWriteStream out;
    list.ReadWrite(&out);
    MemoryReadStream in(out.Bytes());
    AttributeBossList read;
    read.ReadWrite(&in);
    EXPECT_EQ(in.GetState(), IPMStream::State::kGood);
    EXPECT_EQ(read, list);
    EXPECT_FALSE(read == AttributeBossList());
  }
}

}  // namespace
}  // namespace kesto
