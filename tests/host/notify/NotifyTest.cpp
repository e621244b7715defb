// Observers see the before and after messages around each command, per protocol; responders answer
// document signals.
#include <gtest/gtest.h>

#include "host/app/DocumentList.h"
#include "host/cmd/ErrorUtils.h"
#include "host/core/ObjectModel.h"
#include "host/core/Registry.h"
#include "host/core/ServiceRegistry.h"
#include "host/notify/IResponder.h"
#include "host/notify/ISubject.h"
#include "tests/support/TestHost.h"
#include "tests/support/TestObjects.h"

using namespace testing_support;

namespace {

constexpr PMIID kOtherProtocol = kTestPrefix + 0x50;

class NotifyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureHost();
    db_ = DocumentList::Get().NewDocument();
    uid_ = NewRecord(db_, 1, u"");
    observer_ = CreateObject<IObserver>(kTestObserverBoss);
    subject_ = Instantiate<ISubject>(db_, db_->GetRootUID());
  }
  void TearDown() override {
    subject_->DetachObserver(observer_.get(), IID_ICOMMANDMGR);
    subject_->DetachObserver(observer_.get(), kOtherProtocol);
    DocumentList::Get().CloseDocument(db_);
  }
  std::vector<std::string>& Log() { return InterfacePtr<ITestLog>(observer_, UseDefaultIID())->entries; }
  IDataBase* db_;
  UID uid_;
  InterfacePtr<IObserver> observer_;
  InterfacePtr<ISubject> subject_;
};

TEST_F(NotifyTest, ObserversSeeBeforeAndAfterMessagesOfEachCommand) {
  subject_->AttachObserver(observer_.get(), IID_ICOMMANDMGR);
  subject_->AttachObserver(observer_.get(), IID_ICOMMANDMGR);  // twice attaches once
  ASSERT_EQ(SetRecord(db_, uid_, 2, u""), kSuccess);
  std::string protocol = "/" + std::to_string(IID_ICOMMANDMGR.Get());
  EXPECT_EQ(Log(), (std::vector<std::string>{"4101" + protocol, "4102" + protocol}));
}

// Whoever saw the before message hears how it ended: one after message, the command's state says failed.
TEST_F(NotifyTest, AFailedCommandStillHasOneAfterMessage) {
  subject_->AttachObserver(observer_.get(), IID_ICOMMANDMGR);
  EXPECT_EQ(SetRecord(db_, uid_, 2, u"", kFailure), kFailure);
  std::string protocol = "/" + std::to_string(IID_ICOMMANDMGR.Get());
  EXPECT_EQ(Log(), (std::vector<std::string>{"4101" + protocol, "4102" + protocol}));
}

TEST_F(NotifyTest, ChangesReachOnlyTheProtocolAttachedForAndStopAfterDetach) {
  subject_->AttachObserver(observer_.get(), kOtherProtocol);
  subject_->Change(1234, kOtherProtocol);
  subject_->Change(1235, IID_ICOMMANDMGR);
  subject_->DetachObserver(observer_.get(), kOtherProtocol);
  subject_->Change(1236, kOtherProtocol);
  EXPECT_EQ(Log(), (std::vector<std::string>{"1234/" + std::to_string(kOtherProtocol.Get())}));
  EXPECT_FALSE(subject_->IsAttached(observer_.get(), kOtherProtocol));
}

// A responder that counts the signals it receives.
int newSignals = 0, openSignals = 0, saveAsSignals = 0;
class CountingResponder final : public CPMUnknown<IResponder> {
 public:
  explicit CountingResponder(Boss* boss) : CPMUnknown(boss) {}
  std::vector<ClassID> GetSignals(ServiceID) const override {
    return {kAfterNewDocSignal, kAfterOpenDocSignal, kAfterSaveAsDocSignal};
  }
  void Respond(const SignalData& signal) override {
    EXPECT_TRUE(signal.document.IsValid());
    if (signal.signal == kAfterNewDocSignal) ++newSignals;
    if (signal.signal == kAfterOpenDocSignal) ++openSignals;
    if (signal.signal == kAfterSaveAsDocSignal) ++saveAsSignals;
  }
};

TEST(ResponderTest, RespondersAnswerNewOpenAndSaveAs) {
  EnsureHost();
  constexpr ClassID kResponderBoss = kTestPrefix + 0x60;
  ASSERT_EQ(Registry::Get().RegisterImplementation<CountingResponder>(kTestPrefix + 0x60), kSuccess);
  ASSERT_EQ(Registry::Get().RegisterClass(kResponderBoss, kInvalidClass, "responder",
                                          {{IID_IRESPONDER, kTestPrefix + 0x60}}),
            kSuccess);
  ASSERT_EQ(ServiceRegistry::Get().Register(kDocumentSignalService, kResponderBoss), kSuccess);
  IDataBase* db = DocumentList::Get().NewDocument();
  EXPECT_EQ(newSignals, 1);
  auto path = std::filesystem::temp_directory_path() / ("signals-" + std::to_string(::getpid()) + ".pgd");
  ASSERT_TRUE(DocumentList::Get().SaveDocumentAs(db, path).ok());
  EXPECT_EQ(saveAsSignals, 1);
  IDataBase* reopened = nullptr;
  ASSERT_TRUE(DocumentList::Get().OpenDocument(path, reopened).ok());
  EXPECT_EQ(openSignals, 1);
  DocumentList::Get().CloseDocument(db);
  DocumentList::Get().CloseDocument(reopened);
  std::filesystem::remove(path);
}

}  // namespace
