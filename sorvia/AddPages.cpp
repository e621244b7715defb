// Adding pages for overset thread stories.
#include "sorvia/AddPages.h"

#include <algorithm>
#include <cstdio>

#include "host/compose/ParagraphFormat.h"
#include "host/compose/StoryComposer.h"
#include "host/core/InterfacePtr.h"
#include "host/layout/ISpread.h"
#include "host/layout/ITextFrame.h"
#include "host/layout/LayoutCmdUtils.h"
#include "host/layout/LayoutIDs.h"
#include "host/layout/LayoutUtils.h"
#include "host/res/Translator.h"
#include "host/text/ITextModel.h"
#include "host/ui/RangeProgressBar.h"
#include "sorvia/HostClassMap.h"
#include "sorvia/OverrideMasterFrameCmd.h"
#include "sorvia/ThreadFunctions.h"
#include "sorvia/ThreadQueries.h"
#include "sorvia/include/IAutoFlowPrefsData.h"

namespace sorvia {
namespace {

// What one story's run needs from pass to pass.
struct Run {
  IDataBase* db;
  UID frameList;
  UID thread;
  UID continued;  // the story itself for the default thread: new frames always continue it
  int16_t mode;
  int32_t perSpread;
  int32_t end;
  int32_t total;
};

InterfacePtr<IFrameList> FramesOf(const IDataBase* db, UID frameList) {
  return db->IsValidUID(frameList) ? Instantiate<IFrameList>(db, frameList) : InterfacePtr<IFrameList>();
}

InterfacePtr<IAutoFlowPrefsData> DocumentPrefs(const IDataBase* db) {
  UID workspace = WorkspaceOf(db);
  return workspace.IsValid() ? Instantiate<IAutoFlowPrefsData>(db, workspace)
                             : InterfacePtr<IAutoFlowPrefsData>();
}

// The page holding the story's last frame that lies on a page.
UID LastPageOfStory(const IDataBase* db, const IFrameList& frames) {
  for (int32_t i = frames.CountFrames() - 1; i >= 0; --i) {
    UID page = LayoutUtils::PageOfItem(db, frames.GetNthFrame(i));
    if (page.IsValid()) return page;
  }
  return kInvalidUID;
}

// Pages at the story's end that hold only empty frames of it: room already added that gained nothing.
int32_t TrailingEmptyPages(const IDataBase* db, const IFrameList& frames) {
  std::vector<UID> pages;
  for (int32_t i = frames.CountFrames() - 1; i >= 0; --i) {
    UID frame = frames.GetNthFrame(i);
    auto text = Instantiate<ITextFrame>(db, frame);
    UID page = LayoutUtils::PageOfItem(db, frame);
    if (text && text->GetTextSpan() > 0) {
      std::erase(pages, page);  // a page that holds text is no empty page
      break;
    }
    if (page.IsValid() && std::find(pages.begin(), pages.end(), page) == pages.end()) pages.push_back(page);
  }
  return static_cast<int32_t>(pages.size());
}

// Text that starts with an odd- or even-page break moves forward by two pages at once when it moves: such
// an overflow may need as many pages as a spread holds before it makes progress.
bool SkipsPages(const IDataBase* db, UID frameList, int32_t end) {
  auto frames = FramesOf(db, frameList);
  auto text = frames ? Instantiate<ITextModel>(db, frames->GetStory()) : InterfacePtr<ITextModel>();
  if (!text || end <= 0 || end >= text->TotalLength()) return false;
  BreakKind kind = ResolveParagraphFormat(text.get(), text->ParagraphIndexAt(end - 1)).breakKind;
  return kind == BreakKind::kOddPage || kind == BreakKind::kEvenPage;
}

bool AwaitsComposition(IDataBase* db, UID frameList) {
  auto frames = FramesOf(db, frameList);
  return !frames || StoryComposer::NeedsComposition(db, frames->GetStory());
}

// The document's last page, found from its last spread: page adding asks for it on each pass.
UID LastPage(const IDataBase* db) {
  auto spreads = LayoutUtils::QuerySpreadList(db);
  auto last = spreads && spreads->CountSpreads() > 0
                  ? Instantiate<ISpread>(db, spreads->GetNthSpread(spreads->CountSpreads() - 1))
                  : InterfacePtr<ISpread>();
  return last && last->CountPages() > 0 ? last->GetNthPage(last->CountPages() - 1) : kInvalidUID;
}

// The page after which the new page goes.
UID AnchorPage(const IDataBase* db, UID page, int16_t mode) {
  if (mode == static_cast<int16_t>(AddPagesMode::kAfterStoryPage)) return page;
  if (mode == static_cast<int16_t>(AddPagesMode::kEndOfDocument)) return LastPage(db);
  int32_t count = LayoutUtils::CountPages(db);
  int32_t section = LayoutUtils::SectionIndexOfPage(db, page);
  std::vector<int32_t> starts = LayoutUtils::SectionStarts(db);
  if (section < 0 || section >= static_cast<int32_t>(starts.size())) return page;
  int32_t last = section + 1 < static_cast<int32_t>(starts.size()) ? starts[section + 1] - 1 : count - 1;
  return LayoutUtils::PageAt(db, last);
}

// The position the page after `anchor` takes in a spread of `pages` pages. (Only facing spreads need the
// page's number, which takes a walk through the document's pages.)
int32_t PositionInSpread(const IDataBase* db, UID anchor, int32_t perSpread, int32_t pages) {
  if (perSpread == 1) return 0;
  if (perSpread == 2) return (LayoutUtils::PageNumber(db, anchor) + 1) % 2 == 1 ? 1 : 0;
  return pages < perSpread ? pages : 0;
}

// Inserts the new page after `anchor` at `position` of its spread, based on `master`; answers it
// (kInvalidUID when that failed).
UID InsertPageAfter(IDataBase* db, UID anchor, UID master, int32_t position) {
  auto page = Instantiate<IPage>(db, anchor);
  UID spread = page->GetSpread();
  int32_t pages = Instantiate<ISpread>(db, spread)->CountPages();
  auto spreads = LayoutUtils::QuerySpreadList(db);
  bool lastSpread = spreads->IndexOfSpread(spread) == spreads->CountSpreads() - 1;
  LayoutParams params{.width = page->GetWidth(), .height = page->GetHeight(), .second = master, .count = 1};
  std::vector<UID> made;
  if (position == 0 && lastSpread) {
    params.position = spreads->CountSpreads();
    if (LayoutCmdUtils::Process(host_map::kNewSpreadCmd, db, {}, params, &made) != kSuccess || made.empty())
      return kInvalidUID;
    auto added = Instantiate<ISpread>(db, made[0]);
    return added && added->CountPages() > 0 ? added->GetNthPage(0) : kInvalidUID;
  }
  params.target = spread;
  params.position = position != 0 ? position : pages;
  // Pages may move on to the following spreads afterwards, except when the last spread just grows.
  params.flag = !(position != 0 && position == pages && lastSpread);
  if (LayoutCmdUtils::Process(host_map::kInsertPagesCmd, db, {}, params, &made) != kSuccess || made.empty())
    return kInvalidUID;
  return made[0];
}

// One pass: a page and its thread frames. Answers the new page, or kInvalidUID to stop.
UID AddOnePage(Run& run) {
  IDataBase* db = run.db;
  auto frames = FramesOf(db, run.frameList);
  if (!frames) return kInvalidUID;
  UID last = LastPageOfStory(db, *frames);
  auto page = last.IsValid() ? Instantiate<IPage>(db, last) : InterfacePtr<IPage>();
  if (!page || !page->GetMasterSpread().IsValid()) return kInvalidUID;
  UID anchor = AnchorPage(db, last, run.mode);
  auto anchorSpread = Instantiate<ISpread>(db, Instantiate<IPage>(db, anchor)->GetSpread());
  int32_t position = PositionInSpread(db, anchor, run.perSpread, anchorSpread->CountPages());
  // A page that would not receive the thread's frames is never added.
  auto master = Instantiate<ISpread>(db, page->GetMasterSpread());
  if (!master || master->CountPages() == 0) return kInvalidUID;
  UID masterPage = master->GetNthPage(std::min(position, master->CountPages() - 1));
  if (!ChainHasThread(db, masterPage, run.thread)) return kInvalidUID;
  UID added = InsertPageAfter(db, anchor, page->GetMasterSpread(), position);
  if (!added.IsValid()) return kInvalidUID;
  if (OverrideThreadMasters(db, {added}, false, run.continued, last) != kSuccess) return kInvalidUID;
  return added;
}

std::string TaskText(IDataBase* db, UID thread, UID defaultThread) {
  Translator& t = Translator::Get();
  std::string text = Utf8FromWide(t.Translate(std::string_view("A672sDM")));
  auto data = Instantiate<ITextThreadData>(db, thread);
  if (thread != defaultThread && data) {
    text = Utf8FromWide(t.Translate(std::string_view("A672sAM")));
    if (size_t at = text.find("^1"); at != std::string::npos)
      text.replace(at, 2, Utf8FromWide(data->GetName()));
  }
  return text;
}

}  // namespace

int32_t StoryTextEnd(const IDataBase* db, UID frameList) {
  auto frames = FramesOf(db, frameList);
  if (!frames || frames->CountFrames() == 0) return 0;
  auto last = Instantiate<ITextFrame>(db, frames->GetNthFrame(frames->CountFrames() - 1));
  return last ? last->GetTextStart() + last->GetTextSpan() : 0;
}

int32_t StoryLength(const IDataBase* db, UID frameList) {
  auto frames = FramesOf(db, frameList);
  auto text = frames ? Instantiate<ITextModel>(db, frames->GetStory()) : InterfacePtr<ITextModel>();
  return text ? text->TotalLength() : 0;
}

bool IsOversetThreadStory(const IDataBase* db, UID frameList) {
  auto frames = FramesOf(db, frameList);
  if (!frames || frames->CountFrames() == 0 || frames->GetFirstDamagedFrame() >= 0) return false;
  return StoryTextEnd(db, frameList) < StoryLength(db, frameList);
}

UID AddPagesForStory(IDataBase* db, UID frameList, int16_t mode, int32_t& budget) {
  auto list = QueryThreadList(db);
  auto setup = LayoutUtils::QueryPageSetup(db);
  UID thread = ThreadQueries::ThreadOfStory(db, frameList);
  if (!list || !setup || !thread.IsValid() || !FramesOf(db, frameList)) return kInvalidUID;
  UID defaultThread = list->GetDefaultThread();
  Run run{db,
          frameList,
          thread,
          thread == defaultThread ? frameList : kInvalidUID,
          mode,
          std::max(1, setup->Get().pagesPerSpread),
          StoryTextEnd(db, frameList),
          StoryLength(db, frameList)};
  int32_t allowance = run.end < run.total && SkipsPages(db, frameList, run.end) ? run.perSpread : 1;
  std::string task = TaskText(db, thread, defaultThread);
  auto bar = RangeProgressBar::Create("Sorvia(tm)", task, run.end, run.total);
  int32_t idle = TrailingEmptyPages(db, *FramesOf(db, frameList));
  UID first;
  while (idle < allowance && run.end < run.total) {
    if (budget <= 0) break;
    if (bar) bar->SetPosition(run.end);
    if (bar) (void)bar->ProcessEvents();
    int32_t previous = run.end;
    UID added = AddOnePage(run);
    if (!added.IsValid()) break;
    --budget;
    first = added;
    if (AwaitsComposition(db, frameList)) break;
    run.end = StoryTextEnd(db, frameList);
    idle = run.end == previous ? idle + 1 : 0;
  }
  return first;
}

int32_t AddPagesForOversetStories(IDataBase* db, const std::vector<UID>& stories) {
  auto prefs = DocumentPrefs(db);
  auto manager = QueryThreadManager(db);
  if (!prefs || !manager || prefs->GetAddPagesMode() == static_cast<int16_t>(AddPagesMode::kOff)) return 0;
  int32_t budget = kMaxPagesAddedPerRun;
  for (UID frameList : stories) {
    if (AwaitsComposition(db, frameList)) continue;
    UID thread = ThreadQueries::ThreadOfStory(db, frameList);
    (void)AddPagesForStory(db, frameList, prefs->GetAddPagesMode(), budget);
    manager->SetThreadPending(thread, false);
    if (budget <= 0 && IsOversetThreadStory(db, frameList)) {
      std::fprintf(stderr,
                   "Sorvia: stopped after adding %d pages in one run; a thread story is still overset\n",
                   kMaxPagesAddedPerRun);
      break;
    }
  }
  return kMaxPagesAddedPerRun - budget;
}

}  // namespace sorvia
