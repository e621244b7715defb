// Text imported through the facade is composed into the main story's frame by the time the call returns.
#include <gtest/gtest.h>

#include <functional>

#include "host/app/DefaultDocument.h"
#include "host/app/DocumentList.h"
#include "host/app/ISession.h"
#include "host/app/Workspace.h"
#include "host/compose/StoryComposer.h"
#include "host/core/Registry.h"
#include "host/layout/ITextFrame.h"
#include "host/text/ITextModel.h"
#include "kesto/services/KestoFacade.h"
#include "kesto/services/KestoPlugIn.h"
#include "tests/support/TestHost.h"

namespace kesto {
namespace {

TEST(KestoFacadeComposeTest, EveryImportLeavesItsStoryComposed) {
  testing_support::EnsureHost();
  KestoPlugIn plugIn;
  ASSERT_EQ(kSuccess, plugIn.Register(Registry::Get()));
  Workspace::Renew();
  auto facade = QueryUtils<IKestoFacade3>();
  ASSERT_TRUE(facade);
  using Import = std::function<int32_t(const UIDRef&)>;
  const std::pair<const char*, Import> rows[] = {
      {"text", [&](const UIDRef& s) { return facade->ImportText(s, 0, u"one\rtwo"); }},
      {"utf-16", [&](const UIDRef& s) { return facade->ImportUTF16At(s, 0, 0, u"one\rtwo", kUpToZero); }},
      {"chars", [&](const UIDRef& s) {
         return facade->ImportCharsAt(s, 0, 0, "<Q>one\rtwo", kUpToZero, TextEncoding::kUtf8);
       }}};
  for (const auto& [name, import] : rows) {
    SCOPED_TRACE(name);
    IDataBase* db = DocumentList::Get().NewDocument();
    UID story = DefaultDocument::GetMainStory(*db);
    EXPECT_EQ(import(UIDRef(db, story)), 0);
    EXPECT_FALSE(StoryComposer::NeedsComposition(db, story));
    const StoryLayout* layout = StoryComposer::GetLayout(db, story);
    ASSERT_TRUE(layout && layout->frames.size() == 1);
    auto frame = Instantiate<ITextFrame>(db, layout->frames[0].frame);
    EXPECT_EQ(frame->GetTextSpan(), Instantiate<ITextModel>(db, story)->TotalLength());
    DocumentList::Get().CloseDocument(db);
  }
}

}  // namespace
}  // namespace kesto
