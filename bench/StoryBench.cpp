// Story benchmarks: streaming 10 MB of UTF-16 text into a story as an import does (one command sequence,
// paragraphs of 400 characters handed over in pieces of 50), once with a point-size change every 50
// characters and once as plain paragraphs. Throughput is reported as bytes of UTF-16 text per second.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include <string>

#include "host/app/DefaultDocument.h"
#include "host/app/DocumentList.h"
#include "host/app/Host.h"
#include "host/text/AttributeClasses.h"
#include "kesto/model/KestoAttributes.h"
#include "kesto/model/XStory.h"

namespace {

constexpr int64_t kTextBytes = 10 << 20;
constexpr int32_t kParagraphLength = 400;  // 399 characters and a paragraph return
constexpr int32_t kPieceLength = 50;

void StreamIntoStory(benchmark::State& state, bool attributeChanges) {
  if (Host::Initialize() != kSuccess) std::abort();  // nothing can be measured without the host
  (void)kesto::RegisterKestoAttributes();
  const int64_t units = kTextBytes / 2;
  std::u16string piece(kPieceLength, u'x');
  std::u16string last(kPieceLength - 1, u'x');
  last += u'\r';
  for (auto _ : state) {
    state.PauseTiming();
    IDataBase* db = DocumentList::Get().NewDocument();
    UID story = DefaultDocument::GetMainStory(*db);
    state.ResumeTiming();
    {
      kesto::XStory target(db, story, 0, 0);
      target.BeginImport();
      bool big = false;
      for (int64_t done = 0; done < units; done += kPieceLength) {
        if (attributeChanges) {
          big = !big;
          if (big) {
            (void)target.Character().SetReal(kTextAttrPointSize, 14.0);
          } else {
            (void)target.Character().ClearOverride(kTextAttrPointSize);
          }
        }
        const std::u16string& text = (done + kPieceLength) % kParagraphLength == 0 ? last : piece;
        if (!target.InsertText(text.data(), static_cast<int32_t>(text.size())))
          state.SkipWithError("refused");
      }
      target.EndImport();
    }
    state.PauseTiming();
    DocumentList::Get().CloseDocument(db);
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * (units / kPieceLength) * kPieceLength * 2);
}

void BM_StreamWithAttributeChanges(benchmark::State& state) {
  StreamIntoStory(state, true);
}
void BM_StreamPlainParagraphs(benchmark::State& state) {
  StreamIntoStory(state, false);
}

BENCHMARK(BM_StreamWithAttributeChanges)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_StreamPlainParagraphs)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
