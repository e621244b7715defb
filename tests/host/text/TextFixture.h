// TextFixture: a new document with one empty story, and helpers to make styles and override lists.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

#include "host/app/DocumentList.h"
#include "host/cmd/ErrorUtils.h"
#include "host/text/AttributeClasses.h"
#include "host/text/ITextModel.h"
#include "host/text/StyleUtils.h"
#include "host/text/TextCmdUtils.h"
#include "tests/support/Refused.h"
#include "tests/support/TestHost.h"

namespace text_test {

inline AttributeBossList List(std::initializer_list<std::pair<ClassID, AttributeValue>> values) {
  AttributeBossList list;
  for (const auto& [cls, value] : values)
    EXPECT_EQ(list.ApplyValue(cls, value), kSuccess) << "class " << cls.Get();
  return list;
}

class TextFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::EnsureHost();
    ErrorUtils::PMSetGlobalErrorCode(kSuccess);
    db_ = DocumentList::Get().NewDocument();
    ASSERT_NE(db_, nullptr);
    UID uid;
    ASSERT_EQ(TextCmdUtils::NewStory(db_, uid), kSuccess);
    story_ = UIDRef(db_, uid);
    db_->ClearUndo();
  }
  void TearDown() override {
    ErrorUtils::PMSetGlobalErrorCode(kSuccess);
    DocumentList::Get().CloseDocument(db_);
  }

  InterfacePtr<ITextModel> Story() const { return story_.Query<ITextModel>(); }
  UID ParagraphRoot() const { return StyleUtils::GetRootStyle(db_, StyleKind::kParagraph); }
  UID ParagraphDefault() const { return StyleUtils::GetDefaultStyle(db_, StyleKind::kParagraph); }
  UID CharacterRoot() const { return StyleUtils::GetRootStyle(db_, StyleKind::kCharacter); }

  UID MakeStyle(StyleKind kind, const WideString& name, UID basedOn = kInvalidUID,
                const AttributeBossList& attributes = {}) {
    TextCmdUtils::StyleFields fields;
    fields.kind = kind;
    fields.name = name;
    fields.basedOn = basedOn;
    fields.attributes = attributes;
    UID style;
    EXPECT_EQ(TextCmdUtils::CreateStyle(db_, fields, style), kSuccess);
    return style;
  }
  // Checks a refused command's code and resets the global error code.
  static ::testing::AssertionResult Refused(ErrorCode result, ErrorCode expected = kInvalidParameterError) {
    return testing_support::Refused(result, expected);
  }

  IDataBase* db_ = nullptr;
  UIDRef story_;
};

}  // namespace text_test
