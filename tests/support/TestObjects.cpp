// Test objects for the host tests.
#include "tests/support/TestObjects.h"

#include <optional>

#include "host/cmd/CmdUtils.h"
#include "host/cmd/ErrorUtils.h"
#include "host/core/HostIDs.h"
#include "host/core/Registry.h"

namespace testing_support {
namespace {

class TestRecord final : public CPMUnknown<ITestRecord> {
 public:
  explicit TestRecord(Boss* boss) : CPMUnknown(boss) {}
  int32_t GetNumber() const override { return number_; }
  void SetNumber(int32_t n) override {
    if (PreDirty() != kSuccess) return;
    number_ = n;
  }
  const WideString& GetText() const override { return text_; }
  void SetText(const WideString& text) override {
    if (PreDirty() != kSuccess) return;
    text_ = text;
  }
  void ReadWrite(IPMStream* s, ImplementationID) override {
    s->XferInt32(number_);
    s->XferString(text_);
  }
  void DidRestore() override { ++restores_; }
  int32_t CountRestores() const override { return restores_; }

 private:
  int32_t number_ = 0;
  WideString text_;
  int32_t restores_ = 0;
};

class SetRecordData final : public CPMUnknown<ISetRecordData> {
 public:
  explicit SetRecordData(Boss* boss) : CPMUnknown(boss) {}
};

class SetRecordCmd final : public Command {
 public:
  explicit SetRecordCmd(Boss* boss) : Command(boss) {}

 protected:
  void Do() override {
    InterfacePtr<ISetRecordData> data(this, UseDefaultIID());
    for (UID uid : GetItemList()) {
      auto record = Instantiate<ITestRecord>(GetItemList().GetDataBase(), uid);
      if (!record) {
        ErrorUtils::PMSetGlobalErrorCode(kInvalidParameterError);
        return;
      }
      record->SetNumber(data->number);
      record->SetText(data->text);
    }
    if (data->failWith != kSuccess) ErrorUtils::PMSetGlobalErrorCode(data->failWith);
  }
  std::string CreateName() const override { return "Set Record"; }
};

class TestObserver final : public CPMUnknown<IObserver> {
 public:
  explicit TestObserver(Boss* boss) : CPMUnknown(boss) {}
  void Update(ClassID change, ISubject*, PMIID protocol, void*) override {
    InterfacePtr<ITestLog> log(this, UseDefaultIID());
    log->entries.push_back(std::to_string(change.Get()) + "/" + std::to_string(protocol.Get()));
  }
};

class TestLog final : public CPMUnknown<ITestLog> {
 public:
  explicit TestLog(Boss* boss) : CPMUnknown(boss) {}
};

constexpr ImplementationID kTestLogImpl = kTestPrefix + 5;

}  // namespace

void RegisterTestClasses() {
  Registry& r = Registry::Get();
  if (r.IsClassRegistered(kTestRecordBoss)) return;
  (void)r.RegisterImplementation<TestRecord>(kTestRecordImpl, true);
  (void)r.RegisterImplementation<SetRecordCmd>(kSetRecordCmdImpl);
  (void)r.RegisterImplementation<SetRecordData>(kSetRecordDataImpl);
  (void)r.RegisterImplementation<TestObserver>(kTestObserverImpl);
  (void)r.RegisterImplementation<TestLog>(kTestLogImpl);
  (void)r.RegisterClass(kTestRecordBoss, kInvalidClass, "kTestRecordBoss",
                        {{IID_ITESTRECORD, kTestRecordImpl}, {IID_ISUBJECT, kSubjectImpl}});
  (void)r.RegisterClass(kDerivedRecordBoss, kTestRecordBoss, "kDerivedRecordBoss", {});
  (void)r.RegisterClass(kSetRecordCmdBoss, kInvalidClass, "kSetRecordCmdBoss",
                        {{IID_ICOMMAND, kSetRecordCmdImpl}, {IID_ISETRECORDDATA, kSetRecordDataImpl}});
  (void)r.RegisterClass(kTestObserverBoss, kInvalidClass, "kTestObserverBoss",
                        {{IID_IOBSERVER, kTestObserverImpl}, {IID_ITESTLOG, kTestLogImpl}});
}

UID NewRecord(IDataBase* db, int32_t number, const WideString& text) {
  // Outside a command the record is built, as a new document's content is; inside one it is undoable.
  std::optional<UntrackedChanges> building;
  if (!db->IsInStep()) building.emplace(db);
  UID uid = db->NewObject(kTestRecordBoss);
  auto record = Instantiate<ITestRecord>(db, uid);
  record->SetNumber(number);
  record->SetText(text);
  return uid;
}

ErrorCode SetRecord(IDataBase* db, UID uid, int32_t number, const WideString& text, ErrorCode failWith) {
  InterfacePtr<ICommand> cmd = CmdUtils::CreateCommand(kSetRecordCmdBoss);
  cmd->SetItemList(UIDList(db, {uid}));
  InterfacePtr<ISetRecordData> data(cmd, UseDefaultIID());
  data->number = number;
  data->text = text;
  data->failWith = failWith;
  ErrorCode result = CmdUtils::ProcessCommand(cmd.get());
  ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  return result;
}

int32_t NumberOf(IDataBase* db, UID uid) {
  auto record = Instantiate<ITestRecord>(db, uid);
  return record ? record->GetNumber() : -1;
}

}  // namespace testing_support
