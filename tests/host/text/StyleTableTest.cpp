// Style tables: a new document's styles, creating and changing styles by command (and undoing it), style
// groups, lookup by name and ambiguity, and the checks that refuse unsound styles.
#include <functional>

#include "host/cmd/CmdUtils.h"
#include "host/db/DocumentFile.h"
#include "host/text/IStyleData.h"
#include "host/text/StyleNames.h"
#include "tests/host/text/TextFixture.h"

namespace text_test {
namespace {

constexpr char16_t kSep = kStyleGroupSeparator;

class StyleTableTest : public TextFixture {
 protected:
  InterfacePtr<IStyleInfo> Info(UID style) const { return Instantiate<IStyleInfo>(db_, style); }
  InterfacePtr<IStyleTable> Table(StyleKind kind) const { return StyleUtils::QueryStyleTable(db_, kind); }
  // Creates a style by command, answering the command's result.
  ErrorCode Create(StyleKind kind, const WideString& name, UID basedOn = kInvalidUID, UID next = kInvalidUID,
                   UID characterStyle = kInvalidUID) {
    TextCmdUtils::StyleFields fields{kind, name, basedOn, next, characterStyle, {}};
    UID style;
    return TextCmdUtils::CreateStyle(db_, fields, style);
  }
  // Edits `style` through EditStyleCmd with the fields `fill` sets.
  template <class F>
  ErrorCode Edit(UID style, F fill) {
    InterfacePtr<ICommand> cmd = CmdUtils::CreateCommand(kEditStyleCmdBoss);
    cmd->SetItemList(UIDList(db_, {style}));
    InterfacePtr<IStyleData> data(cmd, UseDefaultIID());
    fill(*data);
    return CmdUtils::ProcessCommand(cmd.get());
  }
};

TEST_F(StyleTableTest, ANewDocumentHasRootAndDefaultStyles) {
  InterfacePtr<IStyleTable> paragraphs = Table(StyleKind::kParagraph);
  InterfacePtr<IStyleTable> characters = Table(StyleKind::kCharacter);
  ASSERT_TRUE(paragraphs && characters);
  EXPECT_EQ(Info(paragraphs->GetRootStyle())->GetName(), u"[No paragraph style]");
  EXPECT_EQ(Info(paragraphs->GetDefaultStyle())->GetName(), u"NormalParagraphStyle");
  EXPECT_EQ(Info(paragraphs->GetDefaultStyle())->GetBasedOn(), paragraphs->GetRootStyle());
  EXPECT_EQ(Info(characters->GetRootStyle())->GetName(), u"[No character style]");
  EXPECT_EQ(characters->GetDefaultStyle(), characters->GetRootStyle());
  EXPECT_EQ(paragraphs->GetNthStyle(0), paragraphs->GetRootStyle());
  // The root paragraph style holds a default for every attribute class; the root character style none,
  // so that the paragraph's attributes show through.
  const AttributeBossList& defaults = Info(paragraphs->GetRootStyle())->GetAttributes();
  for (const AttributeClassInfo* info : AttributeClasses::All()) {
    SCOPED_TRACE(info->name);
    const ITextAttribute* attribute = defaults.GetByClass(info->cls);
    ASSERT_NE(attribute, nullptr);
    EXPECT_TRUE(ValuesEqual(attribute->GetValue(), info->defaultValue));
  }
  EXPECT_TRUE(Info(characters->GetRootStyle())->GetAttributes().IsEmpty());
}

TEST_F(StyleTableTest, AStyleCreatedByCommandDisappearsOnUndo) {
  db_->ClearUndo();
  UID style = MakeStyle(StyleKind::kParagraph, u"Body", kInvalidUID, List({{kTextAttrSpaceAfter, 6.0}}));
  ASSERT_TRUE(style.IsValid());
  EXPECT_EQ(StyleUtils::FindStyle(db_, StyleKind::kParagraph, u"Body").style, style);
  EXPECT_EQ(Info(style)->GetBasedOn(), ParagraphRoot()) << "based on nothing means based on the root";
  ASSERT_EQ(db_->Undo(), kSuccess);
  EXPECT_FALSE(StyleUtils::FindStyle(db_, StyleKind::kParagraph, u"Body").Found());
  EXPECT_FALSE(Table(StyleKind::kParagraph)->ContainsStyle(style));
  EXPECT_FALSE(db_->IsValidUID(style));
  ASSERT_EQ(db_->Redo(), kSuccess);
  EXPECT_EQ(StyleUtils::FindStyle(db_, StyleKind::kParagraph, u"Body").style, style);
  EXPECT_TRUE(Info(style)->GetAttributes().ContainsClass(kTextAttrSpaceAfter));
}

TEST_F(StyleTableTest, GroupsComeFromNamePathsAndNamesCanBeAmbiguous) {
  WideString title = WideString(u"Heads") + kSep + u"Sub" + kSep + u"Title";
  UID nested = MakeStyle(StyleKind::kParagraph, title);
  InterfacePtr<IStyleTable> table = Table(StyleKind::kParagraph);
  EXPECT_TRUE(table->HasGroup(u"Heads"));
  EXPECT_TRUE(table->HasGroup(WideString(u"Heads") + kSep + u"Sub"));
  EXPECT_EQ(table->CountGroups(), 2);

  struct Row {
    const char* what;
    WideString name;
    int32_t matches;
  };
  auto check = [&](const Row& row, UID expected) {
    SCOPED_TRACE(row.what);
    StyleLookup found = table->FindByName(row.name);
    EXPECT_EQ(found.matches, row.matches);
    if (row.matches > 0) {
      EXPECT_EQ(found.style, expected);
    }
  };
  check({"full path", title, 1}, nested);
  check({"own name in a group", u"Title", 1}, nested);
  check({"a group is no style", u"Sub", 0}, kInvalidUID);
  check({"empty name", u"", 0}, kInvalidUID);
  MakeStyle(StyleKind::kParagraph, WideString(u"Other") + kSep + u"Title");
  check({"own name in two groups", u"Title", 2}, nested);
  UID top = MakeStyle(StyleKind::kParagraph, u"Title");
  check({"a style outside the groups has the name itself", u"Title", 1}, top);
  EXPECT_FALSE(StyleUtils::FindStyle(db_, StyleKind::kCharacter, u"Title").Found()) << "tables are separate";
}

// Lookups go through an index of names: each step changes names, and every name is looked up after it.
TEST_F(StyleTableTest, LookupFollowsRenamesUndoAndRedo) {
  UID body = MakeStyle(StyleKind::kParagraph, u"Body");
  UID second;
  const UID none;
  WideString grouped = WideString(u"G") + kSep + u"Text";
  InterfacePtr<IStyleTable> table = Table(StyleKind::kParagraph);
  auto rename = [&](const WideString& name) { return Edit(body, [&](IStyleData& d) { d.SetName(name); }); };
  db_->ClearUndo();
  struct Step {
    const char* what;
    std::function<ErrorCode()> change;
    ErrorCode answer;
    const UID* body;  // what "Body", "Text" and the grouped name find
    const UID* text;
    const UID* grouped;
  };
  auto create = [&](const WideString& name) {
    return TextCmdUtils::CreateStyle(db_, {StyleKind::kParagraph, name, {}, {}, {}, {}}, second);
  };
  const Step steps[] = {
      {"renamed", [&] { return rename(u"Text"); }, kSuccess, &none, &body, &none},
      {"the new name is taken", [&] { return create(u"Text"); }, kInvalidParameterError, &none, &body, &none},
      {"the old name is free", [&] { return create(u"Body"); }, kSuccess, &second, &body, &none},
      {"moved into a group", [&] { return rename(grouped); }, kSuccess, &second, &body, &body},
      {"undone", [&] { return db_->Undo(); }, kSuccess, &second, &body, &none},
      {"redone", [&] { return db_->Redo(); }, kSuccess, &second, &body, &body},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    ASSERT_EQ(step.change(), step.answer);
    ErrorUtils::PMSetGlobalErrorCode(kSuccess);
    EXPECT_EQ(table->FindByName(u"Body").style, *step.body);
    EXPECT_EQ(table->FindByName(u"Text").style, *step.text);
    EXPECT_EQ(table->FindByName(grouped).style, *step.grouped);
  }
}

TEST_F(StyleTableTest, RefusesUnsoundStylesAndCreatesNothing) {
  UID body = MakeStyle(StyleKind::kParagraph, u"Body");
  UID emphasis = MakeStyle(StyleKind::kCharacter, u"Emphasis");
  int32_t paragraphStyles = Table(StyleKind::kParagraph)->CountStyles();
  int32_t characterStyles = Table(StyleKind::kCharacter)->CountStyles();
  struct Row {
    const char* what;
    std::function<ErrorCode()> create;
  };
  const Row rows[] = {
      {"empty name", [&] { return Create(StyleKind::kParagraph, u""); }},
      {"a name that is taken", [&] { return Create(StyleKind::kParagraph, u"Body"); }},
      {"an empty group",
       [&] { return Create(StyleKind::kParagraph, WideString(u"A") + kSep + kSep + u"B"); }},
      {"a trailing separator", [&] { return Create(StyleKind::kParagraph, WideString(u"A") + kSep); }},
      {"a control character", [&] { return Create(StyleKind::kParagraph, u"Line\rbreak"); }},
      {"a name too long",
       [&] { return Create(StyleKind::kParagraph, WideString(kMaxStyleNameLength + 1, u'n')); }},
      {"based on a character style", [&] { return Create(StyleKind::kParagraph, u"X", emphasis); }},
      {"a next style of the other kind", [&] { return Create(StyleKind::kParagraph, u"X", body, emphasis); }},
      {"a character style with a character style",
       [&] { return Create(StyleKind::kCharacter, u"X", kInvalidUID, kInvalidUID, emphasis); }},
      {"a paragraph style as character style",
       [&] { return Create(StyleKind::kParagraph, u"X", body, kInvalidUID, body); }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_TRUE(Refused(row.create()));
  }
  EXPECT_EQ(Table(StyleKind::kParagraph)->CountStyles(), paragraphStyles);
  EXPECT_EQ(Table(StyleKind::kCharacter)->CountStyles(), characterStyles);
  EXPECT_EQ(Table(StyleKind::kParagraph)->CountGroups(), 0);
}

TEST_F(StyleTableTest, ACharacterStyleKeepsOnlyCharacterAttributes) {
  UID style = MakeStyle(StyleKind::kCharacter, u"Loud", kInvalidUID,
                        List({{kTextAttrPointSize, 18.0}, {kTextAttrAlignment, int32_t{1}}}));
  const AttributeBossList& attributes = Info(style)->GetAttributes();
  EXPECT_TRUE(attributes.ContainsClass(kTextAttrPointSize));
  EXPECT_FALSE(attributes.ContainsClass(kTextAttrAlignment));
}

TEST_F(StyleTableTest, EditingAStyleIsCheckedAndUndoable) {
  UID base = MakeStyle(StyleKind::kParagraph, u"Base");
  UID derived = MakeStyle(StyleKind::kParagraph, u"Derived", base);
  UID emphasis = MakeStyle(StyleKind::kCharacter, u"Emphasis");
  db_->ClearUndo();
  ASSERT_EQ(Edit(derived,
                 [&](IStyleData& d) {
                   d.SetName(WideString(u"Group") + kSep + u"Renamed");
                   d.SetCharacterStyle(emphasis);
                   d.SetAttributes(List({{kTextAttrAlignment, int32_t{2}}}));
                 }),
            kSuccess);
  EXPECT_EQ(Info(derived)->GetName(), WideString(u"Group") + kSep + u"Renamed");
  EXPECT_EQ(Info(derived)->GetCharacterStyle(), emphasis);
  EXPECT_EQ(Info(derived)->GetBasedOn(), base) << "fields not named stay";
  EXPECT_TRUE(Table(StyleKind::kParagraph)->HasGroup(u"Group"));

  struct Row {
    const char* what;
    std::function<ErrorCode()> edit;
  };
  const Row rows[] = {
      {"a loop of based-on styles",
       [&] { return Edit(base, [&](IStyleData& d) { d.SetBasedOn(derived); }); }},
      {"based on itself", [&] { return Edit(base, [&](IStyleData& d) { d.SetBasedOn(base); }); }},
      {"renaming the root", [&] { return Edit(ParagraphRoot(), [](IStyleData& d) { d.SetName(u"Root"); }); }},
      {"rebasing the root",
       [&] { return Edit(ParagraphRoot(), [&](IStyleData& d) { d.SetBasedOn(base); }); }},
      {"a name that is taken",
       [&] { return Edit(base, [](IStyleData& d) { d.SetName(u"NormalParagraphStyle"); }); }},
      {"a next style of the other kind",
       [&] { return Edit(base, [&](IStyleData& d) { d.SetNextStyle(emphasis); }); }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    EXPECT_TRUE(Refused(row.edit()));
  }
  ASSERT_EQ(db_->Undo(), kSuccess);
  EXPECT_EQ(Info(derived)->GetName(), u"Derived");
  EXPECT_FALSE(Info(derived)->GetCharacterStyle().IsValid());
  EXPECT_TRUE(Info(derived)->GetAttributes().IsEmpty());
  EXPECT_FALSE(db_->CanUndo()) << "refused edits leave no undo step";
}

TEST_F(StyleTableTest, StyleTablesReadBackFromAFile) {
  UID body = MakeStyle(StyleKind::kParagraph, WideString(u"G") + kSep + u"Body", kInvalidUID,
                       List({{kTextAttrLeftIndent, 12.0}}));
  std::vector<uint8_t> bytes = DocumentFile::Serialize(*static_cast<DataBase*>(db_));
  std::unique_ptr<DataBase> reopened;
  ASSERT_EQ(DocumentFile::Deserialize(bytes, reopened).error, kSuccess);
  StyleLookup found = StyleUtils::FindStyle(reopened.get(), StyleKind::kParagraph, u"Body");
  ASSERT_TRUE(found.Found());
  EXPECT_EQ(found.style, body);
  EXPECT_TRUE(StyleUtils::QueryStyleTable(reopened.get(), StyleKind::kParagraph)->HasGroup(u"G"));
  InterfacePtr<IStyleInfo> info = Instantiate<IStyleInfo>(reopened.get(), body);
  EXPECT_EQ(info->GetAttributes(), List({{kTextAttrLeftIndent, 12.0}}));
}

}  // namespace
}  // namespace text_test
