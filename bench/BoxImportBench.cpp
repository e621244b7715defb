// Speed of an import that lays out boxes: about 2 MB of prose with a box every 2 KB (about 1,000 boxes,
// placed on the page or anchored in the text, a third of them picture boxes naming 20 small files, a group
// every 10 boxes, a master page applied every 50), as one undo step into a new document. The counters give
// the whole import and the mean time of a box tag among the first and the last 100, which stay alike when
// a box costs the same however many were made before it.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include <chrono>
#include <string>
#include <vector>

#include "bench/TaggedProse.h"
#include "host/app/DefaultDocument.h"
#include "host/app/DocumentList.h"
#include "host/app/Host.h"
#include "kesto/model/KestoAttributes.h"
#include "kesto/model/XStory.h"
#include "kesto/reader/ErrorMessages.h"
#include "kesto/reader/KestoScanner.h"
#include "kesto/reader/KestoScannerAgent.h"
#include "kesto/streams/VyMemoryStreamAgent.h"
#include "kesto/streams/VyTextStream.h"
#include "tests/support/PictureSamples.h"
#include "tests/support/TempFolder.h"

namespace {

using namespace kesto;
using Clock = std::chrono::steady_clock;
using testing_support::SamplePng;
using testing_support::TempFolder;
using testing_support::WriteBytes;

constexpr size_t kBoxEvery = 2048;
constexpr int kPictures = 20;

// The box tag of box `n`: placed and anchored boxes taking turns, every third a picture.
std::string BoxTag(int n, const std::filesystem::path& pictures) {
  std::string x = std::to_string(36 + (n * 37) % 400), y = std::to_string(36 + (n * 53) % 600);
  if (n % 3 == 2) {
    std::string file = (pictures / ("p" + std::to_string(n % kPictures) + ".png")).string();
    // Elements: fitting 12 and the picture 19 in the placed form, 10 and 17 in the anchored one.
    return n % 2 ? "<&pbu(" + x + "," + y + ",60,40,,1,Red,,,,,,C,,,,,,,\"" + file + "\")>"
                 : "<&pb(60,40,,1,,,,,,,F,,,,,,,\"" + file + "\")>";
  }
  return n % 2 ? "<&nbu(" + x + "," + y + ",50,30,,1,Blue,50,,Yellow)>" : "<&nb(20,12,,0.5,,,,N)>";
}

std::string BoxedProse(const std::filesystem::path& pictures, int& boxes) {
  std::string prose = bench_support::MakeStyledProse(2u << 20);
  std::string out;
  out.reserve(prose.size() + prose.size() / 20);
  boxes = 0;
  size_t next = kBoxEvery;
  for (size_t i = 0; i < prose.size(); ++i) {
    out += prose[i];
    // Boxes go in after a blank, never inside a tag or a style line.
    if (i < next || prose[i] != ' ') continue;
    out += BoxTag(boxes++, pictures);
    if (boxes % 10 == 0) out += "<&g(1,2)>";
    if (boxes % 50 == 0) out += "<&m1>";
    next = i + kBoxEvery;
  }
  return out;
}

// The import agent, timing each box tag.
class TimedAgent : public KestoScannerAgent {
 public:
  using KestoScannerAgent::KestoScannerAgent;
  KestoResult CreateBox(int32_t kind, VyPageItemInfo* box) override {
    Clock::time_point start = Clock::now();
    KestoResult result = KestoScannerAgent::CreateBox(kind, box);
    times.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    return result;
  }
  std::vector<double> times;
};

double Mean(const std::vector<double>& values, size_t from, size_t count) {
  double sum = 0;
  for (size_t i = from; i < from + count && i < values.size(); ++i)
    sum += values[i];
  return count ? sum / static_cast<double>(count) : 0;
}

void BM_ImportBoxes(benchmark::State& state) {
  if (Host::Initialize() != kSuccess) std::abort();  // nothing can be measured without the host
  (void)RegisterKestoMessageLists();
  (void)RegisterKestoAttributes();
  TempFolder pictures("pagehost-bench-boxes");
  for (int i = 0; i < kPictures; ++i)
    WriteBytes(pictures / ("p" + std::to_string(i) + ".png"), SamplePng(16 + i, 12 + i));
  int boxes = 0;
  std::string text = BoxedProse(pictures.Path(), boxes);
  std::vector<double> times;
  int32_t made = 0;
  for (auto _ : state) {
    state.PauseTiming();
    IDataBase* db = DocumentList::Get().NewDocument();
    state.ResumeTiming();
    {
      VyMemoryStreamAgent bytes(text.data(), text.size(), StreamEncoding::kUtf8);
      VyTextStream source(&bytes, StreamEncoding::kUtf8, VyTextStream::kWindowsLineEnds);
      XStory story(db, DefaultDocument::GetMainStory(*db), 0, 0);
      story.BeginImport();
      KestoScanner scanner(db);
      scanner.SetOptions(CTaggedTextScanner::kInterpretTags);
      TimedAgent agent(&story, &source, kImportReportErrors, &scanner);
      if (scanner.Scan(&source, &agent) != 0) state.SkipWithError("the import stopped");
      times = agent.times;
      made = agent.GetBoxCount();
      story.EndImport();
    }
    state.PauseTiming();
    DocumentList::Get().CloseDocument(db);
    state.ResumeTiming();
  }
  state.counters["box_tags"] = boxes;
  state.counters["boxes_made"] = made;
  state.counters["first_100_us"] = Mean(times, 0, 100);
  state.counters["last_100_us"] = Mean(times, times.size() >= 100 ? times.size() - 100 : 0, 100);
}
BENCHMARK(BM_ImportBoxes)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
