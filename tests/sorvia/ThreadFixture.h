// ThreadFixture: a document with Sorvia registered: three pages based on master C, which is based on B,
// based on A; one-call commands and thread operations; a dump of every thread fact (to compare states
// before and after undo or saving); and an observer of one subject's changes.
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "host/app/DefaultDocument.h"
#include "host/app/DocumentList.h"
#include "host/cmd/CmdUtils.h"
#include "host/cmd/ErrorUtils.h"
#include "host/core/ObjectModel.h"
#include "host/core/Registry.h"
#include "host/layout/LayoutCmdUtils.h"
#include "host/layout/LayoutUtils.h"
#include "host/notify/ISubject.h"
#include "host/text/IStoryList.h"
#include "sorvia/SorviaPlugIn.h"
#include "sorvia/ThreadFunctions.h"
#include "sorvia/ThreadQueries.h"
#include "sorvia/include/IThreadStoryData.h"
#include "tests/support/TestHost.h"
#include "tests/support/TestObjects.h"

namespace sorvia_test {

using namespace sorvia;

class ThreadFixture : public ::testing::Test {
 public:  // for the tables of operations
  void SetUp() override {
    testing_support::EnsureHost();
    SorviaPlugIn plugIn;
    ASSERT_EQ(kSuccess, plugIn.Register(Registry::Get()));
    NewLayoutOptions o;
    o.pages = 3;
    o.mainFrame = false;
    o.masters = {{u"A", u"Base", {}}, {u"B", u"Middle", u"A"}, {u"C", u"Top", u"B"}};
    ASSERT_EQ(kSuccess, DefaultDocument::SetNewLayoutOptions(o));
    db_ = DocumentList::Get().NewDocument();
    ASSERT_NE(nullptr, db_);
    for (int32_t i = 0; i < 3; ++i)
      ASSERT_EQ(kSuccess, Run(kApplyMasterCmdBoss, {Page(i)}, {.target = Master('C')}));
    db_->ClearUndo();
  }
  void TearDown() override {
    ErrorUtils::PMSetGlobalErrorCode(kSuccess);
    if (db_) DocumentList::Get().CloseDocument(db_);
    (void)DefaultDocument::SetNewLayoutOptions(NewLayoutOptions());
  }

  ErrorCode Run(ClassID cls, std::vector<UID> items, const LayoutParams& params = {},
                std::vector<UID>* made = nullptr) {
    return LayoutCmdUtils::Process(cls, db_, items, params, made);
  }
  UID Page(int32_t index) const { return LayoutUtils::PageAt(db_, index); }
  UID Master(char prefix) const { return LayoutUtils::FindMasterSpread(db_, std::u16string(1, prefix)); }
  UID MasterPage(char prefix) const { return LayoutUtils::PageAt(db_, 3 + (prefix - 'A')); }
  // A text frame on `spread` (a master spread by default: A).
  UID Frame(UID spread, PMRect bounds = {36, 36, 300, 400}) {
    std::vector<UID> made;
    EXPECT_EQ(kSuccess, Run(kCreateTextFrameCmdBoss, {}, {.bounds = bounds, .target = spread}, &made));
    return made.empty() ? kInvalidUID : made[0];
  }
  UID StoryOf(UID frame) const { return ThreadQueries::StoryOfItem(db_, frame); }
  UID NewNamedThread(const std::u16string& name, bool makeDefault = false) {
    UID made;
    EXPECT_EQ(kSuccess, NewThread(db_, name, makeDefault, made));
    return made;
  }
  // A master frame on master `prefix` whose story carries `thread`.
  UID ThreadFrame(char prefix, UID thread, PMRect bounds = {36, 36, 300, 400}) {
    UID frame = Frame(Master(prefix), bounds);
    EXPECT_EQ(kSuccess, SetStoryThread(db_, StoryOf(frame), thread, false));
    return frame;
  }

  // Every thread fact: the list, the names, and each story's thread, orphan flag and frames.
  std::string Dump() const {
    std::ostringstream out;
    auto list = QueryThreadList(db_);
    out << "default " << list->GetDefaultThread().Get() << "\n";
    for (int32_t i = 0; i < list->GetThreadCount(); ++i)
      out << "thread " << list->GetNthThread(i).Get() << "\n";
    for (UID uid : db_->GetAllUIDs()) {
      if (auto data = Instantiate<ITextThreadData>(db_, uid))
        out << uid.Get() << " named " << Utf8FromWide(data->GetName()) << "\n";
      auto frames = Instantiate<IFrameList>(db_, uid);
      if (!frames) continue;
      out << "story " << uid.Get() << " thread " << Instantiate<IThreadReference>(db_, uid)->Get().Get()
          << " orphan " << Instantiate<IThreadOrphan>(db_, uid)->Get() << " frames";
      for (int32_t i = 0; i < frames->CountFrames(); ++i)
        out << " " << frames->GetNthFrame(i).Get();
      out << "\n";
    }
    return out.str();
  }

  IDataBase* db_ = nullptr;
};

// Logs "change/protocol" for each change `subject` sends on `protocol` while it lives.
class ChangeLog {
 public:
  ChangeLog(IDataBase* db, UID subject, PMIID protocol)
      : subject_(Instantiate<ISubject>(db, subject)),
        observer_(CreateObject<IObserver>(testing_support::kTestObserverBoss)),
        protocol_(protocol) {
    if (subject_) subject_->AttachObserver(observer_.get(), protocol_);
  }
  ~ChangeLog() {
    if (subject_) subject_->DetachObserver(observer_.get(), protocol_);
  }
  std::vector<std::string> Entries() const {
    InterfacePtr<testing_support::ITestLog> log(observer_, UseDefaultIID());
    return log->entries;
  }

 private:
  InterfacePtr<ISubject> subject_;
  InterfacePtr<IObserver> observer_;
  PMIID protocol_;
};

}  // namespace sorvia_test
