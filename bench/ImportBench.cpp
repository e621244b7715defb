// Speed and memory of a whole import, read from memory into the main story of a new document as one undo
// step: about 10 MB of prose (a style line per paragraph, a bold or italic span every few hundred
// characters) and about 5 MB of tag-dense text; and the time to undo and redo that step. The inputs are those
// of scripts/bench.sh, so that a profile of these programs explains its table.
#include <benchmark/benchmark.h>

#include <malloc.h>
#include <sys/resource.h>
#include <cstdlib>

#include <algorithm>
#include <chrono>
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

const std::string& StyledProse() {
  static const std::string text = bench_support::MakeStyledProse();
  return text;
}

const std::string& TagDenseProse() {
  static const std::string text = bench_support::MakeTagDense();
  return text;
}

void InitializeHost() {
  if (Host::Initialize() != kSuccess) std::abort();  // nothing can be measured without the host
  (void)RegisterKestoMessageLists();
  (void)RegisterKestoAttributes();
}

KestoImportResult ImportInto(IDataBase* db, const std::string& text) {
  VyMemoryStreamAgent bytes(text.data(), text.size(), StreamEncoding::kUtf8);
  return RunKestoImport(&bytes, StreamEncoding::kUtf8, db, DefaultDocument::GetMainStory(*db), 0,
                        kImportIncludeStyleSheets | kImportReportErrors);
}

double MillisecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
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
  InitializeHost();
  const std::string& text = state.range(0) != 0 ? TagDenseProse() : StyledProse();
  double baseline = PeakResidentMegabytes();
  double heapBefore = HeapInUseMegabytes(), heapAfter = 0, heapAfterUndoCleared = 0;
  for (auto _ : state) {
    state.PauseTiming();
    IDataBase* db = DocumentList::Get().NewDocument();
    state.ResumeTiming();
    KestoImportResult result = ImportInto(db, text);
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
// Argument 0: the prose; 1: the tag-dense text.
BENCHMARK(BM_ImportTaggedProse)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

// Undo and redo of the import of the prose into a new document, one after the other in each iteration; the
// counters split the iteration's time between the two.
void BM_UndoRedoImport(benchmark::State& state) {
  InitializeHost();
  IDataBase* db = DocumentList::Get().NewDocument();
  double undoMs = 0, redoMs = 0;
  if (ImportInto(db, StyledProse()).result != 0 || !db->CanUndo())
    state.SkipWithError("the import failed or left no undo step");
  for (auto _ : state) {
    auto start = std::chrono::steady_clock::now();
    ErrorCode undone = db->Undo();
    undoMs += MillisecondsSince(start);
    start = std::chrono::steady_clock::now();
    ErrorCode redone = db->Redo();
    redoMs += MillisecondsSince(start);
    if (undone != kSuccess || redone != kSuccess) {
      state.SkipWithError("undo or redo of the import failed");
      break;
    }
  }
  DocumentList::Get().CloseDocument(db);
  state.counters["undo_ms"] = benchmark::Counter(undoMs, benchmark::Counter::kAvgIterations);
  state.counters["redo_ms"] = benchmark::Counter(redoMs, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_UndoRedoImport)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
