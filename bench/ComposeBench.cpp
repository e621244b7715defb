// Composition benchmarks: a story of prose-like words (10 million characters) flowed through 2,400 linked
// 540 x 720 frames, composed from the start, and recomposed after a one-character edit on its first frame
// (which leaves the text after it in place). "MB/s" counts the story's characters per second.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include <string>
#include <vector>

#include "host/app/DefaultDocument.h"
#include "host/app/DocumentList.h"
#include "host/app/Host.h"
#include "host/compose/IStoryComposition.h"
#include "host/compose/StoryComposer.h"
#include "host/layout/LayoutCmdUtils.h"
#include "host/layout/LayoutUtils.h"
#include "host/text/TextCmdUtils.h"

namespace {

constexpr int32_t kFrames = 2400;
constexpr size_t kStoryLength = 10'000'000;

std::u16string Prose() {
  static const char16_t* const kWords[] = {u"the",    u"composer", u"flows",         u"a",
                                           u"story",  u"through",  u"linked",        u"frames",
                                           u"column", u"by",       u"line-breaking", u"text"};
  std::u16string text;
  for (size_t i = 0; text.size() < kStoryLength; ++i) {
    text += kWords[(i * 7 + i / 5) % 12];
    text += i % 97 == 96 ? u'\r' : u' ';
  }
  return text;
}

struct Flow {
  IDataBase* db = nullptr;
  UID story;
  int32_t length = 0;

  Flow() {
    if (Host::Initialize() != kSuccess) std::abort();  // nothing can be measured without the host
    NewLayoutOptions options;
    options.mainFrame = false;
    (void)DefaultDocument::SetNewLayoutOptions(options);
    db = DocumentList::Get().NewDocument();
    std::vector<UID> frames;
    for (int32_t i = 0; i < kFrames; ++i) {
      LayoutParams p;
      p.target = LayoutUtils::SpreadAt(db, 0);
      p.bounds = {36, 36, 576, 756};
      std::vector<UID> made;
      (void)LayoutCmdUtils::Process(kCreateTextFrameCmdBoss, db, {}, p, &made);
      frames.push_back(made.at(0));
      if (i > 0) (void)LayoutCmdUtils::Process(kTextLinkCmdBoss, db, {frames[i - 1], frames[i]}, {});
    }
    story = LayoutUtils::StoryOfFrame(db, frames[0]);
    (void)TextCmdUtils::InsertText(UIDRef(db, story), 0, Prose());
    length = Instantiate<ITextModel>(db, story)->TotalLength();
    db->ClearUndo();
  }
  ~Flow() {
    DocumentList::Get().CloseDocument(db);
    (void)DefaultDocument::SetNewLayoutOptions(NewLayoutOptions());
  }
};

void Report(benchmark::State& state, int32_t length) {
  state.counters["MB/s"] =
      benchmark::Counter(double(length) * double(state.iterations()) / 1e6, benchmark::Counter::kIsRate);
}

void BM_ComposeStory(benchmark::State& state) {
  Flow flow;
  for (auto _ : state) {
    Instantiate<IStoryComposition>(flow.db, flow.story)->Invalidate();
    benchmark::DoNotOptimize(StoryComposer::ComposeFully(flow.db, flow.story));
  }
  Report(state, flow.length);
  state.counters["overset"] = StoryComposer::GetLayout(flow.db, flow.story)->IsOverset();
}
BENCHMARK(BM_ComposeStory)->Unit(benchmark::kMillisecond);

void BM_RecomposeAfterEdit(benchmark::State& state) {
  Flow flow;
  (void)StoryComposer::ComposeFully(flow.db, flow.story);
  for (auto _ : state) {
    state.PauseTiming();
    (void)TextCmdUtils::InsertText(UIDRef(flow.db, flow.story), 10, u"x");
    (void)TextCmdUtils::DeleteText(UIDRef(flow.db, flow.story), 10, 11);
    state.ResumeTiming();
    benchmark::DoNotOptimize(StoryComposer::ComposeFully(flow.db, flow.story));
  }
}
BENCHMARK(BM_RecomposeAfterEdit)->Unit(benchmark::kMillisecond);

}  // namespace
