// Stroke styles of a document (built-in and the user's own) and the application's line-end styles.
#include <gtest/gtest.h>

#include <cmath>

#include "host/app/DocumentList.h"
#include "host/cmd/CmdUtils.h"
#include "host/cmd/ErrorUtils.h"
#include "host/db/DocumentFile.h"
#include "host/res/DocWorkspace.h"
#include "host/res/IStrokeStyleCmdData.h"
#include "host/res/IStrokeStyleList.h"
#include "host/res/LineEndStyles.h"
#include "tests/support/TestHost.h"

namespace {

class StrokeStyleTest : public testing::Test {
 protected:
  void SetUp() override {
    testing_support::EnsureHost();
    db_ = DocumentList::Get().NewDocument();
    list_ = QueryDocWorkspace<IStrokeStyleList>(db_);
    ASSERT_TRUE(list_);
  }
  void TearDown() override {
    list_.reset();
    DocumentList::Get().CloseDocument(db_);
    ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  }
  ErrorCode AddStyle(const WideString& name, StrokeKind kind, const std::vector<double>& pattern, UID& uid) {
    InterfacePtr<ICommand> cmd = CmdUtils::CreateCommand(kNewStrokeStyleCmdBoss);
    InterfacePtr<IStrokeStyleCmdData> data(cmd, UseDefaultIID());
    cmd->SetTargetDataBase(db_);
    data->Set(name, kind, pattern);
    ErrorCode err = CmdUtils::ProcessCommand(cmd.get());
    uid = err == kSuccess ? cmd->GetItemList()[0] : kInvalidUID;
    ErrorUtils::PMSetGlobalErrorCode(kSuccess);
    return err;
  }

  IDataBase* db_ = nullptr;
  InterfacePtr<IStrokeStyleList> list_;
};

TEST_F(StrokeStyleTest, NewDocumentHasTheElevenBuiltInStyles) {
  const char16_t* names[] = {u"Solid",         u"Canned Dashed 4x4", u"Canned Dashed 3x2", u"DashDot",
                             u"Canned Dotted", u"ThickThick",        u"ThinThick",         u"ThickThin",
                             u"ThinThickThin", u"ThickThinThick",    u"Triple_Stroke"};
  ASSERT_EQ(list_->CountStrokeStyles(), 11);
  for (int32_t i = 0; i < 11; ++i) {
    SCOPED_TRACE(Utf8FromWide(names[i]));
    UID uid = list_->FindStrokeStyle(names[i]);
    EXPECT_EQ(uid, list_->GetNthStrokeStyleUID(i));
    auto style = Instantiate<IStrokeStyle>(db_, uid);
    ASSERT_TRUE(style);
    EXPECT_TRUE(style->IsBuiltIn());
    EXPECT_TRUE(IsValidStrokePattern(style->GetKind(), style->GetPattern()));
  }
  // Names are the host's own: no case folding, no translations.
  EXPECT_FALSE(list_->FindStrokeStyle(u"solid").IsValid());
  EXPECT_FALSE(list_->FindStrokeStyle(u"").IsValid());
  EXPECT_FALSE(list_->GetNthStrokeStyleUID(11).IsValid());
  auto thinThick = Instantiate<IStrokeStyle>(db_, list_->FindStrokeStyle(u"ThinThick"));
  EXPECT_EQ(thinThick->GetKind(), StrokeKind::kStriped);
  EXPECT_EQ(thinThick->GetPattern().size(), 4u);
}

TEST_F(StrokeStyleTest, UserStylesAreAddedUndoneAndSaved) {
  UID uid;
  ASSERT_EQ(AddStyle(u"Long Dash", StrokeKind::kDashed, {8, 3}, uid), kSuccess);
  EXPECT_EQ(list_->FindStrokeStyle(u"Long Dash"), uid);
  EXPECT_FALSE(Instantiate<IStrokeStyle>(db_, uid)->IsBuiltIn());

  std::vector<uint8_t> bytes = DocumentFile::Serialize(*static_cast<DataBase*>(db_));
  std::unique_ptr<DataBase> reopened;
  ASSERT_EQ(DocumentFile::Deserialize(bytes, reopened).error, kSuccess);
  auto saved = Instantiate<IStrokeStyle>(reopened.get(), uid);
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved->GetPattern(), (std::vector<double>{8, 3}));

  ASSERT_EQ(db_->Undo(), kSuccess);
  EXPECT_FALSE(list_->FindStrokeStyle(u"Long Dash").IsValid());
  EXPECT_EQ(list_->CountStrokeStyles(), 11);
}

TEST_F(StrokeStyleTest, BadStylesAreRefused) {
  struct Case {
    const char* what;
    WideString name;
    StrokeKind kind;
    std::vector<double> pattern;
  };
  const Case cases[] = {
      {"empty name", u"", StrokeKind::kSolid, {}},
      {"name in use", u"Solid", StrokeKind::kSolid, {}},
      {"name too long", WideString(kMaxStrokeStyleNameLength + 1, u'x'), StrokeKind::kSolid, {}},
      {"solid with a pattern", u"a", StrokeKind::kSolid, {1, 1}},
      {"dashes odd count", u"b", StrokeKind::kDashed, {4, 2, 1}},
      {"dash of zero", u"c", StrokeKind::kDashed, {4, 0}},
      {"dash not a number", u"d", StrokeKind::kDashed, {NAN, 1}},
      {"dots closer than a dot", u"e", StrokeKind::kDotted, {0.5}},
      {"stripes overlapping", u"f", StrokeKind::kStriped, {0, 0.6, 0.5, 1}},
      {"stripe beyond the weight", u"g", StrokeKind::kStriped, {0, 1.5}},
      {"stripe upside down", u"h", StrokeKind::kStriped, {0.5, 0.2}},
      {"pattern too long", u"i", StrokeKind::kDashed, std::vector<double>(kMaxStrokePattern + 2, 1.0)},
      {"unknown kind", u"j", static_cast<StrokeKind>(9), {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    UID uid;
    EXPECT_EQ(AddStyle(c.name, c.kind, c.pattern, uid), kInvalidParameterError);
  }
  EXPECT_EQ(list_->CountStrokeStyles(), 11);
}

TEST(LineEndStylesTest, NamesRoundTripAndMatchIgnoringCase) {
  for (int32_t i = 0; i < LineEndStyles::Count(); ++i) {
    auto style = static_cast<LineEnd>(i);
    WideString name = LineEndStyles::GetName(style);
    SCOPED_TRACE(Utf8FromWide(name));
    EXPECT_EQ(LineEndStyles::Find(name), style);
  }
  EXPECT_EQ(LineEndStyles::Find(u"curved"), LineEnd::kCurved);
  EXPECT_EQ(LineEndStyles::Find(u"CURVED"), LineEnd::kCurved);
  EXPECT_EQ(LineEndStyles::Find(u"none"), LineEnd::kNone);
  EXPECT_FALSE(LineEndStyles::Find(u"Curve").has_value());
  EXPECT_FALSE(LineEndStyles::Find(u"").has_value());
  EXPECT_EQ(LineEndStyles::GetName(static_cast<LineEnd>(LineEndStyles::Count())), u"");
  EXPECT_GT(LineEndStyles::GetReach(LineEnd::kCurved), 0);
  EXPECT_EQ(LineEndStyles::GetReach(LineEnd::kNone), 0);
}

}  // namespace
