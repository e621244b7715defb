// The frame-order command: a story's frames in a new order, refused unless the order names each frame of
// the story once; undo gives the old order back.
#include "host/layout/FrameOrderIDs.h"
#include "tests/host/layout/LayoutFixture.h"

namespace layout_test {
namespace {

using FrameOrderTest = SampleFixture;

TEST_F(FrameOrderTest, ANewOrderNamesEveryFrameOfTheStoryOnce) {
  const struct {
    const char* name;
    std::vector<UID> order;
  } refused[] = {
      {"a frame missing", {second_}},
      {"a frame twice", {second_, first_, first_}},
      {"a frame of another story", {second_, masterFrame_}},
      {"no text frame", {rect_, first_}},
  };
  for (const auto& c : refused) {
    SCOPED_TRACE(c.name);
    EXPECT_TRUE(Refused(Run(kSetFrameOrderCmdBoss, c.order)));
    EXPECT_EQ((std::vector<UID>{first_, second_}), FramesOf(FirstStory()));
  }
  ASSERT_EQ(kSuccess, Run(kSetFrameOrderCmdBoss, {second_, first_}));
  EXPECT_EQ((std::vector<UID>{second_, first_}), FramesOf(FirstStory()));
  auto list = Instantiate<IFrameList>(db_, LayoutUtils::FrameListOfStory(db_, FirstStory()));
  EXPECT_EQ(0, list->GetFirstDamagedFrame());
  ASSERT_EQ(kSuccess, CmdUtils::Undo(db_));
  EXPECT_EQ((std::vector<UID>{first_, second_}), FramesOf(FirstStory()));
}

}  // namespace
}  // namespace layout_test
