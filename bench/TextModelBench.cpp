// Text model benchmarks: appending paragraphs to a story that grows to 10 million characters (through the
// text commands, as an import does, and straight into the model), with a character-style change every 50
// characters; run lookup on stories of many runs; saving and reading back a large story.
//
// The append benchmarks time each million characters separately and report them as counters
// ("ns/char@NM" = nanoseconds of this thread's CPU time per character while the story grew from N-1 to N
// million), so that growth of the cost with the story's length shows directly. CPU time rather than wall
// time, so that other processes on a shared machine do not blur the trend.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include <time.h>

#include <chrono>
#include <random>
#include <string>

#include "host/app/DocumentList.h"
#include "host/app/Host.h"
#include "host/cmd/CmdUtils.h"
#include "host/cmd/ErrorUtils.h"
#include "host/db/DocumentFile.h"
#include "host/text/ITextModel.h"
#include "host/text/StyleUtils.h"
#include "host/text/TextCmdUtils.h"

namespace {

constexpr int32_t kParagraphLength = 100;  // 99 characters and a paragraph return
constexpr int32_t kRunLength = 50;
constexpr int32_t kParagraphs = 100'000;
constexpr int32_t kParagraphsPerSegment = 10'000;  // one million characters

double ThreadCpuNanoseconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return double(t.tv_sec) * 1e9 + double(t.tv_nsec);
}

struct Document {
  IDataBase* db = nullptr;
  UIDRef story;
  UID styles[2];

  Document() {
    if (Host::Initialize() != kSuccess) std::abort();  // nothing can be measured without the host
    db = DocumentList::Get().NewDocument();
    UID uid;
    (void)TextCmdUtils::NewStory(db, uid);
    story = UIDRef(db, uid);
    for (int i = 0; i < 2; ++i) {
      TextCmdUtils::StyleFields fields;
      fields.kind = StyleKind::kCharacter;
      fields.name = i == 0 ? u"Even" : u"Odd";
      (void)TextCmdUtils::CreateStyle(db, fields, styles[i]);
    }
    db->ClearUndo();
  }
  ~Document() { DocumentList::Get().CloseDocument(db); }
};

std::u16string Paragraph() {
  std::u16string text(kParagraphLength - 1, u'x');
  for (size_t i = 5; i < text.size(); i += 6)
    text[i] = u' ';
  return text + u'\r';
}

// Appends kParagraphs paragraphs with `append` (story, position, text, styles), timing each segment.
template <class Append>
void RunAppend(benchmark::State& state, Append append) {
  for (auto _ : state) {
    state.PauseTiming();
    Document doc;
    InterfacePtr<ITextModel> story = doc.story.Query<ITextModel>();
    std::u16string text = Paragraph();
    state.ResumeTiming();
    double segmentStart = ThreadCpuNanoseconds();
    for (int32_t p = 0; p < kParagraphs; ++p) {
      append(doc, *story, story->TotalLength() - 1, text);
      if ((p + 1) % kParagraphsPerSegment != 0) continue;
      double now = ThreadCpuNanoseconds();
      double ns = now - segmentStart;
      std::string name = "ns/char@" + std::to_string((p + 1) / kParagraphsPerSegment) + "M";
      state.counters[name] = ns / (double(kParagraphsPerSegment) * kParagraphLength);
      segmentStart = now;
    }
    state.PauseTiming();
    state.counters["runs"] = story->CountCharacterRuns();
    state.counters["paragraphs"] = story->CountParagraphs();
    if (!story->Check().empty()) state.SkipWithError(story->Check().c_str());
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * int64_t{kParagraphs} * kParagraphLength);
}

// As an import does it: one insert per paragraph, then one character-style command per 50-character run.
// Each command is its own undo step (the history keeps the last 200).
void BM_AppendThroughCommands(benchmark::State& state) {
  RunAppend(state, [](Document& doc, ITextModel&, int32_t at, const std::u16string& text) {
    (void)TextCmdUtils::InsertText(doc.story, at, text);
    for (int32_t run = 0; run < kParagraphLength / kRunLength; ++run) {
      int32_t start = at + run * kRunLength;
      (void)TextCmdUtils::ApplyCharacterStyle(doc.story, start, start + kRunLength, doc.styles[run % 2]);
    }
  });
}
BENCHMARK(BM_AppendThroughCommands)->Unit(benchmark::kMillisecond)->Iterations(1);

// The same changes made straight on the model, outside any undo step: the cost of the data structure alone.
void BM_AppendToModel(benchmark::State& state) {
  RunAppend(state, [](Document& doc, ITextModel& story, int32_t at, const std::u16string& text) {
    (void)story.Insert(at, text);
    for (int32_t run = 0; run < kParagraphLength / kRunLength; ++run) {
      int32_t start = at + run * kRunLength;
      (void)story.ApplyStyle(TextStrand::kCharacter, start, start + kRunLength, doc.styles[run % 2], false);
    }
  });
}
BENCHMARK(BM_AppendToModel)->Unit(benchmark::kMillisecond)->Iterations(1);

// Builds a story of `paragraphs` paragraphs with two runs each, straight on the model.
void Build(Document& doc, ITextModel& story, int32_t paragraphs) {
  std::u16string text = Paragraph();
  for (int32_t p = 0; p < paragraphs; ++p) {
    int32_t at = story.TotalLength() - 1;
    (void)story.Insert(at, text);
    (void)story.ApplyStyle(TextStrand::kCharacter, at, at + kRunLength, doc.styles[0], false);
  }
}

// The run and the paragraph at random positions, for stories of 2 x Arg runs.
void BM_LookupByPosition(benchmark::State& state) {
  Document doc;
  InterfacePtr<ITextModel> story = doc.story.Query<ITextModel>();
  Build(doc, *story, static_cast<int32_t>(state.range(0)));
  std::mt19937 random(1);
  int32_t length = story->TotalLength();
  int64_t sum = 0;
  for (auto _ : state) {
    int32_t position = static_cast<int32_t>(random() % static_cast<uint32_t>(length));
    sum += story->GetRunAt(TextStrand::kCharacter, position).start;
    sum += story->ParagraphIndexAt(position);
  }
  benchmark::DoNotOptimize(sum);
  state.counters["runs"] = story->CountCharacterRuns();
}
BENCHMARK(BM_LookupByPosition)->Arg(1'000)->Arg(10'000)->Arg(100'000);

// Saving a document with a 10-million-character story to bytes and reading it back.
void BM_SaveAndReadBack(benchmark::State& state) {
  Document doc;
  InterfacePtr<ITextModel> story = doc.story.Query<ITextModel>();
  Build(doc, *story, kParagraphs);
  for (auto _ : state) {
    auto start = std::chrono::steady_clock::now();
    std::vector<uint8_t> bytes = DocumentFile::Serialize(*static_cast<DataBase*>(doc.db));
    auto saved = std::chrono::steady_clock::now();
    std::unique_ptr<DataBase> back;
    (void)DocumentFile::Deserialize(bytes, back);
    InterfacePtr<ITextModel> reread = Instantiate<ITextModel>(back.get(), doc.story.GetUID());
    int32_t length = reread ? reread->TotalLength() : 0;
    auto read = std::chrono::steady_clock::now();
    state.counters["save ms"] = std::chrono::duration<double, std::milli>(saved - start).count();
    state.counters["read ms"] = std::chrono::duration<double, std::milli>(read - saved).count();
    state.counters["MB"] = double(bytes.size()) / 1e6;
    if (length != story->TotalLength()) state.SkipWithError("the story did not read back");
  }
}
BENCHMARK(BM_SaveAndReadBack)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
