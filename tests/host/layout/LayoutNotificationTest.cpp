// What observers of a document hear from the layout commands: before and exactly one after message per
// command (also failed, nested, scheduled, and processed from inside an observer), undo and redo messages
// instead of the commands', and the changes with their data.
#include <gmock/gmock.h>

#include "host/cmd/ICommand.h"
#include "host/layout/ILayoutCmdData.h"
#include "tests/host/layout/LayoutFixture.h"

namespace layout_test {
namespace {

class LayoutNotificationTest : public SampleFixture {
 protected:
  void SetUp() override {
    SampleFixture::SetUp();
    recorder_.Attach(db_);
  }
  void TearDown() override {
    recorder_.Detach();
    SampleFixture::TearDown();
  }
  void Record(const NotificationRecord& r) {
    records_.push_back(r);
    if (onRecord_) onRecord_(r);
  }
  // Every before has exactly one after, properly nested.
  ::testing::AssertionResult Paired() const {
    std::vector<ClassID> open;
    for (const NotificationRecord& r : records_) {
      if (r.role == "before") open.push_back(r.cls);
      if (r.role != "after") continue;
      if (open.empty() || open.back() != r.cls)
        return ::testing::AssertionFailure() << "an after of class " << r.cls.Get() << " without its before";
      open.pop_back();
    }
    if (!open.empty()) return ::testing::AssertionFailure() << open.size() << " befores without an after";
    return ::testing::AssertionSuccess();
  }
  size_t Find(const std::string& role, ClassID cls, size_t from = 0) const {
    for (size_t i = from; i < records_.size(); ++i) {
      if (records_[i].role == role && records_[i].cls == cls) return i;
    }
    return records_.size();
  }

  std::vector<NotificationRecord> records_;
  std::function<void(const NotificationRecord&)> onRecord_;
  NotificationRecorder recorder_{[this](const NotificationRecord& r) { Record(r); }};
};

TEST_F(LayoutNotificationTest, ACommandIsBracketedAndAnnouncesItsChanges) {
  std::vector<UID> made;
  ASSERT_EQ(Run(kCreateTextFrameCmdBoss, {}, {.bounds = {1, 2, 3, 4}, .target = Page(0)}, &made), kSuccess);
  EXPECT_TRUE(Paired());
  ASSERT_FALSE(records_.empty());
  EXPECT_EQ(records_.front().role, "before");
  EXPECT_EQ(records_.front().cls, kCreateTextFrameCmdBoss);
  EXPECT_EQ(records_.back().role, "after");
  EXPECT_FALSE(records_.back().failed);
  EXPECT_EQ(records_.back().items, made);
  size_t created = Find("change", kItemsCreatedChange);
  ASSERT_LT(created, records_.size());
  EXPECT_EQ(records_[created].items, made);
  size_t listed = Find("change", kFrameListChange);
  ASSERT_LT(listed, records_.size());
  EXPECT_EQ(records_[listed].protocol, IID_IFRAMELIST);
  // The new story was made by the story command, nested inside.
  EXPECT_LT(Find("before", kNewStoryCmdBoss), Find("after", kNewStoryCmdBoss));
  EXPECT_LT(Find("change", kCreateTextFrameCmdBoss), records_.size() - 1);
}

TEST_F(LayoutNotificationTest, AFailedCommandSaysSoInItsOneAfterMessageAndAnnouncesNothing) {
  EXPECT_TRUE(Refused(Run(kDeletePagesCmdBoss, {Page(0), Page(1), Page(2), Page(3)})));
  ASSERT_EQ(records_.size(), 2u);
  EXPECT_EQ(records_[0].role, "before");
  EXPECT_EQ(records_[1].role, "after");
  EXPECT_TRUE(records_[1].failed);
  EXPECT_EQ(records_[1].cls, kDeletePagesCmdBoss);
}

TEST_F(LayoutNotificationTest, NestedScheduledAndObserverCommandsArePairedToo) {
  ASSERT_EQ(Run(kInsertPagesCmdBoss, {}, {.target = Spread(0), .count = 1, .flag = true}), kSuccess);
  EXPECT_LT(Find("before", kShufflePagesCmdBoss), Find("after", kInsertPagesCmdBoss));
  EXPECT_LT(Find("change", kPagesShuffledChange), Find("after", kShufflePagesCmdBoss));
  InterfacePtr<ICommand> scheduled = CmdUtils::CreateCommand(kLockItemsCmdBoss);
  scheduled->SetItemList(UIDList(db_, {rect_}));
  ASSERT_EQ(CmdUtils::ScheduleCommand(scheduled.get()), kSuccess);
  ASSERT_EQ(CmdUtils::ProcessScheduledCmds(), kSuccess);
  EXPECT_LT(Find("before", kLockItemsCmdBoss), Find("after", kLockItemsCmdBoss));
  // An observer that answers a move with a label.
  onRecord_ = [this](const NotificationRecord& r) {
    if (r.role == "after" && r.cls == kMoveItemsCmdBoss) {
      onRecord_ = nullptr;
      EXPECT_EQ(Run(kSetLabelCmdBoss, {rect_}, {.name = u"moved"}), kSuccess);
    }
  };
  ASSERT_EQ(Run(kMoveItemsCmdBoss, {rect_}, {.dx = 1}), kSuccess);
  EXPECT_LT(Find("after", kMoveItemsCmdBoss), Find("before", kSetLabelCmdBoss));
  EXPECT_TRUE(Paired());
}

TEST_F(LayoutNotificationTest, UndoAndRedoSendTheirOwnMessagesOnly) {
  ASSERT_EQ(Run(kMoveItemsCmdBoss, {rect_}, {.dx = 1}), kSuccess);
  records_.clear();
  ASSERT_EQ(CmdUtils::Undo(db_), kSuccess);
  ASSERT_EQ(CmdUtils::Redo(db_), kSuccess);
  std::vector<std::string> roles;
  for (const auto& r : records_)
    roles.push_back(r.role);
  EXPECT_EQ(roles, (std::vector<std::string>{"before-undo", "after-undo", "before-redo", "after-redo"}));
  // Observers count commands on both of the host's command message pairs; undo and redo are on neither.
  for (const auto& r : records_)
    EXPECT_THAT((std::vector<int32_t>{4101, 4102, 4109, 4110}),
                ::testing::Not(::testing::Contains(r.cls.Get())));
  EXPECT_TRUE(std::count(records_[0].items.begin(), records_[0].items.end(), rect_));
}

TEST_F(LayoutNotificationTest, ALinkIsAnnouncedBeforeTheStoriesMerge) {
  UID third = Frame(Spread(2), {50, 50, 300, 300});
  UID d = FirstStory();
  UID s = LayoutUtils::StoryOfFrame(db_, third);
  bool checked = false;
  onRecord_ = [&](const NotificationRecord& r) {
    if (r.role != "change" || r.cls != kFramesLinkedChange) return;
    checked = true;
    EXPECT_EQ(r.items, (std::vector<UID>{second_, third}));
    EXPECT_EQ(LayoutUtils::StoryOfFrame(db_, second_), d);
    EXPECT_EQ(LayoutUtils::StoryOfFrame(db_, third), s);
  };
  records_.clear();
  ASSERT_EQ(Run(kTextLinkCmdBoss, {second_, third}), kSuccess);
  EXPECT_TRUE(checked);
  EXPECT_EQ(std::count_if(records_.begin(), records_.end(),
                          [](const NotificationRecord& r) {
                            return r.cls == kFramesLinkedChange && r.role == "change";
                          }),
            1);
  EXPECT_LT(Find("change", kFramesLinkedChange), Find("before", kInsertTextCmdBoss));
  EXPECT_LT(Find("before", kDeleteStoryCmdBoss), Find("change", kStoryGivenUpChange));
  EXPECT_TRUE(Paired());
}

TEST_F(LayoutNotificationTest, AnObserverOfTheBeforeMessageMayChangeTheParameters) {
  onRecord_ = [](const NotificationRecord& r) {
    if (r.role == "before" && r.cls == kSetPrimaryTextFlowCmdBoss)
      InterfacePtr<ILayoutCmdData>(r.command, UseDefaultIID())->Params().flag = false;
  };
  ASSERT_EQ(Run(kSetPrimaryTextFlowCmdBoss, {MainStory()}, {.flag = true}), kSuccess);
  EXPECT_FALSE(Instantiate<IStoryFrames>(db_, MainStory())->IsPrimaryTextFlow());
}

TEST_F(LayoutNotificationTest, OverridesAndCopiesCarryTheirEntries) {
  ASSERT_EQ(Run(kOverrideMasterItemsCmdBoss, {masterFrame_}, {.pages = {Page(2)}}), kSuccess);
  size_t overridden = Find("change", kMasterItemsOverriddenChange);
  ASSERT_LT(overridden, records_.size());
  auto entries = Instantiate<IPage>(db_, Page(2))->GetOverrides();
  EXPECT_EQ(records_[overridden].items, (std::vector<UID>{entries[0].localItem}));
  size_t copied = Find("change", kStoryCopiedChange);
  ASSERT_LT(copied, records_.size());
  EXPECT_EQ(records_[copied].items, (std::vector<UID>{LayoutUtils::StoryOfFrame(db_, entries[0].localItem)}));
  // An observer clears what a copied story took over before it hears which items copy which.
  EXPECT_LT(copied, Find("change", kItemsCopiedChange));
}

TEST_F(LayoutNotificationTest, ANewDocumentListsItsMastersThenAppliesThem) {
  records_.clear();
  DefaultDocument::AnnounceNewDocument(*db_, db_->GetRootUID());
  ASSERT_GE(records_.size(), 3u);
  EXPECT_EQ(records_[0].cls, kMasterSpreadsListedChange);
  EXPECT_EQ(records_[0].items, (std::vector<UID>{masterA_, masterB_}));
  EXPECT_EQ(records_[1].role, "before");
  EXPECT_EQ(records_[1].cls, kApplyMasterCmdBoss);
  EXPECT_EQ(records_[1].items, LayoutUtils::DocumentPages(db_));
  EXPECT_TRUE(Paired());
}

}  // namespace
}  // namespace layout_test
