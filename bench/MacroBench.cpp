// The cost of macros: about 10 MB of lines whose first word is set in bold, once through a macro invoked on
// every line (<!b(word)>) and once written out (<B>word<B>), imported from memory into a new document. The
// macro form should take at most twice the time of the written one; scripts/bench.sh prints the ratio.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include <iterator>
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

// One line per sentence of the prose, its first word in bold: through the macro, or written out.
std::string MakeLines(bool throughMacro) {
  const char* sentences[] = {
      "The committee met on a grey morning to weigh the proposal once more.",
      "Nobody doubted that the caf\xC3\xA9 on the corner would close before winter.",
      "Prices rose again, by a tenth, some said, or more, and the bakers grumbled.",
      "In the evening the square filled with people walking home from the station.",
      "She wrote three letters, posted two of them, and kept the third in a drawer.",
  };
  std::string out = "<v7.00><e9>\r\n";
  if (throughMacro) out += "<&!(b,\"B>!1<B\")>";
  bench_support::ProseSequence sequence;
  while (out.size() < bench_support::kTextBytes) {
    std::string sentence = sentences[sequence.Next(std::size(sentences))];
    size_t space = sentence.find(' ');
    std::string word = sentence.substr(0, space);
    out += throughMacro ? "<!b(" + word + ")>" : "<B>" + word + "<B>";
    out += sentence.substr(space);
    out += "\r\n";
  }
  return out;
}

void BM_ImportBoldWords(benchmark::State& state) {
  if (Host::Initialize() != kSuccess) std::abort();  // nothing can be measured without the host
  (void)RegisterKestoMessageLists();
  (void)RegisterKestoAttributes();
  static const std::string kWritten = MakeLines(false);
  static const std::string kMacro = MakeLines(true);
  const std::string& text = state.range(0) != 0 ? kMacro : kWritten;
  for (auto _ : state) {
    state.PauseTiming();
    IDataBase* db = DocumentList::Get().NewDocument();
    state.ResumeTiming();
    VyMemoryStreamAgent bytes(text.data(), text.size(), StreamEncoding::kUtf8);
    KestoImportResult result =
        RunKestoImport(&bytes, StreamEncoding::kUtf8, db, DefaultDocument::GetMainStory(*db), 0,
                       kImportIncludeStyleSheets | kImportReportErrors);
    if (result.result != 0) state.SkipWithError("the import left reports or failed");
    state.PauseTiming();
    DocumentList::Get().CloseDocument(db);
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
  state.counters["input_MB"] = static_cast<double>(text.size()) / (1 << 20);
}
// Argument 0: written out; 1: through the macro.
BENCHMARK(BM_ImportBoldWords)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
