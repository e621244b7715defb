// Anchored items and their stories.
#include "host/layout/AnchorUtils.h"

#include <algorithm>
#include <unordered_set>

#include "host/layout/HyperlinkUtils.h"
#include "host/layout/LayoutEdits.h"
#include "host/layout/LayoutUtils.h"
#include "host/text/IStoryList.h"

namespace AnchorUtils {

namespace {

// Each anchored item with the story it is anchored in.
using AnchorMap = std::unordered_map<UID, UID>;

AnchorMap AnchoredItems(const IDataBase* db) {
  AnchorMap anchored;
  auto stories = Instantiate<IStoryList>(db, db->GetRootUID());
  for (int32_t i = 0; stories && i < stories->CountStories(); ++i) {
    UID story = stories->GetNthStory(i);
    auto anchors = QueryAnchors(db, story);
    for (const Anchor& anchor : anchors ? anchors->GetAnchors() : std::vector<Anchor>())
      anchored.emplace(anchor.item, story);
  }
  return anchored;
}

// The stories that show `story`: those in whose text items holding its frames are anchored.
std::vector<UID> StoriesShowing(const IDataBase* db, const AnchorMap& anchored, UID story) {
  std::vector<UID> outer;
  auto list = Instantiate<IFrameList>(db, LayoutUtils::FrameListOfStory(db, story));
  for (int32_t f = 0; list && f < list->CountFrames(); ++f) {
    auto found = anchored.find(LayoutUtils::TopOfItem(db, list->GetNthFrame(f)));
    if (found != anchored.end() && std::find(outer.begin(), outer.end(), found->second) == outer.end())
      outer.push_back(found->second);
  }
  return outer;
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

bool IsInAnchoredItem(const IDataBase* db, UID item) {
  return LayoutUtils::IsPageItem(db, LayoutUtils::TopOfItem(db, item));
}

bool WouldNest(const IDataBase* db, UID item, UID story) {
  std::unordered_set<UID> inItem;
  for (UID uid : LayoutUtils::ItemTree(db, item)) {
    if (LayoutUtils::IsTextFrame(db, uid)) inItem.insert(LayoutUtils::StoryOfFrame(db, uid));
  }
  if (inItem.empty()) return false;
  // Every story that shows `story`, each visited once: the walk ends within the document's stories.
  AnchorMap anchored = AnchoredItems(db);
  std::vector<UID> todo{story};
  std::unordered_set<UID> seen{story};
  while (!todo.empty()) {
    UID at = todo.back();
    todo.pop_back();
    if (inItem.contains(at)) return true;
    for (UID outer : StoriesShowing(db, anchored, at)) {
      if (seen.insert(outer).second) todo.push_back(outer);
    }
  }
  return false;
}

UID FindNestedStory(const IDataBase* db) {
  auto stories = Instantiate<IStoryList>(db, db->GetRootUID());
  AnchorMap anchored = AnchoredItems(db);
  // Depth first along "is shown in", with a stack of its own: a story met again while it is still on the
  // path is shown inside itself. Each story is finished once, so the walk is linear in the frames.
  enum class Mark { kOnPath, kFinished };
  std::unordered_map<UID, Mark> marks;
  std::vector<std::pair<UID, std::vector<UID>>> path;
  auto enter = [&](UID story) {
    marks[story] = Mark::kOnPath;
    path.emplace_back(story, StoriesShowing(db, anchored, story));
  };
  for (int32_t i = 0; stories && i < stories->CountStories(); ++i) {
    if (marks.contains(stories->GetNthStory(i))) continue;
    enter(stories->GetNthStory(i));
    while (!path.empty()) {
      std::vector<UID>& next = path.back().second;
      if (next.empty()) {
        marks[path.back().first] = Mark::kFinished;
        path.pop_back();
        continue;
      }
      UID outer = next.back();
      next.pop_back();
      auto mark = marks.find(outer);
      if (mark == marks.end()) {
        enter(outer);
      } else if (mark->second == Mark::kOnPath) {
        return outer;
      }
    }
  }
  return kInvalidUID;
}

void Unanchor(IDataBase* db, UID item) {
  if (auto anchors = QueryAnchors(db, StoryOfItem(db, item))) anchors->RemoveAnchor(item);
}

void FollowTextEdit(IDataBase* db, UID story, int32_t position, int32_t deleted, int32_t inserted) {
  HyperlinkUtils::FollowTextEdit(db, story, position, deleted, inserted);
  auto anchors = QueryAnchors(db, story);
  if (!anchors || anchors->GetAnchors().empty()) return;
  LayoutEdits::Deleted gone;
  for (UID item : anchors->NoteTextEdit(position, deleted, inserted)) {
    if (db->IsValidUID(item)) (void)LayoutEdits::DeleteItem(db, item, gone);
  }
}

}  // namespace AnchorUtils
