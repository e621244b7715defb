// Fuzzes the Kesto scanner: any bytes, in any encoding and with any options, scanned with the text-only
// agent. The scan must end, every agent call must be bounded by the input that caused it, and text must
// arrive in blocks the size the agent is promised, never with a surrogate pair split between blocks.
//
// Input: byte 0 picks the options (low three bits: interpret tags, convert quotes, keep control
// characters) and the source's encoding (high five bits, modulo 9); the rest is the text.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "kesto/reader/KestoScanner.h"
#include "kesto/reader/VyTextOnlyTSAgent.h"
#include "kesto/streams/VyMemoryStreamAgent.h"
#include "kesto/streams/VyTextStream.h"

using namespace kesto;

namespace {

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

bool IsHighSurrogate(char16_t c) {
  return c >= 0xD800 && c <= 0xDBFF;
}

class CheckingSink : public VyTextSink {
 public:
  bool InsertText(const char16_t* units, int32_t count) override {
    Check(count > 0 && count <= CTaggedTextScanner::kTextBufferUnits);
    Check(!IsHighSurrogate(units[count - 1]));
    units_ += static_cast<size_t>(count);
    return true;
  }
  size_t units_ = 0;
};

// Counts every call; a scan that loops makes calls without reading input and trips the bound. Macro
// expansions and translation outputs are read like input, so what they gave counts as input.
class BoundedAgent : public VyTextOnlyTSAgent {
 public:
  BoundedAgent(VyTextSink* sink, size_t inputSize, KestoScanner* scanner)
      : VyTextOnlyTSAgent(sink), inputSize_(inputSize), scanner_(scanner) {}
  KestoResult InsertText(const char16_t* units, int32_t count) override {
    Count();
    return VyTextOnlyTSAgent::InsertText(units, count);
  }
  KestoResult ReportError(int32_t code, std::u16string_view tagName, int32_t paramIndex) override {
    Check(code > 0 && tagName.size() <= 31);
    Count();
    return 0;
  }
  KestoResult EndOfParagraph(VyTextAttributeMgr*) override {
    Count();
    return 0;
  }
  KestoResult EndImport(VyTextAttributeMgr*) override {
    ++ends_;
    return 0;
  }
  int ends_ = 0;

 private:
  void Count() {
    auto read = inputSize_ + static_cast<size_t>(scanner_->GetInput().GetExpanded());
    Check(++calls_ <= 4 * read + 16);
  }
  size_t calls_ = 0;
  size_t inputSize_;
  KestoScanner* scanner_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  uint32_t options = data[0] & 0x7;
  auto encoding = static_cast<StreamEncoding>((data[0] >> 3) % 9);
  VyMemoryStreamAgent bytes(data + 1, size - 1, encoding);
  VyTextStream stream(&bytes, VyTextStream::kWindowsLineEnds);
  auto scanner = std::make_unique<KestoScanner>();
  scanner->SetOptions(options);
  CheckingSink sink;
  BoundedAgent agent(&sink, size, scanner.get());
  Check(scanner->Scan(&stream, &agent) == 0);
  Check(agent.ends_ == 1);
  return 0;
}
