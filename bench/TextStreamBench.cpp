// Decoding and encoding speed of text streams over memory, for the kinds of text imports and exports
// carry: tagged text that is mostly ASCII, text in a non-Latin script, 8-bit Windows Latin text and UTF-16;
// and the cost of switching encodings in the middle of the text as an <e…> tag does.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "kesto/reader/ScannerInput.h"
#include "kesto/streams/VyMemoryStreamAgent.h"
#include "kesto/streams/VyStringStreamAgent.h"
#include "kesto/streams/VyTextStream.h"

namespace {

using kesto::StreamEncoding;
using kesto::VyMemoryStreamAgent;
using kesto::VyTextStream;

constexpr size_t kTextUnits = 1 << 20;

// About a megabyte of text made by repeating `line`.
std::u16string Repeat(std::u16string_view line) {
  std::u16string text;
  while (text.size() < kTextUnits)
    text += line;
  return text;
}

const std::u16string& AsciiHeavyText() {
  static const std::u16string text = Repeat(
      u"<ParaStyle:Body><cs:12>The quick brown fox jumps over the lazy dog, caf\u00E9 na\u00EFve "
      u"r\u00E9sum\u00E9 \u2014 \u201Cquoted\u201D text<cs:>\r");
  return text;
}

const std::u16string& MixedText() {
  static const std::u16string text = Repeat(
      u"\u0393\u03B5\u03B9\u03AC \u03C3\u03BF\u03C5 \u03BA\u03CC\u03C3\u03BC\u03B5 \u4F60\u597D\u4E16\u754C "
      u"\u041F\u0440\u0438\u0432\u0435\u0442 \U0001F600 <b>mixed</b>\r");
  return text;
}

const std::u16string& LatinText() {
  static const std::u16string text = Repeat(
      u"L'\u00E9t\u00E9 o\u00F9 la for\u00EAt fran\u00E7aise s'\u00E9veille, \u00E0 c\u00F4t\u00E9 "
      u"d'un ch\u00E2teau \u2014 \u00AB voil\u00E0 \u00BB \u20AC 12\r");
  return text;
}

std::string Encode(const std::u16string& text, StreamEncoding encoding) {
  std::string bytes;
  kesto::VyCharStringStreamAgent agent(&bytes);
  VyTextStream stream(&agent, encoding, VyTextStream::kWindowsLineEnds);
  stream.PutText(text);
  (void)agent.Close();  // a string takes every byte
  return bytes;
}

void Decode(benchmark::State& state, const std::u16string& text, StreamEncoding encoding) {
  const std::string bytes = Encode(text, encoding);
  std::vector<int32_t> chars(4096);
  for (auto _ : state) {
    VyMemoryStreamAgent agent(bytes.data(), bytes.size(), encoding);
    VyTextStream stream(&agent, VyTextStream::kWindowsLineEnds);
    size_t total = 0;
    for (size_t n; (n = stream.Read(chars.data(), chars.size())) > 0;)
      total += n;
    benchmark::DoNotOptimize(total);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}

void EncodeText(benchmark::State& state, const std::u16string& text, StreamEncoding encoding) {
  std::vector<uint8_t> out(text.size() * 4 + 16);
  size_t written = 0;
  for (auto _ : state) {
    VyMemoryStreamAgent agent(VyMemoryStreamAgent::Destination{out.data(), out.size()}, encoding);
    VyTextStream stream(&agent, VyTextStream::kWindowsLineEnds);
    stream.PutText(text);
    written = agent.BytesWritten();
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * written));
}

// The writer hands characters over one at a time.
void EncodeChars(benchmark::State& state, const std::u16string& text, StreamEncoding encoding) {
  std::vector<uint8_t> out(text.size() * 4 + 16);
  size_t written = 0;
  for (auto _ : state) {
    VyMemoryStreamAgent agent(VyMemoryStreamAgent::Destination{out.data(), out.size()}, encoding);
    VyTextStream stream(&agent, VyTextStream::kWindowsLineEnds);
    for (char16_t c : text)
      stream.PutChar(c);
    written = agent.BytesWritten();
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * written));
}

// The scanner's input over Windows Latin text, switching between Windows Latin and Mac Roman every
// `state.range(0)` characters: the time should follow the length of the text, not the number of switches.
void SwitchEncoding(benchmark::State& state) {
  const std::string bytes = Encode(LatinText(), StreamEncoding::kWindowsLatin);
  const int64_t every = state.range(0);
  int64_t switches = 0;
  for (auto _ : state) {
    VyMemoryStreamAgent agent(bytes.data(), bytes.size(), StreamEncoding::kWindowsLatin);
    VyTextStream stream(&agent, VyTextStream::kWindowsLineEnds);
    kesto::ScannerInput input;
    input.Attach(&stream);
    int64_t read = 0;
    int64_t sum = 0;
    switches = 0;
    for (int32_t c; (c = input.Next()) != kesto::ScannerInput::kEnd;) {
      sum += c;
      if (++read % every != 0) continue;
      ++switches;
      input.Redecode(switches % 2 ? StreamEncoding::kMacRoman : StreamEncoding::kWindowsLatin);
    }
    benchmark::DoNotOptimize(sum);
  }
  state.counters["switches"] = static_cast<double>(switches);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}

BENCHMARK(SwitchEncoding)->Arg(8)->Arg(4096)->Arg(int64_t{1} << 40);

BENCHMARK_CAPTURE(Decode, AsciiHeavyUtf8, AsciiHeavyText(), StreamEncoding::kUtf8);
BENCHMARK_CAPTURE(Decode, MixedUtf8, MixedText(), StreamEncoding::kUtf8);
BENCHMARK_CAPTURE(Decode, WindowsLatin, LatinText(), StreamEncoding::kWindowsLatin);
BENCHMARK_CAPTURE(Decode, AsciiHeavyWindowsLatin, AsciiHeavyText(), StreamEncoding::kWindowsLatin);
BENCHMARK_CAPTURE(Decode, AsciiHeavyUtf16, AsciiHeavyText(), StreamEncoding::kUtf16LE);
BENCHMARK_CAPTURE(Decode, MixedUtf16, MixedText(), StreamEncoding::kUtf16LE);

BENCHMARK_CAPTURE(EncodeText, AsciiHeavyUtf8, AsciiHeavyText(), StreamEncoding::kUtf8);
BENCHMARK_CAPTURE(EncodeText, MixedUtf8, MixedText(), StreamEncoding::kUtf8);
BENCHMARK_CAPTURE(EncodeText, WindowsLatin, LatinText(), StreamEncoding::kWindowsLatin);
BENCHMARK_CAPTURE(EncodeText, AsciiHeavyUtf16, AsciiHeavyText(), StreamEncoding::kUtf16LE);
BENCHMARK_CAPTURE(EncodeText, MixedUtf16, MixedText(), StreamEncoding::kUtf16LE);
BENCHMARK_CAPTURE(EncodeChars, AsciiHeavyUtf8, AsciiHeavyText(), StreamEncoding::kUtf8);

}  // namespace
