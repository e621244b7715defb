// Thread facts of stories, items and pages.
#include "sorvia/ThreadQueries.h"

#include <algorithm>

#include "host/layout/LayoutUtils.h"
#include "sorvia/include/IThreadStoryData.h"
#include "sorvia/include/SorviaID.h"

namespace sorvia::ThreadQueries {
namespace {

// A chain of overrides is never longer than the master chain it follows; this bounds a damaged one.
constexpr int kMaxOverrideChain = 64;

}  // namespace

bool IsExcludedStory(const IDataBase* db, UID frameList) {
  UID first = FirstFrame(db, frameList);
  return !first.IsValid() || LayoutUtils::IsPageItem(db, LayoutUtils::TopOfItem(db, first));
}

UID ThreadOfStory(const IDataBase* db, UID frameList) {
  auto reference = Instantiate<IThreadReference>(db, frameList);
  if (!reference || !reference->Get().IsValid() || IsExcludedStory(db, frameList)) return kInvalidUID;
  // A deleted thread leaves its stories' references behind; they name no thread any more.
  UID thread = reference->Get();
  return db->IsValidUID(thread) && db->GetClass(thread) == kTextThreadBoss ? thread : kInvalidUID;
}

bool IsOrphanStory(const IDataBase* db, UID frameList) {
  auto orphan = Instantiate<IThreadOrphan>(db, frameList);
  return orphan && orphan->Get();
}

UID StoryOfItem(const IDataBase* db, UID item) {
  auto frame = Instantiate<ITextFrame>(db, item);
  return frame ? frame->GetFrameList() : kInvalidUID;
}

UID ThreadOfItem(const IDataBase* db, UID item) {
  UID story = StoryOfItem(db, item);
  return story.IsValid() ? ThreadOfStory(db, story) : kInvalidUID;
}

UID InheritedThread(const IDataBase* db, UID item, bool throughOverrides) {
  for (int depth = 0; item.IsValid() && depth < kMaxOverrideChain; ++depth) {
    if (UID thread = ThreadOfItem(db, item); thread.IsValid()) return thread;
    if (!throughOverrides && !IsOnMasterSpread(db, item)) return kInvalidUID;
    auto pageItem = Instantiate<IPageItem>(db, item);
    item = pageItem ? pageItem->GetOverrideOf() : kInvalidUID;
  }
  return kInvalidUID;
}

bool IsThreadFrame(const IDataBase* db, UID item, UID thread) {
  UID its = ThreadOfItem(db, item);
  return its.IsValid() && (!thread.IsValid() || its == thread);
}

void CollectThreadFrames(const IDataBase* db, UID item, UID thread, std::vector<UID>& out) {
  if (LayoutUtils::IsGroup(db, item)) {
    const std::vector<UID>& children = Instantiate<IHierarchy>(db, item)->GetChildren();
    for (auto it = children.rbegin(); it != children.rend(); ++it)
      CollectThreadFrames(db, *it, thread, out);
    return;
  }
  if (IsThreadFrame(db, item, thread)) out.push_back(item);
}

std::vector<UID> ThreadFramesOnPage(const IDataBase* db, UID page, UID thread) {
  std::vector<UID> work;
  for (UID item : LayoutUtils::ItemsOnPage(db, page))
    CollectThreadFrames(db, item, thread, work);
  // Every text frame is grouped with the other frames of its story: in our host no kind of frame stands
  // apart from its story's flow.
  std::vector<UID> out;
  out.reserve(work.size());
  for (size_t i = 0; i < work.size(); ++i) {
    if (!work[i].IsValid()) continue;
    size_t runStart = out.size();
    UID story = StoryOfItem(db, work[i]);
    auto list = Instantiate<IFrameList>(db, story);
    out.push_back(work[i]);
    work[i] = kInvalidUID;
    if (!list) continue;
    for (size_t j = i + 1; j < work.size(); ++j) {
      if (!work[j].IsValid() || StoryOfItem(db, work[j]) != story) continue;
      int32_t index = list->IndexOfFrame(work[j]);
      auto at = std::find_if(out.begin() + static_cast<std::ptrdiff_t>(runStart), out.end(),
                             [&](UID member) { return list->IndexOfFrame(member) > index; });
      out.insert(at, work[j]);
      work[j] = kInvalidUID;
    }
  }
  return out;
}

void CollectThreadsOfItem(const IDataBase* db, UID item, std::vector<UID>& out) {
  std::vector<UID> frames;
  CollectThreadFrames(db, item, kInvalidUID, frames);
  for (UID frame : frames) {
    UID thread = ThreadOfItem(db, frame);
    if (std::find(out.begin(), out.end(), thread) == out.end()) out.push_back(thread);
  }
}

UID FirstFrame(const IDataBase* db, UID frameList) {
  auto list = Instantiate<IFrameList>(db, frameList);
  return list && list->CountFrames() > 0 ? list->GetNthFrame(0) : kInvalidUID;
}

bool IsOnMasterSpread(const IDataBase* db, UID item) {
  return LayoutUtils::IsMasterSpread(db, LayoutUtils::SpreadOfItem(db, item));
}

bool IsMasterPage(const IDataBase* db, UID page) {
  auto p = Instantiate<IPage>(db, page);
  return p && LayoutUtils::IsMasterSpread(db, p->GetSpread());
}

UID SinglePageOfStory(const IDataBase* db, UID frameList) {
  auto list = Instantiate<IFrameList>(db, frameList);
  UID page;
  for (int32_t i = list ? list->CountFrames() - 1 : -1; i >= 0; --i) {
    UID at = LayoutUtils::PageOfItem(db, list->GetNthFrame(i));
    if (!at.IsValid()) continue;
    if (page.IsValid() && at != page) return kInvalidUID;
    page = at;
  }
  return page;
}

}  // namespace sorvia::ThreadQueries
