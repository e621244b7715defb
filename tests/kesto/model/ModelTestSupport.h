// Helpers for the model tests: a document per test, styles made through the host's style command and
// attribute lists written inline.
#pragma once

#include <gtest/gtest.h>

#include <utility>

#include "host/app/DocumentList.h"
#include "host/cmd/CmdUtils.h"
#include "host/text/AttributeBossList.h"
#include "host/text/IStyleData.h"
#include "host/text/StyleUtils.h"
#include "kesto/model/FaceNames.h"
#include "kesto/model/VyFontDesc.h"
#include "tests/support/TestHost.h"

namespace kesto_test {

inline AttributeBossList Attrs(std::initializer_list<std::pair<ClassID, AttributeValue>> values) {
  AttributeBossList list;
  for (const auto& [cls, value] : values)
    EXPECT_EQ(list.ApplyValue(cls, value), kSuccess) << cls.Get();
  return list;
}

// A fixture with a new document, closed afterwards.
class DocumentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::EnsureHost();
    db_ = DocumentList::Get().NewDocument();
    ASSERT_NE(db_, nullptr);
  }
  void TearDown() override { DocumentList::Get().CloseDocument(db_); }

  UID NewStyle(StyleKind kind, const WideString& name, const AttributeBossList& attributes = {},
               UID basedOn = kInvalidUID, UID characterStyle = kInvalidUID) {
    InterfacePtr<ICommand> cmd = CmdUtils::CreateCommand(kCreateStyleCmdBoss);
    EXPECT_TRUE(cmd);
    if (!cmd) return kInvalidUID;
    cmd->SetTargetDataBase(db_);
    InterfacePtr<IStyleData> data(cmd, UseDefaultIID());
    data->SetKind(kind);
    data->SetName(name);
    data->SetBasedOn(basedOn);
    if (characterStyle.IsValid()) data->SetCharacterStyle(characterStyle);
    data->SetAttributes(attributes);
    EXPECT_EQ(CmdUtils::ProcessCommand(cmd.get()), kSuccess)
        << "style " << std::string(name.begin(), name.end());
    return cmd->GetItemList().empty() ? kInvalidUID : cmd->GetItemList()[0];
  }
  UID Root(StyleKind kind) const { return StyleUtils::GetRootStyle(db_, kind); }
  UID Family(std::u16string_view name) const { return kesto::FindFontFamily(db_, name); }

  IDataBase* db_ = nullptr;
};

}  // namespace kesto_test
