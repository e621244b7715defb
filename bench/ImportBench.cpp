// Speed and memory of a whole import: about 10 MB of text-heavy tagged text (paragraphs of prose, a rare
// unknown tag whose report is left in the text) read from memory into the main story of a new document,
// as one undo step.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "host/app/DefaultDocument.h"
#include "host/app/DocumentList.h"
#include "host/app/Host.h"
#include "kesto/model/KestoAttributes.h"
#include "kesto/reader/ErrorMessages.h"
#include "kesto/reader/KestoScannerAgent.h"
#include "kesto/services/KestoImportDriver.h"
#include "kesto/services/streams/VyMemoryStreamAgent.h"

namespace {

using namespace kesto;

constexpr size_t kTextBytes = 10u << 20;

// Prose as it is usually tagged: a rare unknown tag.
std::string MakeProse(bool tagDense);

const std::string& TaggedProse() {
  static const std::string text = MakeProse(false);
  return text;
}

// The same prose with a character tag every 20 characters or so: bold and size changes.
const std::string& TagDenseProse() {
  static const std::string text = MakeProse(true);
  return text;
}

std::string MakeProse(bool tagDense) {
  {
    const char* sentences[] = {
        "The committee met on a grey morning to weigh the proposal once more. ",
        "Nobody doubted that the caf\xC3\xA9 on the corner would close before winter, ",
        "but the owner's daughter said it would \"surely\" stay open until spring. ",
        "Prices rose again -- by a tenth, some said, or more -- and the bakers grumbled. ",
        "In the evening the square filled with people walking home from the station. ",
        "A r\xC3\xA9sum\xC3\xA9 of the discussion was sent to every member the next day. ",
        "She wrote three letters, posted two of them, and kept the third in a drawer. ",
    };
    std::string out = "<v7.00><e9>\r\n";
    uint32_t seed = 12345;
    for (size_t paragraph = 0; out.size() < kTextBytes; ++paragraph) {
      seed = seed * 1103515245u + 12345u;
      int count = 5 + static_cast<int>((seed >> 16) % 8);
      for (int i = 0; i < count; ++i) {
        seed = seed * 1103515245u + 12345u;
        std::string sentence = sentences[(seed >> 16) % std::size(sentences)];
        if (tagDense) {
          static const char* tags[] = {"<B>", "<z11>", "<B>", "<z$>"};
          std::string dense;
          size_t k = 0;
          for (size_t at = 0; at < sentence.size();) {
            size_t cut = std::min(at + 20, sentence.size());
            while (cut < sentence.size() && (static_cast<unsigned char>(sentence[cut]) & 0xC0) == 0x80)
              ++cut;
            dense += sentence.substr(at, cut - at);
            dense += tags[k++ % std::size(tags)];
            at = cut;
          }
          sentence = dense;
        }
        out += sentence;
      }
      if (paragraph % 50 == 3) out += "<Q>";
      out += "\r\n";
    }
    return out;
  }
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
