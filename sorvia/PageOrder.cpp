// Thread stories in page order.
#include "sorvia/PageOrder.h"

#include <algorithm>
#include <map>

#include "host/cmd/ErrorUtils.h"
#include "host/layout/ILayoutCmdData.h"
#include "host/layout/IPage.h"
#include "host/layout/ISpread.h"
#include "host/layout/ITextFrame.h"
#include "host/layout/LayoutCmdUtils.h"
#include "host/layout/LayoutUtils.h"
#include "sorvia/HostClassMap.h"
#include "sorvia/ThreadFunctions.h"
#include "sorvia/ThreadQueries.h"

namespace sorvia {
namespace {

void Queue(std::vector<UID>& queue, UID page, const std::vector<UID>& skip = {}) {
  if (std::find(skip.begin(), skip.end(), page) != skip.end()) return;
  if (std::find(queue.begin(), queue.end(), page) == queue.end()) queue.push_back(page);
}

// The pages of `spread` from `from` to its end.
void QueueFrom(IDataBase* db, UID spread, int32_t from, std::vector<UID>& queue,
               const std::vector<UID>& skip) {
  auto s = Instantiate<ISpread>(db, spread);
  for (int32_t i = std::max(from, 0); s && i < s->CountPages(); ++i)
    Queue(queue, s->GetNthPage(i), skip);
}

UID SpreadOfPage(IDataBase* db, UID page) {
  auto p = Instantiate<IPage>(db, page);
  return p ? p->GetSpread() : kInvalidUID;
}

// Deleted pages: the pages after each in the spread of the first (all of that spread for a page elsewhere).
void QueueDeletion(IDataBase* db, const std::vector<UID>& pages, std::vector<UID>& queue) {
  UID spread = pages.empty() ? kInvalidUID : SpreadOfPage(db, pages[0]);
  auto s = Instantiate<ISpread>(db, spread);
  for (auto it = pages.rbegin(); s && it != pages.rend(); ++it)
    QueueFrom(db, spread, s->IndexOfPage(*it) + 1, queue, pages);
}

// Moved pages: each with the pages after it in its spread, and the target spread from the position on.
void QueueMove(IDataBase* db, const std::vector<UID>& pages, const LayoutParams& p, std::vector<UID>& queue) {
  for (UID page : pages) {
    Queue(queue, page);
    UID spread = SpreadOfPage(db, page);
    auto s = Instantiate<ISpread>(db, spread);
    if (s) QueueFrom(db, spread, s->IndexOfPage(page) + 1, queue, {});
  }
  if (p.position >= 0) QueueFrom(db, p.target, p.position, queue, {});
}

// A spread's first page position changes from its old value to the command's: the pages in between.
void QueuePosition(IDataBase* db, const std::vector<UID>& spreads, int32_t value, std::vector<UID>& queue) {
  for (UID spread : spreads) {
    auto s = Instantiate<ISpread>(db, spread);
    if (!s) continue;
    int32_t old = s->GetPagePosition();
    int32_t low = std::max(0, std::min(old, value));
    int32_t high = std::min(std::max(old, value), s->CountPages());
    for (int32_t i = low; i < high; ++i)
      Queue(queue, s->GetNthPage(i));
  }
}

// The frames of the story ordered by page; a frame on no document page stays after the one before it.
std::vector<UID> InPageOrder(IDataBase* db, const IFrameList& list, const std::map<UID, int32_t>& pageIndex) {
  std::vector<std::pair<int32_t, UID>> keyed;
  int32_t key = -1;
  for (int32_t i = 0; i < list.CountFrames(); ++i) {
    UID frame = list.GetNthFrame(i);
    auto at = pageIndex.find(LayoutUtils::PageOfItem(db, frame));
    if (at != pageIndex.end()) key = at->second;
    keyed.emplace_back(key, frame);
  }
  std::stable_sort(keyed.begin(), keyed.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<UID> order;
  for (const auto& [k, frame] : keyed)
    order.push_back(frame);
  return order;
}

}  // namespace

void QueuePagesBefore(IDataBase* db, ICommand* command, std::vector<UID>& queue) {
  ClassID cls = command && command->GetBoss() ? command->GetBoss()->GetClass() : kInvalidClass;
  InterfacePtr<ILayoutCmdData> data(command, UseDefaultIID());
  if (!data) return;
  const std::vector<UID> items = command->GetItemList().UIDs();
  if (cls == host_map::kDeletePagesCmd) QueueDeletion(db, items, queue);
  if (cls == host_map::kMovePagesCmd) QueueMove(db, items, data->Params(), queue);
  if (cls == host_map::kSetPagePositionCmd) QueuePosition(db, items, data->Params().position, queue);
}

std::vector<UID> PutThreadStoriesInPageOrder(IDataBase* db, const std::vector<UID>& pages) {
  auto manager = QueryThreadManager(db);
  if (!manager) return {};
  std::vector<UID> stories;
  for (UID page : pages) {
    if (!db->IsValidUID(page) || ThreadQueries::IsMasterPage(db, page)) continue;
    std::vector<UID> frames;
    manager->GetThreadFramesOnPage(page, frames, kInvalidUID);
    for (UID frame : frames) {
      UID story = ThreadQueries::StoryOfItem(db, frame);
      if (ThreadQueries::IsOrphanStory(db, story)) continue;
      if (std::find(stories.begin(), stories.end(), story) == stories.end()) stories.push_back(story);
    }
  }
  std::map<UID, int32_t> pageIndex;
  const std::vector<UID> all = LayoutUtils::DocumentPages(db);
  for (size_t i = 0; i < all.size(); ++i)
    pageIndex.emplace(all[i], static_cast<int32_t>(i));
  std::vector<UID> changed;
  for (UID story : stories) {
    auto list = Instantiate<IFrameList>(db, story);
    if (!list) continue;
    std::vector<UID> order = InPageOrder(db, *list, pageIndex);
    bool same = true;
    for (int32_t i = 0; same && i < list->CountFrames(); ++i)
      same = list->GetNthFrame(i) == order[static_cast<size_t>(i)];
    if (same) continue;
    if (LayoutCmdUtils::Process(host_map::kFrameOrderCmd, db, order, {}) == kSuccess)
      changed.push_back(story);
    ErrorUtils::PMSetGlobalErrorCode(kSuccess);
  }
  return changed;
}

}  // namespace sorvia
