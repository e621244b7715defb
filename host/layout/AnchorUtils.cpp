// Anchored items and their stories.
#include "host/layout/AnchorUtils.h"

#include <algorithm>

#include "host/layout/LayoutEdits.h"
#include "host/layout/LayoutUtils.h"
#include "host/text/IStoryList.h"

namespace AnchorUtils {

namespace {

// Anchors inside anchored frames inside anchored frames ...: deeper than this is not followed.
constexpr int kMaxNesting = 32;

bool ItemHoldsFrameOf(const IDataBase* db, UID item, UID story) {
  std::vector<UID> tree = LayoutUtils::ItemTree(db, item);
  return std::any_of(tree.begin(), tree.end(), [&](UID uid) {
    return LayoutUtils::IsTextFrame(db, uid) && LayoutUtils::StoryOfFrame(db, uid) == story;
  });
}

// The top of the hierarchy above `uid`: a spread, or an anchored item (or group) that holds it.
UID Outermost(const IDataBase* db, UID uid) {
  for (int depth = 0; depth < kMaxNesting; ++depth) {
    auto node = Instantiate<IHierarchy>(db, uid);
    if (!node || !node->GetParent().IsValid()) break;
    uid = node->GetParent();
  }
  return uid;
}

}  // namespace

InterfacePtr<IStoryAnchors> QueryAnchors(const IDataBase* db, UID story) {
  return story.IsValid() ? Instantiate<IStoryAnchors>(db, story) : InterfacePtr<IStoryAnchors>();
}

UID StoryOfItem(const IDataBase* db, UID item) {
  auto stories = Instantiate<IStoryList>(db, db->GetRootUID());
  for (int32_t i = 0; stories && i < stories->CountStories(); ++i) {
    UID story = stories->GetNthStory(i);
    auto anchors = QueryAnchors(db, story);
    if (!anchors) continue;
    for (const Anchor& anchor : anchors->GetAnchors()) {
      if (anchor.item == item) return story;
    }
  }
  return kInvalidUID;
}

bool WouldNest(const IDataBase* db, UID item, UID story) {
  // The stories that show `story`: itself, the stories its frames are anchored in, and theirs.
  std::vector<UID> stories{story};
  for (size_t i = 0; i < stories.size() && i < kMaxNesting; ++i) {
    if (ItemHoldsFrameOf(db, item, stories[i])) return true;
    auto list = Instantiate<IFrameList>(db, LayoutUtils::FrameListOfStory(db, stories[i]));
    for (int32_t f = 0; list && f < list->CountFrames(); ++f) {
      UID outer = StoryOfItem(db, Outermost(db, list->GetNthFrame(f)));
      if (outer.IsValid() && std::find(stories.begin(), stories.end(), outer) == stories.end())
        stories.push_back(outer);
    }
  }
  return false;
}

void Unanchor(IDataBase* db, UID item) {
  if (auto anchors = QueryAnchors(db, StoryOfItem(db, item))) anchors->RemoveAnchor(item);
}

void FollowTextEdit(IDataBase* db, UID story, int32_t position, int32_t deleted, int32_t inserted) {
  auto anchors = QueryAnchors(db, story);
  if (!anchors || anchors->GetAnchors().empty()) return;
  LayoutEdits::Deleted gone;
  for (UID item : anchors->NoteTextEdit(position, deleted, inserted)) {
    if (db->IsValidUID(item)) (void)LayoutEdits::DeleteItem(db, item, gone);
  }
}

}  // namespace AnchorUtils
