// Scanning speed of the Kesto scanner on text-heavy tagged text (paragraphs of prose with a rare unknown
// tag) and on tag-dense text (a character tag about every 25 characters), read from memory with the text-only
// agent into a sink that only counts.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <string>

#include "bench/TaggedProse.h"
#include "kesto/reader/KestoScanner.h"
#include "kesto/reader/VyTextOnlyTSAgent.h"
#include "kesto/streams/VyMemoryStreamAgent.h"
#include "kesto/streams/VyTextStream.h"

namespace {

using kesto::CTaggedTextScanner;
using kesto::StreamEncoding;

// One paragraph in seven carries an unknown tag, whose error the text-only agent drops.
const std::string& TaggedProse() {
  static const std::string text = bench_support::MakeTaggedProse({.unknownTagEvery = 7});
  return text;
}

const std::string& TagDenseProse() {
  static const std::string text = bench_support::MakeTagDense();
  return text;
}

class CountingSink : public kesto::VyTextSink {
 public:
  bool InsertText(const char16_t*, int32_t count) override {
    units += static_cast<size_t>(count);
    ++calls;
    return true;
  }
  size_t units = 0;
  size_t calls = 0;
};

void Scan(benchmark::State& state, uint32_t options, const std::string& bytes = TaggedProse()) {
  size_t units = 0;
  for (auto _ : state) {
    kesto::VyMemoryStreamAgent agent(bytes.data(), bytes.size(), StreamEncoding::kUtf8);
    kesto::VyTextStream stream(&agent, kesto::VyTextStream::kWindowsLineEnds);
    auto scanner = std::make_unique<kesto::KestoScanner>();
    scanner->SetOptions(options);
    CountingSink sink;
    kesto::VyTextOnlyTSAgent textAgent(&sink);
    scanner->Scan(&stream, &textAgent);
    units = sink.units;
    benchmark::DoNotOptimize(units);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
  state.counters["units"] = static_cast<double>(units);
}

void BM_ScanTextHeavy(benchmark::State& state) {
  Scan(state, CTaggedTextScanner::kInterpretTags);
}
void BM_ScanTextHeavyConvertingQuotes(benchmark::State& state) {
  Scan(state, CTaggedTextScanner::kInterpretTags | CTaggedTextScanner::kConvertQuotes);
}
void BM_ScanTagDense(benchmark::State& state) {
  Scan(state, CTaggedTextScanner::kInterpretTags, TagDenseProse());
}

}  // namespace

BENCHMARK(BM_ScanTextHeavy)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScanTextHeavyConvertingQuotes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScanTagDense)->Unit(benchmark::kMillisecond);
