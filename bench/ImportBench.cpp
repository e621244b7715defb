// Speed and memory of a whole import: about 10 MB of text-heavy tagged text (paragraphs of prose, a rare
// unknown tag whose report is left in the text) read from memory into the main story of a new document,
// as one undo step.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "bench/TaggedProse.h"
#include "host/app/DefaultDocument.h"
#include "host/app/DocumentList.h"
#include "host/app/Host.h"
#include "kesto/model/KestoAttributes.h"
#include "kesto/reader/ErrorMessages.h"
#include "kesto/reader/KestoScannerAgent.h"
#include "kesto/services/KestoImportDriver.h"
#include "kesto/streams/VyMemoryStreamAgent.h"

namespace {

using namespace kesto;

// Prose as it is usually tagged: a rare unknown tag, whose report is left in the text.
const std::string& TaggedProse() {
  static const std::string text = bench_support::MakeTaggedProse(50);
  return text;
}

// The same prose with a character tag every 20 characters.
const std::string& TagDenseProse() {
  static const std::string text = bench_support::MakeTagDense(TaggedProse());
  return text;
}

double HeapInUseMegabytes() {
  struct mallinfo2 info = mallinfo2();
  return static_cast<double>(info.uordblks + info.hblkhd) / (1 << 20);
}

double PeakResidentMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void BM_ImportTaggedProse(benchmark::State& state) {
  Host::Initialize();
  (void)RegisterKestoMessageLists();
  (void)RegisterKestoAttributes();
  const std::string& text = state.range(0) != 0 ? TagDenseProse() : TaggedProse();
  double baseline = PeakResidentMegabytes();
  double heapBefore = HeapInUseMegabytes(), heapAfter = 0, heapAfterUndoCleared = 0;
  for (auto _ : state) {
    state.PauseTiming();
    IDataBase* db = DocumentList::Get().NewDocument();
    UID story = DefaultDocument::GetMainStory(*db);
    state.ResumeTiming();
    VyMemoryStreamAgent bytes(text.data(), text.size(), StreamEncoding::kUtf8);
    KestoImportResult result = RunKestoImport(&bytes, StreamEncoding::kUtf8, db, story, 0,
                                              kImportIncludeStyleSheets | kImportReportErrors);
    benchmark::DoNotOptimize(result.result);
    state.PauseTiming();
    heapAfter = HeapInUseMegabytes() - heapBefore;
    db->ClearUndo();
    heapAfterUndoCleared = HeapInUseMegabytes() - heapBefore;
    DocumentList::Get().CloseDocument(db);
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
  state.counters["input_MB"] = static_cast<double>(text.size()) / (1 << 20);
  state.counters["peak_growth_MB"] = PeakResidentMegabytes() - baseline;
  // What the document holds once imported, with and without the undo step of the import.
  state.counters["heap_after_MB"] = heapAfter;
  state.counters["heap_without_undo_MB"] = heapAfterUndoCleared;
}
// Argument 0: text-heavy prose; 1: a character tag every 20 characters.
BENCHMARK(BM_ImportTaggedProse)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
