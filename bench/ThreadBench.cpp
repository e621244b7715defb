// Text-thread benchmarks: a document of 1,000 pages, each with one text frame of thread "Body" (a story of
// its own); the thread manager is asked for the thread frames on every page.
#include <benchmark/benchmark.h>

#include <vector>

#include "host/app/DefaultDocument.h"
#include "host/app/DocumentList.h"
#include "host/app/Host.h"
#include "host/core/Registry.h"
#include "host/layout/LayoutCmdUtils.h"
#include "host/layout/LayoutUtils.h"
#include "sorvia/SorviaPlugIn.h"
#include "sorvia/ThreadFunctions.h"

namespace {

constexpr int32_t kPages = 1000;

struct ThreadedPages {
  IDataBase* db = nullptr;
  UID thread;

  ThreadedPages() {
    Host::Initialize();
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

}  // namespace
