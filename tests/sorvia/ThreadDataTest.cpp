// Thread data: look-ups in the thread list, what marks a change, names stored translated, the preferences'
// defaults, and every persistent object saved and read back.
#include <gmock/gmock.h>

#include "host/app/ISession.h"
#include "host/db/UndoRecord.h"
#include "sorvia/include/IAutoFlowPrefsData.h"
#include "tests/sorvia/ThreadFixture.h"
#include "tests/support/TempFolder.h"

namespace sorvia_test {
namespace {

using ThreadDataTest = ThreadFixture;

TEST_F(ThreadDataTest, FindByNameTakesTheLastMatchIgnoringCase) {
  UID first = NewNamedThread(u"Body"), empty = NewNamedThread(u""), second = NewNamedThread(u"BODY");
  auto list = QueryThreadList(db_);
  EXPECT_EQ(list->IndexOfThread(second), list->FindThreadByName(u"body"));
  EXPECT_EQ(-1, list->FindThreadByName(u"")) << "even with a thread named ''";
  EXPECT_EQ(-1, list->FindThreadByName(u"Side"));
  EXPECT_EQ(kInvalidUID, list->GetNthThread(3));
  EXPECT_EQ(kInvalidUID, list->GetNthThread(-1));
  EXPECT_FALSE(list->QueryNthThread(7));
  EXPECT_THAT(std::vector<UID>({list->GetNthThread(0), list->GetNthThread(1)}),
              ::testing::ElementsAre(first, empty));
}

TEST_F(ThreadDataTest, UnchangedValuesRecordNoStep) {
  UID thread = NewNamedThread(u"Body");
  auto list = QueryThreadList(db_);
  uint64_t steps = db_->CountRecordedSteps();
  db_->BeginStep("same");
  list->AddThread(thread);
  list->SetDefaultThread(list->GetDefaultThread());
  db_->EndStep();
  EXPECT_EQ(steps, db_->CountRecordedSteps());
  EXPECT_EQ(1, list->GetThreadCount());
}

TEST_F(ThreadDataTest, NamesAreStoredTranslated) {
  auto data = Instantiate<ITextThreadData>(db_, NewNamedThread(u"A672sDT"));
  EXPECT_EQ(u"Default", data->GetName());
  UID made = QueryThreadManager(db_)->GetDefaultThread();
  EXPECT_EQ(u"Default", Instantiate<ITextThreadData>(db_, made)->GetName());
  EXPECT_EQ(made, QueryThreadManager(db_)->GetDefaultThread()) << "made once";
  EXPECT_EQ(-1, QueryThreadList(db_)->IndexOfThread(made)) << "the default is not listed";
}

TEST_F(ThreadDataTest, FreshPreferencesAddPagesAfterTheStory) {
  auto prefs = CreateObject<IAutoFlowPrefsData>(kSetAutoFlowPrefsCmdBoss);
  EXPECT_FALSE(prefs->GetCreateMasterFrames());
  EXPECT_EQ(1, prefs->GetAddPagesMode());
  EXPECT_TRUE(prefs->GetReserved2() && prefs->GetReserved3());
  EXPECT_FALSE(prefs->StoredReserved2() || prefs->StoredReserved3() || prefs->GetReserved4());
}

TEST_F(ThreadDataTest, NewDocumentsStartWithTheApplicationsPreferences) {
  auto application = QueryApplicationWorkspace<IAutoFlowPrefsData>();
  ASSERT_TRUE(application);
  int16_t mode = application->GetAddPagesMode();
  // The application's preferences as read at start-up: no command sets them.
  UntrackedChanges starting(GetExecutionContextSession()->GetSessionDataBase());
  application->SetAddPagesMode(2);
  IDataBase* other = DocumentList::Get().NewDocument();
  EXPECT_EQ(2, Instantiate<IAutoFlowPrefsData>(other, WorkspaceOf(other))->GetAddPagesMode());
  application->SetAddPagesMode(mode);
  DocumentList::Get().CloseDocument(other);
}

TEST_F(ThreadDataTest, EverythingSavedReadsBack) {
  UID fallback = NewNamedThread(u"Main", true);
  std::vector<UID> threads = {NewNamedThread(u"One"), NewNamedThread(u"Two"), NewNamedThread(u"Three")};
  UID frame = ThreadFrame('A', threads[1]);
  ASSERT_EQ(kSuccess, SetStoryOrphan(db_, StoryOf(frame), true));
  auto prefs = Instantiate<IAutoFlowPrefsData>(db_, WorkspaceOf(db_));
  db_->BeginStep("prefs");
  prefs->SetCreateMasterFrames(true);
  prefs->SetAddPagesMode(3);
  prefs->SetReserved1(-7);
  prefs->SetReserved2(true);
  prefs->SetReserved4(true);
  db_->EndStep();
  std::string before = Dump();
  testing_support::TempFolder folder;
  ASSERT_TRUE(DocumentList::Get().SaveDocumentAs(db_, folder / "threads.pgd").ok());
  DocumentList::Get().CloseDocument(db_);
  db_ = nullptr;
  ASSERT_TRUE(DocumentList::Get().OpenDocument(folder / "threads.pgd", db_).ok());
  EXPECT_EQ(before, Dump());
  EXPECT_EQ(fallback, QueryThreadList(db_)->GetDefaultThread());
  prefs = Instantiate<IAutoFlowPrefsData>(db_, WorkspaceOf(db_));
  EXPECT_TRUE(prefs->GetCreateMasterFrames());
  EXPECT_EQ(3, prefs->GetAddPagesMode());
  EXPECT_EQ(-7, prefs->GetReserved1());
  EXPECT_TRUE(prefs->StoredReserved2() && !prefs->StoredReserved3() && prefs->GetReserved4());
}

TEST_F(ThreadDataTest, OpeningRefusesAThreadListThatNamesNoThread) {
  UID thread = NewNamedThread(u"Body");
  auto list = QueryThreadList(db_);
  const std::pair<const char*, std::function<void()>> damages[] = {
      {"a story listed", [&] { list->AddThread(db_->GetRootUID()); }},
      {"a default that is no thread", [&] { list->SetDefaultThread(WorkspaceOf(db_)); }},
      {"the default listed", [&] { list->SetDefaultThread(thread); }},
  };
  for (const auto& [what, damage] : damages) {
    SCOPED_TRACE(what);
    EXPECT_TRUE(DocumentList::Get().CheckOpened(*db_).ok());
    db_->BeginStep("damage");
    damage();
    db_->EndStep();
    EXPECT_EQ(kDamagedDocumentError, DocumentList::Get().CheckOpened(*db_).error);
    ASSERT_EQ(kSuccess, db_->Undo());
  }
}

}  // namespace
}  // namespace sorvia_test
