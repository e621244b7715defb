// Speed of a whole export of a story as Kesto text into memory: the 10 MB prose and the 5 MB tag-dense text
// of scripts/bench.sh, imported first (not timed). Bytes per second count the text written.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include <string>

#include "bench/TaggedProse.h"
#include "host/app/DefaultDocument.h"
#include "host/app/DocumentList.h"
#include "host/app/Host.h"
#include "kesto/model/KestoAttributes.h"
#include "kesto/reader/ErrorMessages.h"
#include "kesto/reader/KestoScannerAgent.h"
#include "kesto/services/KestoExportDriver.h"
#include "kesto/services/KestoImportDriver.h"
#include "kesto/streams/VyMemoryStreamAgent.h"
#include "kesto/streams/VyStringStreamAgent.h"

namespace {

using namespace kesto;

void BM_ExportStory(benchmark::State& state) {
  if (Host::Initialize() != kSuccess) std::abort();  // nothing can be measured without the host
  (void)RegisterKestoMessageLists();
  (void)RegisterKestoAttributes();
  std::string text = state.range(0) != 0 ? bench_support::MakeTagDense() : bench_support::MakeStyledProse();
  IDataBase* db = DocumentList::Get().NewDocument();
  UID story = DefaultDocument::GetMainStory(*db);
  VyMemoryStreamAgent source(text.data(), text.size(), StreamEncoding::kUtf8);
  if (RunKestoImport(&source, StreamEncoding::kUtf8, db, story, 0, kImportIncludeStyleSheets).result != 0)
    state.SkipWithError("the import failed");
  size_t written = 0;
  for (auto _ : state) {
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    VyCharStringStreamAgent agent(&out);
    KestoExportParams params;
    params.story = story;
    if (RunKestoExport(&agent, db, params) != 0) state.SkipWithError("the export failed");
    written = out.size();
    benchmark::DoNotOptimize(out.data());
  }
  DocumentList::Get().CloseDocument(db);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * written));
  state.counters["output_MB"] = static_cast<double>(written) / (1 << 20);
}
// Argument 0: the prose; 1: the tag-dense text.
BENCHMARK(BM_ExportStory)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
