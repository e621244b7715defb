// Undo and redo restore exactly the earlier stream form of changed objects, and bring back created and
// deleted objects.
#include <gtest/gtest.h>

#include "host/core/CPMUnknown.h"
#include "host/db/DataBase.h"
#include "host/db/MemoryStream.h"
#include "tests/support/TestHost.h"
#include "tests/support/TestObjects.h"

using namespace testing_support;

namespace {

std::vector<uint8_t> StreamForm(IDataBase& db, UID uid) {
  MemoryWriteStream out;
  CPMUnknownBase* impl = db.GetBoss(uid)->GetImplementation(kTestRecordImpl);
  impl->ReadWrite(&out, kTestRecordImpl);
  return out.TakeBytes();
}

class DataBaseUndoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    EnsureHost();
    uid_ = NewRecord(&db_, 1, u"one");
  }
  void Change(int32_t n, const WideString& text, const std::string& name = "Change") {
    db_.BeginStep(name);
    auto record = Instantiate<ITestRecord>(&db_, uid_);
    record->SetNumber(n);
    record->SetText(text);
    db_.EndStep();
  }
  DataBase db_;
  UID uid_;
};

TEST_F(DataBaseUndoTest, UndoRestoresTheEarlierStreamFormAndRedoReappliesIt) {
  std::vector<uint8_t> before = StreamForm(db_, uid_);
  Change(2, u"two and more");
  std::vector<uint8_t> after = StreamForm(db_, uid_);
  ASSERT_NE(before, after);
  ASSERT_TRUE(db_.CanUndo());
  EXPECT_EQ(db_.GetUndoName(), "Change");
  ASSERT_EQ(db_.Undo(), kSuccess);
  EXPECT_EQ(StreamForm(db_, uid_), before);
  EXPECT_EQ(db_.GetRedoName(), "Change");
  ASSERT_EQ(db_.Redo(), kSuccess);
  EXPECT_EQ(StreamForm(db_, uid_), after);
  EXPECT_FALSE(db_.CanRedo());
}

// An object restored from a snapshot hears of it once per undo, redo or rollback, however often it changed.
TEST_F(DataBaseUndoTest, RestoredObjectsAreToldOnce) {
  auto record = Instantiate<ITestRecord>(&db_, uid_);
  Change(2, u"two");
  ASSERT_EQ(db_.Undo(), kSuccess);
  EXPECT_EQ(record->CountRestores(), 1);
  ASSERT_EQ(db_.Redo(), kSuccess);
  EXPECT_EQ(record->CountRestores(), 2);
  db_.BeginStep("Failing");
  size_t mark = db_.Mark();
  record->SetNumber(7);
  db_.RollbackTo(mark);
  db_.EndStep();
  EXPECT_EQ(record->CountRestores(), 3);
  EXPECT_EQ(db_.GetUndoObjects(), std::vector<UID>{uid_});
}

// Logical records play back in order (undo from the last), merge where the record allows it within one
// level, and a rollback plays back only what came after its mark.
TEST_F(DataBaseUndoTest, UndoRecordsPlayBackInOrderAndMergeWithinALevel) {
  struct Appended final : UndoRecord {
    Appended(std::string& log, std::string what) : log_(log), what_(std::move(what)) {}
    void Revert(IDataBase&) override { log_ += "-" + what_; }
    void Reapply(IDataBase&) override { log_ += "+" + what_; }
    bool Absorb(UndoRecord& next) override {
      auto* other = dynamic_cast<Appended*>(&next);
      if (!other || other->what_.front() != what_.front()) return false;
      what_ += other->what_;
      return true;
    }
    UID GetObject() const override { return UID(99); }
    std::string& log_;
    std::string what_;
  };
  std::string log;
  auto add = [&](const char* what) {
    ASSERT_EQ(db_.AddUndoRecord(std::make_unique<Appended>(log, what)), kSuccess);
  };
  EXPECT_EQ(db_.AddUndoRecord(std::make_unique<Appended>(log, "x")), kFailure) << "no step is open";
  db_.BeginStep("Records");
  add("a1");
  size_t mark = db_.Mark();
  add("a2");  // another level: kept apart until the mark is released
  add("b1");
  db_.ReleaseMark(mark);
  mark = db_.Mark();
  add("c1");
  db_.RollbackTo(mark);
  EXPECT_EQ(log, "-c1");
  db_.EndStep();
  log.clear();
  ASSERT_EQ(db_.Undo(), kSuccess);
  ASSERT_EQ(db_.Redo(), kSuccess);
  EXPECT_EQ(log, "-b1-a1a2+a1a2+b1");
  EXPECT_EQ(db_.GetUndoObjects(), std::vector<UID>{UID(99)});
}

TEST_F(DataBaseUndoTest, StepsUndoOneAtATimeAndANewStepDropsTheRedoable) {
  Change(2, u"b", "First");
  Change(3, u"c", "Second");
  ASSERT_EQ(db_.Undo(), kSuccess);
  EXPECT_EQ(NumberOf(&db_, uid_), 2);
  EXPECT_EQ(db_.GetUndoName(), "First");
  Change(4, u"d", "Third");
  EXPECT_FALSE(db_.CanRedo());
  ASSERT_EQ(db_.Undo(), kSuccess);
  ASSERT_EQ(db_.Undo(), kSuccess);
  EXPECT_EQ(NumberOf(&db_, uid_), 1);
  EXPECT_EQ(db_.Undo(), kFailure);
}

TEST_F(DataBaseUndoTest, NestedStepsMakeOneStepNamedByTheOutermost) {
  db_.BeginStep("Outer");
  db_.BeginStep("Inner");
  Instantiate<ITestRecord>(&db_, uid_)->SetNumber(5);
  db_.EndStep();
  Instantiate<ITestRecord>(&db_, uid_)->SetNumber(6);
  EXPECT_FALSE(db_.CanUndo());  // not while a step is open
  db_.EndStep();
  EXPECT_EQ(db_.GetUndoName(), "Outer");
  ASSERT_EQ(db_.Undo(), kSuccess);
  EXPECT_EQ(NumberOf(&db_, uid_), 1);
  EXPECT_FALSE(db_.CanUndo());
}

TEST_F(DataBaseUndoTest, CreationAndDeletionAreUndone) {
  db_.BeginStep("Create");
  UID created = NewRecord(&db_, 9, u"new");
  db_.EndStep();
  db_.BeginStep("Delete");
  ASSERT_EQ(db_.DeleteObject(uid_), kSuccess);
  db_.EndStep();
  EXPECT_FALSE(db_.IsValidUID(uid_));

  ASSERT_EQ(db_.Undo(), kSuccess);
  ASSERT_TRUE(db_.IsValidUID(uid_));
  EXPECT_EQ(Instantiate<ITestRecord>(&db_, uid_)->GetText(), u"one");
  ASSERT_EQ(db_.Undo(), kSuccess);
  EXPECT_FALSE(db_.IsValidUID(created));
  ASSERT_EQ(db_.Redo(), kSuccess);
  EXPECT_EQ(NumberOf(&db_, created), 9);
  ASSERT_EQ(db_.Redo(), kSuccess);
  EXPECT_FALSE(db_.IsValidUID(uid_));
}

TEST_F(DataBaseUndoTest, RollbackToAMarkKeepsEarlierChangesOfTheStep) {
  db_.BeginStep("Partly");
  Instantiate<ITestRecord>(&db_, uid_)->SetNumber(2);
  UID created = NewRecord(&db_, 3, u"kept");
  size_t mark = db_.Mark();
  Instantiate<ITestRecord>(&db_, uid_)->SetNumber(4);
  Instantiate<ITestRecord>(&db_, created)->SetNumber(5);
  UID dropped = NewRecord(&db_, 6, u"dropped");
  ASSERT_EQ(db_.DeleteObject(created), kSuccess);
  db_.RollbackTo(mark);
  db_.EndStep();
  EXPECT_EQ(NumberOf(&db_, uid_), 2);
  EXPECT_EQ(NumberOf(&db_, created), 3);
  EXPECT_FALSE(db_.IsValidUID(dropped));
  ASSERT_EQ(db_.Undo(), kSuccess);
  EXPECT_EQ(NumberOf(&db_, uid_), 1);
  EXPECT_FALSE(db_.IsValidUID(created));
}

TEST_F(DataBaseUndoTest, ReleasedMarksKeepOneSnapshotPerObjectAndRollbacksStillRestore) {
  db_.BeginStep("Many");
  size_t outer = db_.Mark();  // a sequence
  for (int32_t n = 2; n <= 50; ++n) {
    size_t inner = db_.Mark();  // a command
    Instantiate<ITestRecord>(&db_, uid_)->SetNumber(n);
    db_.ReleaseMark(inner);
  }
  EXPECT_EQ(db_.CountOpenChanges(), 1u);
  // A command that fails after the others is rolled back to its own mark.
  size_t failing = db_.Mark();
  Instantiate<ITestRecord>(&db_, uid_)->SetNumber(99);
  db_.RollbackTo(failing);
  EXPECT_EQ(NumberOf(&db_, uid_), 50);
  // Aborting the sequence restores the state before it.
  db_.RollbackTo(outer);
  EXPECT_EQ(NumberOf(&db_, uid_), 1);
  db_.EndStep();
  EXPECT_FALSE(db_.CanUndo());
}

TEST_F(DataBaseUndoTest, ReleasingIntoAStepUndoesToTheEarliestState) {
  db_.BeginStep("Released");
  UID created = kInvalidUID;
  for (int32_t n = 2; n <= 4; ++n) {
    size_t mark = db_.Mark();
    Instantiate<ITestRecord>(&db_, uid_)->SetNumber(n);
    if (n == 2) created = NewRecord(&db_, 7, u"made");
    Instantiate<ITestRecord>(&db_, created)->SetNumber(n * 10);
    db_.ReleaseMark(mark);
  }
  db_.EndStep();
  EXPECT_EQ(NumberOf(&db_, created), 40);
  ASSERT_EQ(db_.Undo(), kSuccess);
  EXPECT_EQ(NumberOf(&db_, uid_), 1);
  EXPECT_FALSE(db_.IsValidUID(created));
  ASSERT_EQ(db_.Redo(), kSuccess);
  EXPECT_EQ(NumberOf(&db_, uid_), 4);
  EXPECT_EQ(NumberOf(&db_, created), 40);
}

TEST_F(DataBaseUndoTest, AHolderOfADeletedObjectKeepsItAlive) {
  auto record = Instantiate<ITestRecord>(&db_, uid_);
  ASSERT_EQ(db_.DeleteObject(uid_), kSuccess);
  EXPECT_EQ(record->GetNumber(), 1);
  EXPECT_EQ(record->GetBoss()->GetHome(), nullptr);
  EXPECT_EQ(db_.DeleteObject(uid_), kInvalidParameterError);
}

TEST_F(DataBaseUndoTest, EmptyStepsAreNotRecorded) {
  db_.BeginStep("Nothing");
  db_.EndStep();
  EXPECT_FALSE(db_.CanUndo());
}

}  // namespace
