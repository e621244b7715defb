// Stroke-type names, and stroke types resolved to document stroke styles.
#include <gtest/gtest.h>

#include "host/app/DocumentList.h"
#include "host/cmd/CmdUtils.h"
#include "host/res/DocWorkspace.h"
#include "host/res/IStrokeStyleCmdData.h"
#include "host/res/IStrokeStyleList.h"
#include "kesto/model/VyStrokeTypeDesc.h"
#include "tests/support/TestHost.h"

namespace kesto {
namespace {

VyStrokeTypeDesc ByIndex(int32_t index) {
  VyStrokeTypeDesc spec;
  spec.kind = VyStrokeTypeDesc::kByIndex;
  spec.index = index;
  return spec;
}

VyStrokeTypeDesc ByName(std::u16string_view name) {
  VyStrokeTypeDesc spec;
  spec.kind = VyStrokeTypeDesc::kByName;
  spec.name = name;
  return spec;
}

TEST(StrokeTypeNamesTest, TagLanguageNamesInThreeLanguages) {
  struct Case {
    const char16_t* name;
    int32_t index;
  };
  const Case cases[] = {
      {u"solid", 0},
      {u"continu", 0},
      {u"NORMAL", 0},
      {u"Dotted", 1},
      {u"en tirets", 1},
      {u"gepunktet", 1},
      {u"dotted 2", 2},
      {u"tiret-point", 3},
      {u"Strich-Punkt", 3},
      {u"tout pointillé", 4},
      {u"TOUT POINTILLÉ", 4},
      {u"double", 5},
      {u"doppel", 5},
      {u"thin-thick", 6},
      {u"DÜNN-DICK", 6},
      {u"epais-fin", 7},
      {u"thin-thick-thin", 8},
      {u"dick-dünn-dick", 9},
      {u"triple", 10},
      {u"dreifach", 10},
      {u"Solid ", -1},
      {u"ThinThick", -1},
      {u"", -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Utf8FromWide(c.name));
    EXPECT_EQ(StrokeTypeIndexOfName(c.name), c.index);
  }
  EXPECT_EQ(StrokeTypeHostName(10), u"Triple_Stroke");
  EXPECT_EQ(StrokeTypeWriterName(3), u"Dash Dot");
  EXPECT_EQ(StrokeTypeHostName(11), u"");
  EXPECT_EQ(StrokeTypeWriterName(-1), u"");
}

class VyStrokeTypeDescTest : public testing::Test {
 protected:
  void SetUp() override {
    testing_support::EnsureHost();
    db_ = DocumentList::Get().NewDocument();
    list_ = QueryDocWorkspace<IStrokeStyleList>(db_);
  }
  void TearDown() override {
    list_.reset();
    DocumentList::Get().CloseDocument(db_);
  }
  IDataBase* db_ = nullptr;
  InterfacePtr<IStrokeStyleList> list_;
};

TEST_F(VyStrokeTypeDescTest, IndexesResolveToBuiltInStylesAndDescribeBack) {
  for (int32_t i = 0; i < kStrokeTypeCount; ++i) {
    SCOPED_TRACE(i);
    VyStrokeTypeDesc spec = ByIndex(i);
    UID uid = ResolveStrokeType(db_, spec);
    EXPECT_EQ(uid, list_->FindStrokeStyle(WideString(StrokeTypeHostName(i))));
    VyStrokeTypeDesc described = DescribeStrokeType(db_, uid);
    EXPECT_EQ(described.kind, VyStrokeTypeDesc::kByIndex);
    EXPECT_EQ(described.index, i);
  }
  VyStrokeTypeDesc outside = ByIndex(11);
  EXPECT_FALSE(ResolveStrokeType(db_, outside).IsValid());
  VyStrokeTypeDesc none;
  EXPECT_FALSE(ResolveStrokeType(db_, none).IsValid());
  VyStrokeTypeDesc noDocument = ByIndex(0);
  EXPECT_FALSE(ResolveStrokeType(nullptr, noDocument).IsValid());
  EXPECT_EQ(DescribeStrokeType(db_, kInvalidUID).kind, VyStrokeTypeDesc::kNoneGiven);
  EXPECT_EQ(DescribeStrokeType(db_, db_->GetRootUID()).kind, VyStrokeTypeDesc::kNoneGiven);
}

TEST_F(VyStrokeTypeDescTest, NamesResolveToDocumentStyles) {
  InterfacePtr<ICommand> cmd = CmdUtils::CreateCommand(kNewStrokeStyleCmdBoss);
  InterfacePtr<IStrokeStyleCmdData> data(cmd, UseDefaultIID());
  cmd->SetTargetDataBase(db_);
  data->Set(u"Fence", StrokeKind::kDashed, {6, 1});
  ASSERT_EQ(CmdUtils::ProcessCommand(cmd.get()), kSuccess);
  UID fence = cmd->GetItemList()[0];

  VyStrokeTypeDesc byName = ByName(u"Fence");
  EXPECT_EQ(ResolveStrokeType(db_, byName), fence);
  VyStrokeTypeDesc described = DescribeStrokeType(db_, fence);
  EXPECT_EQ(described.kind, VyStrokeTypeDesc::kByName);
  EXPECT_EQ(described.name, u"Fence");
  // A host name given as a name finds the built-in style too.
  VyStrokeTypeDesc hostName = ByName(u"ThinThick");
  EXPECT_EQ(ResolveStrokeType(db_, hostName), list_->GetNthStrokeStyleUID(6));
  VyStrokeTypeDesc unknown = ByName(u"fence");
  EXPECT_FALSE(ResolveStrokeType(db_, unknown).IsValid());
}

}  // namespace
}  // namespace kesto
