// Text-thread benchmarks: a document of 1,000 pages, each with one text frame of thread "Body" (a story of
// its own); the thread manager is asked for the thread frames on every page. And page adding: 10 MB of
// prose in the main story of a one-page document whose master carries a default-thread frame (Letter, one
// column), pages added 100 at a time until it fits; the counters give the time per added page of the first
// and of the last 100 pages, and how many pages were added. And re-threading: a 500-page flowed document
// whose pages all get another master carrying the default thread.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include <vector>

#include <chrono>

#include "host/app/DefaultDocument.h"
#include "host/app/DocumentList.h"
#include "host/app/Host.h"
#include "host/compose/ComposeClasses.h"
#include "host/core/Registry.h"
#include "host/db/UndoRecord.h"
#include "host/layout/IPageItem.h"
#include "host/layout/LayoutCmdUtils.h"
#include "host/layout/LayoutUtils.h"
#include "host/text/TextCmdUtils.h"
#include "sorvia/AddPages.h"
#include "sorvia/SorviaPlugIn.h"
#include "sorvia/ThreadFunctions.h"
#include "sorvia/ThreadQueries.h"
#include "sorvia/include/IAutoFlowPrefsData.h"

namespace {

constexpr int32_t kPages = 1000;

struct ThreadedPages {
  IDataBase* db = nullptr;
  UID thread;

  ThreadedPages() {
    if (Host::Initialize() != kSuccess) std::abort();  // nothing can be measured without the host
    sorvia::SorviaPlugIn plugIn;
    (void)plugIn.Register(Registry::Get());
    NewLayoutOptions options;
    options.pages = kPages;
    options.mainFrame = false;
    (void)DefaultDocument::SetNewLayoutOptions(options);
    db = DocumentList::Get().NewDocument();
    (void)sorvia::NewThread(db, u"Body", false, thread);
    for (int32_t i = 0; i < kPages; ++i) {
      LayoutParams p;
      p.target = LayoutUtils::SpreadAt(db, i);
      p.bounds = {36, 36, 576, 756};
      std::vector<UID> made;
      (void)LayoutCmdUtils::Process(kCreateTextFrameCmdBoss, db, {}, p, &made);
      (void)sorvia::SetStoryThread(db, LayoutUtils::FrameListOfFrame(db, made.at(0)), thread, false);
    }
    db->ClearUndo();
  }
};

void BM_ThreadFramesOnEveryPage(benchmark::State& state) {
  static ThreadedPages doc;
  auto manager = sorvia::QueryThreadManager(doc.db);
  std::vector<UID> pages = LayoutUtils::DocumentPages(doc.db), frames;
  size_t found = 0;
  for (auto _ : state) {
    found = 0;
    for (UID page : pages) {
      manager->GetThreadFramesOnPage(page, frames, doc.thread);
      found += frames.size();
    }
    benchmark::DoNotOptimize(found);
  }
  if (found != kPages) state.SkipWithError("a page lost its thread frame");
}
BENCHMARK(BM_ThreadFramesOnEveryPage)->Unit(benchmark::kMillisecond);

std::u16string Prose(size_t length) {
  static const char16_t* const kWords[] = {u"the",  u"engine", u"adds",   u"pages", u"for",  u"text",
                                           u"that", u"runs",   u"beyond", u"its",   u"last", u"frame"};
  std::u16string text;
  for (size_t i = 0; text.size() < length; ++i) {
    text += kWords[(i * 7 + i / 5) % 12];
    text += i % 70 == 69 ? u'\r' : u' ';
  }
  return text;
}

// The host with Sorvia, its new documents given a default-thread frame on their master.
void StartWithMasterFrames() {
  if (Host::Initialize() != kSuccess) std::abort();  // nothing can be measured without the host
  sorvia::SorviaPlugIn plugIn;
  (void)plugIn.Register(Registry::Get());
  NewLayoutOptions options;
  options.masterFrames = true;
  (void)DefaultDocument::SetNewLayoutOptions(options);
}

// A new document whose master carries a default-thread frame, every frame of it in the default thread.
IDataBase* NewThreadedDocument() {
  IDataBase* db = DocumentList::Get().NewDocument();
  UID thread = sorvia::QueryThreadManager(db)->GetDefaultThread();
  for (UID uid : db->GetAllUIDs()) {
    if (Instantiate<ITextFrame>(db, uid))
      (void)sorvia::SetStoryThread(db, sorvia::ThreadQueries::StoryOfItem(db, uid), thread, true);
  }
  return db;
}

void BM_AddPagesFor10MBOfProse(benchmark::State& state) {
  StartWithMasterFrames();
  for (auto _ : state) {
    state.PauseTiming();
    IDataBase* db = NewThreadedDocument();
    {
      // Page adding runs below, in steps; the watcher leaves the story alone meanwhile. Part of making the
      // document: no command sets it.
      UntrackedChanges making(db);
      Instantiate<sorvia::IAutoFlowPrefsData>(db, sorvia::WorkspaceOf(db))->SetAddPagesMode(0);
    }
    UID main = DefaultDocument::GetMainStory(*db);
    (void)TextCmdUtils::InsertText(UIDRef(db, main), 0, Prose(static_cast<size_t>(state.range(0))));
    (void)ComposeUtils::RunIdleStep(db);
    UID frameList = LayoutUtils::FrameListOfStory(db, main);
    state.ResumeTiming();
    std::vector<double> perPage;
    while (sorvia::IsOversetThreadStory(db, frameList)) {
      int32_t budget = 100;
      auto start = std::chrono::steady_clock::now();
      (void)sorvia::AddPagesForStory(db, frameList, 1, budget);
      std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
      if (budget == 100) break;
      if (budget == 0 || perPage.empty()) perPage.push_back(took.count() / (100 - budget));
    }
    state.counters["pages"] = LayoutUtils::CountPages(db);
    if (!perPage.empty()) {
      state.counters["first_100_ms_per_page"] = perPage.front();
      state.counters["last_100_ms_per_page"] = perPage.back();
    }
    if (sorvia::IsOversetThreadStory(db, frameList)) state.SkipWithError("the story is still overset");
    state.PauseTiming();
    DocumentList::Get().CloseDocument(db);
    state.ResumeTiming();
  }
  (void)DefaultDocument::SetNewLayoutOptions(NewLayoutOptions());
}
// 500 pages flowed by the watcher on master A; the command applying B (a copy of A, whose frame keeps the
// thread) to every page, with the re-threading it starts: each page trades A's frame for B's.
void BM_RethreadAfterMasterOn500Pages(benchmark::State& state) {
  StartWithMasterFrames();
  for (auto _ : state) {
    state.PauseTiming();
    IDataBase* db = NewThreadedDocument();
    UID main = DefaultDocument::GetMainStory(*db);
    (void)TextCmdUtils::InsertText(UIDRef(db, main), 0, Prose(2'500'000));
    (void)ComposeUtils::RunIdleStep(db);
    UID masterA = LayoutUtils::QuerySpreadList(db)->GetNthMasterSpread(0);
    (void)LayoutCmdUtils::Process(kDuplicateMasterSpreadCmdBoss, db, {masterA}, {.position = -1});
    UID masterB = LayoutUtils::QuerySpreadList(db)->GetNthMasterSpread(1);
    std::vector<UID> pages = LayoutUtils::DocumentPages(db);
    state.ResumeTiming();
    (void)LayoutCmdUtils::Process(kApplyMasterCmdBoss, db, pages, {.target = masterB});
    (void)ComposeUtils::RunIdleStep(db);
    state.PauseTiming();
    state.counters["pages"] = static_cast<double>(pages.size());
    UID frameList = LayoutUtils::FrameListOfStory(db, main);
    auto frames = Instantiate<IFrameList>(db, frameList);
    auto last = frames ? Instantiate<IPageItem>(db, frames->GetNthFrame(frames->CountFrames() - 1))
                       : InterfacePtr<IPageItem>();
    if (!last || LayoutUtils::SpreadOfItem(db, last->GetOverrideOf()) != masterB)
      state.SkipWithError("the pages were not re-threaded");
    DocumentList::Get().CloseDocument(db);
    state.ResumeTiming();
  }
  (void)DefaultDocument::SetNewLayoutOptions(NewLayoutOptions());
}
BENCHMARK(BM_RethreadAfterMasterOn500Pages)->Unit(benchmark::kMillisecond)->Iterations(1);

BENCHMARK(BM_AddPagesFor10MBOfProse)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Arg(100000)
    ->Arg(10 << 20);

}  // namespace
