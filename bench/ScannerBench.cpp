// Scanning speed of the Kesto scanner on text-heavy tagged text (paragraphs of prose with a rare unknown
// tag) and on tag-dense text (a character tag every 20 characters), read from memory with the text-only
// agent into a sink that only counts.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <string>

#include "kesto/reader/KestoScanner.h"
#include "kesto/reader/VyTextOnlyTSAgent.h"
#include "kesto/services/streams/VyMemoryStreamAgent.h"
#include "kesto/services/streams/VyTextStream.h"

namespace {

using kesto::CTaggedTextScanner;
using kesto::StreamEncoding;

constexpr size_t kTextBytes = 10u << 20;

// About 10 MB of UTF-8 tagged text: a header line, then paragraphs of five to twelve sentences; one
// paragraph in seven carries an unknown tag, whose error the text-only agent drops.
const std::string& TaggedProse() {
  static const std::string text = [] {
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
        out += sentences[(seed >> 16) % std::size(sentences)];
      }
      if (paragraph % 7 == 3) out += "<Q>";
      out += "\r\n";
    }
    return out;
  }();
  return text;
}

// About 10 MB of the same prose with a character attribute tag after every 20 characters: sizes, scales,
// tracking, kerning, type styles, leading, shade and special characters, each working on the scanner's
// attribute pair.
const std::string& TagDenseProse() {
  static const std::string text = [] {
    const char* tags[] = {"<z11>", "<h90>",  "<t5>",   "<B>",    "<z(.+1)>", "<I>",    "<k-10>", "<s80>",
                          "<U>",   "<y110>", "<\\!5>", "<&L14>", "<$>",      "<z.*2>", "<P>",    "<t$>"};
    const std::string& prose = TaggedProse();
    std::string out;
    out.reserve(prose.size() + prose.size() / 3);
    size_t next = 0;
    for (size_t i = 0; i < prose.size(); ++i) {
      char c = prose[i];
      out += c;
      // Only between ASCII letters, so that no tag lands inside a tag or a multi-byte character.
      if (i % 20 == 19 && c >= 'a' && c <= 'z') out += tags[next++ % std::size(tags)];
      if (out.size() >= kTextBytes) break;
    }
    return out;
  }();
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
